#include "game/squad/bSpitterZombie.h"
#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/OneShotEffects.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/SpitterSharedState.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/ZombieHelpers.h"
#include "game/squad/GridPaths.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
constexpr float WaitSeconds = 1.8f;
constexpr float BurstSeconds = 2.0f;
constexpr float WindUpSeconds = 2.1f;
constexpr float CorpseSeconds = 5.0f;
constexpr float BleedInterval = 0.5f;
constexpr int BleedEffect = 12;
constexpr int DeathClip = 14;
constexpr float CorpseLayer = 0.7f;
constexpr float PathForce = 10000.0f;
constexpr float SoldierPush = 10.0f;
constexpr float SoldierPushSeconds = 0.2f;
constexpr float ZombiePush = 100.0f;
constexpr float ZombiePushSeconds = 0.5f;
// With this many cells left or fewer, a standing soldier in the way ends the walk.
constexpr long CellsToGiveWay = 3;

const std::vector<std::string>& SoldierTags()
{
    static const std::vector<std::string> tags = {"PLAYER"};
    return tags;
}
const std::string NearbySound = "SpitterNearby_true_SFX_";
const std::string AlertSound = "SpitterAlert_false_SFX_";
const std::string ScreamSound = "SpitterScream_false_SFX_";
const std::string SplatSound = "ZombieSplat_false_SFX_";
const std::string PathForceName = "pathfind";
const std::string PushName = "unnamed";
const std::string SoldierTag = "PLAYER";
const std::string DoorTag = "DOOR";
const std::string EnemyTag = "ENEMY";

bool IsLivingSoldier(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(entity, behaviour))
        return false;
    const auto* player = dynamic_cast<const bPlayerBehaviour*>(behaviour.get());
    return player != nullptr && player->active;
}
}

// --- Life cycle ------------------------------------------------------------------------------

bSpitterZombie::bSpitterZombie()
{
    ++LiveSpitterCount();
}

bSpitterZombie::~bSpitterZombie()
{
    if (--LiveSpitterCount() <= 0)
    {
        LiveSpitterCount() = 0;
        WallCorners().clear();
        LivingPlayers().clear();
    }
}

void bSpitterZombie::Awake(Coordinator&)
{
}

void bSpitterZombie::Start(Coordinator& coordinator)
{
    if (const Vector2* position = PositionOf(coordinator, entity))
        HomePosition = *position;
    PathGrid = FindPathGrid(coordinator);
    if (WallCorners().empty())
        BuildWallCorners(coordinator);
    if (GameLogicInstance() != nullptr && LivingPlayers().empty())
        for (const auto& [name, soldier] : GameLogicInstance()->PlayerCensus)
            LivingPlayers().insert(soldier);
    ShotCooldownTimer = SpitterShotCD;
    SpitProjectile = InstantiatePrefab(coordinator, "Spit_Projectile");
}

void bSpitterZombie::OnSceneUnload(Coordinator&)
{
    // The walls and soldiers of this scene mean nothing in the next.
    ResetSpitterSharedState();
}

// --- Update ------------------------------------------------------------------------------------

void bSpitterZombie::Update(Coordinator& coordinator)
{
    GrowTimers(coordinator.StepCount);
    if (CorpseTimer >= CorpseSeconds)
        coordinator.DestroyEntity(entity);
    if (!active)
    {
        SpitterState = StateDead;
        Animation* animation = coordinator.GetComponent<Animation>(entity);
        if (animation != nullptr && ShowClip(*animation, DeathClip, "Death"))
        {
            animation->HoldState = false;
            if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
                renderer->layer = CorpseLayer;
        }
        return;
    }

    if (CurrentHealth <= 0.0f)
        OnDeath(coordinator);
    else if (CurrentHealth > MaxHealth)
        CurrentHealth = MaxHealth;

    Transform* transform = coordinator.GetComponent<Transform>(entity);
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (transform == nullptr || movement == nullptr)
        return;
    if (OutsideLevel(coordinator, transform->position))
        ReturnHome(coordinator, entity, HomePosition);

    ForgetDeadSoldiers(coordinator);
    Retreat(coordinator);
    if (FollowPath(coordinator, transform->position))
        return;
    movement->Step();
    BurstArmed = false;

    ScanSoldiers(coordinator, transform->position);
    if (NearbySoundOn && Target != NO_ENTITY)
        StopNearbySound(coordinator);
    if (!BurstArmed)
    {
        BurstTimer = 0.0f;
        SpitterState = StateIdle;
    }
    AimAtTarget(coordinator, transform->position);

    if (SpitterState == StateWindingUp && SpitWindUpTimer >= WindUpSeconds)
    {
        if (Target != NO_ENTITY)
        {
            HasSpat = true;
            if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
                sound->PlaySfx(ScreamSound, coordinator);
            ShotCooldownTimer = 0.0f;
            Spit(coordinator);
        }
        SpitWindUpTimer = 0.0f;
        SpitterState = StateIdle;
        Target = NO_ENTITY;
    }
    else if (SpitterState == StateBursting && BurstTimer >= BurstSeconds)
    {
        OnDeath(coordinator);
        Target = NO_ENTITY;
    }
    ShowStateClip(coordinator);
    HitEffectTimer += coordinator.DeltaTime;
}

void bSpitterZombie::GrowTimers(int steps)
{
    for (int step = 0; step < steps; ++step)
    {
        if (Arrived)
            GrowTimer(WaitTimer, WaitSeconds, 1);
        GrowTimer(ShotCooldownTimer, SpitterShotCD, 1);
        if (BurstArmed)
            GrowTimer(BurstTimer, BurstSeconds, 1);
        if (SpitterState == StateWindingUp)
            GrowTimer(SpitWindUpTimer, WindUpSeconds, 1);
        if (!active)
            GrowTimer(CorpseTimer, CorpseSeconds, 1);
    }
}

void bSpitterZombie::ForgetDeadSoldiers(Coordinator& coordinator)
{
    std::set<Entity>& living = LivingPlayers();
    for (auto soldier = living.begin(); soldier != living.end();)
    {
        std::shared_ptr<IBehaviour> behaviour;
        const bool dead = coordinator.GetBehaviour(*soldier, behaviour) &&
                          dynamic_cast<bPlayerBehaviour*>(behaviour.get()) != nullptr && !behaviour->active;
        if (!dead)
        {
            ++soldier;
            continue;
        }
        if (Target == *soldier)
            Target = NO_ENTITY;
        if (LastThreat == *soldier)
            LastThreat = NO_ENTITY;
        soldier = living.erase(soldier);
    }
}

void bSpitterZombie::Retreat(Coordinator& coordinator)
{
    if (Threat != NO_ENTITY && HasSpat && RetreatMode != RetreatReturning)
    {
        if (Path.empty())
            FindHidingSpot(coordinator);
        Arrived = false;
        RetreatMode = RetreatHiding;
    }
    if (RetreatMode == RetreatHiding)
    {
        if (ShotCooldownTimer >= SpitterShotCD && HasSpat)
        {
            HasSpat = false;
            RetreatMode = RetreatReturning;
        }
        if (Path.empty() && Threat != NO_ENTITY)
            FindHidingSpot(coordinator);
    }
    if (RetreatMode == RetreatReturning)
    {
        if (HasSpat && WaitTimer >= WaitSeconds)
        {
            ReturnRequested = false;
            WaitTimer = 0.0f;
            // Only a spot that was found is a place to hide; without one it stays where it is.
            if (HidingSpotFound)
                PathTo(coordinator, HidingSpot);
            if (Threat != NO_ENTITY && Path.empty())
                FindHidingSpot(coordinator);
            Arrived = false;
            RetreatMode = RetreatHiding;
        }
        else if (!ReturnRequested && LastThreat != NO_ENTITY)
        {
            if (const Vector2* threat = PositionOf(coordinator, LastThreat))
                PathTo(coordinator, *threat);
            ReturnRequested = true;
        }
    }
    if (Path.empty() && ReturnRequested)
        Arrived = true;
}

bool bSpitterZombie::FollowPath(Coordinator& coordinator, const Vector2& position)
{
    if (PathGrid == nullptr || !PathGrid->Grid)
        return false;
    Vector2 direction;
    const PathStep step = StepAlongPath(*PathGrid->Grid, Path, GoalCell, position, WaypointReach, GoalReach, direction);
    if (step != PathStep::Steer)
        return step == PathStep::Reached;
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        movement->AddForce(0, 0.0f, 0.0f, direction, PathForce, PathForceName);
    FaceAlongWithChildren(coordinator, entity, direction);
    return false;
}

void bSpitterZombie::ScanSoldiers(Coordinator& coordinator, const Vector2& position)
{
    if (coordinator.BroadphaseGrid)
        CircleHits(coordinator, *coordinator.BroadphaseGrid, position, TriggerRange, SoldierTags(), candidates);
    else
        candidates.clear();
    if (candidates.empty())
    {
        StopNearbySound(coordinator);
        return;
    }
    sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>();
    // A spitter killed this frame finishes the frame, but its loop stays silent.
    if (!NearbySoundOn && sound != nullptr && active)
    {
        NearbyChannel = sound->RestartSfxWithFade(NearbySound, coordinator);
        NearbySoundOn = true;
    }
    Entity nearest = NO_ENTITY;
    double nearestDistance = 0.0;
    for (Entity candidate : candidates)
    {
        const Vector2* at = PositionOf(coordinator, candidate);
        if (at == nullptr)
            continue;
        const double distance = SquaredDistance(position, *at);
        if (!BurstArmed && distance < BurstRangeSquared)
        {
            BurstArmed = true;
            SpitterState = StateBursting;
        }
        if (!HasLineOfSight(*this, coordinator, position, candidate))
            continue;
        if (nearest == NO_ENTITY || distance < nearestDistance)
        {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    if (nearest == NO_ENTITY)
        return;
    Target = nearest;
    if (RetreatMode == RetreatReturning && ShotCooldownTimer >= SpitterShotCD)
        Path.clear();
    if (!AlertPlayed)
    {
        if (sound != nullptr)
            sound->PlaySfx(AlertSound, coordinator);
        AlertPlayed = true;
    }
}

void bSpitterZombie::AimAtTarget(Coordinator& coordinator, const Vector2& position)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (Target == NO_ENTITY || !coordinator.GetBehaviour(Target, behaviour))
        return;
    if (!IsLivingSoldier(coordinator, Target))
    {
        Target = NO_ENTITY;
        return;
    }
    const Vector2* at = PositionOf(coordinator, Target);
    if (at == nullptr)
        return;
    const Vector2 offset = {at->x - position.x, at->y - position.y};
    if (offset.x * offset.x + offset.y * offset.y < AttackRangeSquared && ShotCooldownTimer >= SpitterShotCD &&
        (RetreatMode != RetreatReturning || Arrived))
        SpitterState = StateWindingUp;
    FaceAlong(*coordinator.GetComponent<Transform>(entity), offset);
}

void bSpitterZombie::ShowStateClip(Coordinator& coordinator) const
{
    Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (animation == nullptr)
        return;
    if (SpitterState == StateIdle)
    {
        if (ShowClip(*animation, 0, "Idle"))
            animation->HoldState = false;
    }
    else if (SpitterState == StateWindingUp)
    {
        if (ShowClip(*animation, 5, "Shooting"))
        {
            animation->HoldState = true;
            animation->AnimationSpeed = 0.3f;
        }
    }
    else if (SpitterState == StateBursting)
    {
        if (ShowClip(*animation, 7, "Explosion"))
        {
            animation->HoldState = true;
            animation->AnimationSpeed = 0.4f;
        }
    }
}

void bSpitterZombie::StopNearbySound(Coordinator& coordinator)
{
    if (!NearbySoundOn)
        return;
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->StopSfx(NearbySound, NearbyChannel);
    NearbySoundOn = false;
}

// --- Spit ----------------------------------------------------------------------------------------

void bSpitterZombie::Spit(Coordinator& coordinator)
{
    const Vector2* from = PositionOf(coordinator, entity);
    const Vector2* at = PositionOf(coordinator, Target);
    std::shared_ptr<IBehaviour> behaviour;
    if (Target == NO_ENTITY || from == nullptr || at == nullptr || !coordinator.GetBehaviour(SpitProjectile, behaviour))
        return;
    const Vector2 spitter = *from;
    const Vector2 soldier = *at;
    behaviour->active = true;

    const Vector2 offset = {soldier.x - spitter.x, soldier.y - spitter.y};
    const double distance = std::sqrt(SquaredDistance(spitter, soldier));
    PhysicsMovement* flight = coordinator.GetComponent<PhysicsMovement>(SpitProjectile);
    const float speed = flight != nullptr ? flight->Speed : 0.0f;
    const Vector2 direction = NormalizeVector2(offset);
    if (flight != nullptr)
        flight->velocity = {direction.x * speed, direction.y * speed};
    PlaceEntityAt(coordinator, SpitProjectile, spitter);
    if (Transform* transform = coordinator.GetComponent<Transform>(SpitProjectile))
        transform->SetRotationFromDirection(offset);

    const Entity puddle = InstantiatePrefab(coordinator, "Spit_Puddle");
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(puddle))
        renderer->animated = true;
    PlaceEntityAt(coordinator, puddle, soldier);
    std::shared_ptr<IBehaviour> puddleBehaviour;
    if (coordinator.GetBehaviour(puddle, puddleBehaviour))
        puddleBehaviour->active = false;

    if (auto* image = dynamic_cast<bImageBehaviour*>(behaviour.get()))
    {
        // A show time of 0 would never end (and so never switch the puddle on): a spit at a
        // soldier on the spitter's own point, or a projectile that cannot fly, lands in one step.
        const double flightTime = speed > 0.0f ? distance / speed : 0.0;
        image->ShowTimer = image->ShowTimerRemaining = std::max(static_cast<float>(flightTime), FixedStep);
        // The previous spit's puddle has long been switched on: only the new one waits.
        image->QueueTargets.clear();
        image->QueueTargets.insert(puddle);
        image->QueueFired = false;
    }
}

// --- Contacts and damage ---------------------------------------------------------------------

void bSpitterZombie::OnCollision(Coordinator& coordinator, Entity other)
{
    if (!active)
        return;
    const Vector2* position = PositionOf(coordinator, entity);
    const Vector2* at = PositionOf(coordinator, other);
    if (position == nullptr || at == nullptr)
        return;
    const Vector2 away = NormalizeVector2({at->x - position->x, at->y - position->y});
    if (HasTag(coordinator, other, SoldierTag))
    {
        const std::shared_ptr<bPlayerBehaviour> soldier = coordinator.GetBehaviourAs<bPlayerBehaviour>(other);
        if (Path.empty() || !soldier || soldier->IsMoving(coordinator))
            return;
        if (std::distance(Path.begin(), Path.end()) > CellsToGiveWay)
        {
            if (PhysicsMovement* pushed = coordinator.GetComponent<PhysicsMovement>(other))
            {
                pushed->AddForce(0, SoldierPushSeconds, 0.0f, away, SoldierPush, PushName);
                pushed->Step();
            }
        }
        else
        {
            Path.clear();
            if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
                movement->ClearForces();
        }
    }
    else if (HasTag(coordinator, other, DoorTag))
    {
        std::shared_ptr<IBehaviour> door;
        if (coordinator.GetBehaviour(other, door))
            door->active = false;
    }
    else if (HasTag(coordinator, other, EnemyTag))
    {
        if (Path.empty())
            return;
        if (PhysicsMovement* pushed = coordinator.GetComponent<PhysicsMovement>(other))
        {
            pushed->AddForce(0, ZombiePushSeconds, 0.0f, away, ZombiePush, PushName);
            pushed->Step();
        }
    }
}

void bSpitterZombie::TakeDamage(Coordinator& coordinator, float amount, Entity attacker)
{
    if (amount == 0.0f || Invulnerable)
        return;
    if (RetreatMode != RetreatHiding && Threat == NO_ENTITY && coordinator.GetBehaviourAs<bPlayerBehaviour>(attacker))
        Threat = attacker;
    CurrentHealth -= amount;
    if (HitEffectTimer >= BleedInterval)
    {
        if (const Vector2* position = PositionOf(coordinator, entity))
            SpawnOneShot(BleedEffect, coordinator, *position);
        HitEffectTimer = 0.0f;
    }
    FlashTint(coordinator, entity, 100.0f, 100.0f, 100.0f);
}

void bSpitterZombie::OnDeath(Coordinator& coordinator)
{
    // One death, one kill report: a spitter shot dead in the frame it bursts dies once.
    if (deathHandled)
        return;
    deathHandled = true;
    coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);
    coordinator.RemoveEntityFromSystem<sPhysicsMovement>(entity);
    SpitterState = StateDead;
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->PlaySfx(SplatSound, coordinator);
    CurrentHealth = 0.0f;
    active = false;
    const Vector2* where = PositionOf(coordinator, entity);
    const Entity burst = InstantiatePrefab(coordinator, "SpitterExplosion");
    if (where != nullptr)
        PlaceEntityAt(coordinator, burst, *where);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(burst))
        renderer->animated = true;
    RemoveDangerIcon(coordinator);
    StopNearbySound(coordinator);
    ReportZombieKilled(coordinator, entity);
}

// --- Data ----------------------------------------------------------------------------------------

void bSpitterZombie::Deserialize(const rapidjson::Value& object)
{
    MaxHealth = Json::Float(object, "MaxHealth");
    CurrentHealth = Json::Float(object, "CurrentHealth");
    TriggerRange = Json::Float(object, "TriggerRange");
    AttackRange = Json::Float(object, "AttackRange");
    AttackRangeSquared = AttackRange * AttackRange;
    SpitterShotCD = ShotCooldownTimer = Json::Float(object, "SpitterShotCD");
}

void bSpitterZombie::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("MaxHealth", static_cast<double>(MaxHealth), allocator);
    object.AddMember("CurrentHealth", static_cast<double>(CurrentHealth), allocator);
    object.AddMember("TriggerRange", static_cast<double>(TriggerRange), allocator);
    object.AddMember("AttackRange", static_cast<double>(AttackRange), allocator);
    object.AddMember("SpitterShotCD", static_cast<double>(SpitterShotCD), allocator);
}

void bSpitterZombie::Inspect()
{
}
