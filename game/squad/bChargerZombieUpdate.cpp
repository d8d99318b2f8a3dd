// One frame of the charging zombie: timers, the way back into the level, the path to a soldier
// out of sight, the soldiers around it, and what its state makes of its target.
#include "game/squad/bChargerZombie.h"
#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/ZombieHelpers.h"
#include "game/squad/GridPaths.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <cmath>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
constexpr float StateSeconds = 1.0f;
constexpr float ChargedPlayerSeconds = 2.0f;
constexpr float CorpseSeconds = 5.0f;
constexpr float MeleeKnockback = 3000.0f;
constexpr float MeleeKnockbackSeconds = 1.2f;
constexpr float CorpseLayer = 0.7f;

struct StateClip
{
    int state;
    const char* clip;
};
// By ChargerState: idle, stalking, charging, recovering, blocking, searching, dead, melee.
constexpr StateClip StateClips[] = {{0, "Idle"},  {17, "Aim"},  {5, "Shooting"}, {5, "Shooting"},
                                    {16, "Block"}, {0, "Idle"}, {14, "Death"},   {19, "Melee"}};

const std::vector<std::string>& SoldierTags()
{
    static const std::vector<std::string> tags = {"PLAYER"};
    return tags;
}
const std::string AlertSound = "ChargerAlert_false_SFX_";
const std::string NearbySound = "ChargerNearby_true_SFX_";
const std::string Knockback = "knockback";

// The soldier's behaviour when it is a bPlayerBehaviour that has died (inactive); else null.
bPlayerBehaviour* DeadSoldier(Coordinator& coordinator, Entity entity)
{
    if (entity == NO_ENTITY)
        return nullptr;
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(entity, behaviour))
        return nullptr;
    auto* player = dynamic_cast<bPlayerBehaviour*>(behaviour.get());
    return player != nullptr && !player->active ? player : nullptr;
}

bool IsLivingSoldier(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(entity, behaviour))
        return false;
    const auto* player = dynamic_cast<const bPlayerBehaviour*>(behaviour.get());
    return player != nullptr && player->active;
}
}

void bChargerZombie::Update(Coordinator& coordinator)
{
    GrowTimers(coordinator.StepCount, ChargerState);
    if (CorpseTimer >= CorpseSeconds)
    {
        ChargerState = StateDead;
        ShowStateClip(coordinator);
        coordinator.DestroyEntity(entity);
    }
    if (!active)
        return;

    if (CurrentHealth <= 0.0f)
        OnDeath(coordinator);
    else if (CurrentHealth > MaxHealth)
        CurrentHealth = MaxHealth;

    Transform* transform = coordinator.GetComponent<Transform>(entity);
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (transform == nullptr || movement == nullptr)
        return;
    if (OutsideLevel(coordinator, transform->position))
    {
        ReturnHome(coordinator, entity, HomePosition);
        movement->ClearForces();
        movement->velocity = {0.0f, 0.0f};
        SetState(coordinator, StateSearching);
    }
    if (FollowPath(coordinator, transform->position))
        return;

    const bool blockAllowed = LookAfterSoldiers(coordinator);
    ScanSoldiers(coordinator, transform->position);

    if (Target != NO_ENTITY)
    {
        const Vector2* target = PositionOf(coordinator, Target);
        if (target == nullptr || !HasLineOfSight(*this, coordinator, transform->position, Target) ||
            SquaredDistance(transform->position, *target) > static_cast<double>(TriggerRange) * TriggerRange)
            Target = NO_ENTITY;
    }

    if (ChargerState == StateRecovering && RecoverTimer >= StateSeconds)
        SetState(coordinator, StateBlocking);
    if (ChargerState == StateCharging && !PassedTarget)
    {
        const Vector2 a = {ChargeTarget.x + ChargePerpendicular.x, ChargeTarget.y + ChargePerpendicular.y};
        const Vector2 b = {ChargeTarget.x - ChargePerpendicular.x, ChargeTarget.y - ChargePerpendicular.y};
        if (SideOfLine(a, b, transform->position) == -ChargeStartSide)
            PassedTarget = true;
    }
    if (ChargerState == StateSearching && TrackedPlayer == NO_ENTITY)
        Path.clear();

    if (Target != NO_ENTITY)
        ActOnTarget(coordinator, blockAllowed);
    else
        SearchForTrackedPlayer(coordinator, transform->position);

    if (ChargerState == StateCharging)
        movement->velocity = ChargeVelocity;
    movement->Step();
    if (Target == NO_ENTITY && TrackedPlayer == NO_ENTITY && ChargerState != StateIdle)
        SetState(coordinator, StateIdle);
    ShowStateClip(coordinator);
    HitEffectTimer += coordinator.DeltaTime;
}

void bChargerZombie::GrowTimers(int steps, int stateAtStart)
{
    const float meleeInterval = IntervalOf(MeleeRate);
    for (int step = 0; step < steps; ++step)
    {
        if (ChargeCooldownTimer < ChargerChargeCD)
            ChargeCooldownTimer = std::min(ChargeCooldownTimer + FixedStep, ChargerChargeCD);
        if (ChargedPlayer != NO_ENTITY)
        {
            ChargedPlayerTimer += FixedStep;
            if (ChargedPlayerTimer >= ChargedPlayerSeconds)
            {
                ChargedPlayerTimer = 0.0f;
                ChargedPlayer = NO_ENTITY;
            }
        }
        if (stateAtStart == StateStalking)
            GrowTimer(StalkTimer, StateSeconds, 1);
        else if (stateAtStart == StateRecovering)
            GrowTimer(RecoverTimer, StateSeconds, 1);
        else if (stateAtStart == StateMelee && MeleeTimer < meleeInterval)
            MeleeTimer += FixedStep;
        if (!active)
            GrowTimer(CorpseTimer, CorpseSeconds, 1);
    }
}

bool bChargerZombie::FollowPath(Coordinator& coordinator, const Vector2& position)
{
    if (PathGrid == nullptr || !PathGrid->Grid)
        return false;
    Vector2 direction;
    const PathStep step = StepAlongPath(*PathGrid->Grid, Path, GoalCell, position, WaypointReach, GoalReach, direction);
    if (step != PathStep::Steer)
        return step == PathStep::Reached;
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        movement->velocity = {direction.x * movement->Speed, direction.y * movement->Speed};
    FaceAlongWithChildren(coordinator, entity, direction);
    return false;
}

bool bChargerZombie::LookAfterSoldiers(Coordinator& coordinator)
{
    bool blockAllowed = true;
    if (const bPlayerBehaviour* dead = DeadSoldier(coordinator, Target))
    {
        // Blocking is for a soldier that was shooting at it.
        blockAllowed = dead->Target == entity;
        Target = TrackedPlayer;
    }
    if (DeadSoldier(coordinator, TrackedPlayer) != nullptr)
        TrackedPlayer = NO_ENTITY;
    return blockAllowed;
}

void bChargerZombie::ScanSoldiers(Coordinator& coordinator, const Vector2& position)
{
    if (coordinator.BroadphaseGrid)
        CircleHits(coordinator, *coordinator.BroadphaseGrid, position, TriggerRange, SoldierTags(), candidates);
    else
        candidates.clear();
    sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>();
    if (candidates.empty())
    {
        StopNearbySound(coordinator);
        return;
    }
    // A charger killed this frame finishes the frame, but its loop stays silent.
    if (!NearbySoundOn && Target == NO_ENTITY && sound != nullptr && active)
    {
        NearbyChannel = sound->RestartSfxWithFade(NearbySound, coordinator);
        NearbySoundOn = true;
    }
    Entity nearest = NO_ENTITY;
    Entity farthest = NO_ENTITY;
    double nearestDistance = 0.0;
    double farthestDistance = 0.0;
    for (Entity candidate : candidates)
    {
        const Vector2* at = PositionOf(coordinator, candidate);
        if (at == nullptr || !IsLivingSoldier(coordinator, candidate) ||
            !HasLineOfSight(*this, coordinator, position, candidate))
            continue;
        const double distance = SquaredDistance(position, *at);
        if (nearest == NO_ENTITY || distance < nearestDistance)
        {
            nearest = candidate;
            nearestDistance = distance;
        }
        if (farthest == NO_ENTITY || distance > farthestDistance)
        {
            farthest = candidate;
            farthestDistance = distance;
        }
    }
    if (nearest != NO_ENTITY)
    {
        if (Target == NO_ENTITY)
            Target = farthest;
        if (!AlertPlayed)
        {
            if (sound != nullptr)
                sound->PlaySfx(AlertSound, coordinator);
            AlertPlayed = true;
        }
        MeleeReady = nearestDistance <= MeleeRangeSquared && nearest != ChargedPlayer;
        if (MeleeReady)
            Target = nearest;
        if (TrackedPlayer == NO_ENTITY)
            TrackedPlayer = Target;
    }
    if (Target != NO_ENTITY)
        StopNearbySound(coordinator);
}

void bChargerZombie::ActOnTarget(Coordinator& coordinator, bool blockAllowed)
{
    Transform& transform = *coordinator.GetComponent<Transform>(entity);
    PhysicsMovement& movement = *coordinator.GetComponent<PhysicsMovement>(entity);
    const Vector2* at = PositionOf(coordinator, Target);
    if (at == nullptr)
    {
        Target = NO_ENTITY;
        return;
    }
    const Vector2 target = *at;
    const Vector2 offset = {target.x - transform.position.x, target.y - transform.position.y};
    const double squared = SquaredDistance(transform.position, target);

    if (ChargerState == StateIdle)
        SetState(coordinator, MeleeReady ? StateMelee : StateStalking);
    if (ChargerState == StateStalking)
    {
        FaceAlong(transform, offset);
        if (blockAllowed && ChargeCooldownTimer < ChargerChargeCD)
            SetState(coordinator, StateBlocking);
        else if (StalkTimer >= StateSeconds && squared < AttackRangeSquared && ChargeCooldownTimer >= ChargerChargeCD)
            SetState(coordinator, StateCharging);
    }
    if (ChargerState == StateBlocking)
    {
        if (!BackingStopped)
        {
            const Vector2 away = NormalizeVector2({-offset.x, -offset.y});
            movement.velocity = {away.x * movement.Speed, away.y * movement.Speed};
            FaceAlong(transform, offset);
        }
        if (ChargeCooldownTimer >= ChargerChargeCD)
            SetState(coordinator, StateStalking);
    }
    if (ChargerState == StateSearching)
        SetState(coordinator, StateStalking);
    if (ChargerState == StateMelee)
    {
        FaceAlongWithChildren(coordinator, entity, offset);
        if (squared <= MeleeRangeSquared)
        {
            movement.velocity = {0.0f, 0.0f};
            const std::shared_ptr<bPlayerBehaviour> player = coordinator.GetBehaviourAs<bPlayerBehaviour>(Target);
            if (!player || !(player->CurrentHealth > 0.0f))
            {
                Target = NO_ENTITY;
                MeleeReady = false;
                SetState(coordinator, StateIdle);
            }
            else if (MeleeTimer >= IntervalOf(MeleeRate))
            {
                if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
                    sound->PlaySfx(AlertSound, coordinator);
                player->TakeDamage(coordinator, static_cast<float>(MeleeDamage), entity);
                MeleeTimer = 0.0f;
                player->StopPath(coordinator);
                if (PhysicsMovement* pushed = coordinator.GetComponent<PhysicsMovement>(Target))
                    pushed->AddForce(0, MeleeKnockbackSeconds, 0.0f, offset, MeleeKnockback, Knockback);
            }
        }
        else
        {
            Target = NO_ENTITY;
            MeleeReady = false;
            SetState(coordinator, StateIdle);
        }
    }
}

void bChargerZombie::SearchForTrackedPlayer(Coordinator& coordinator, const Vector2& position)
{
    if (TrackedPlayer != NO_ENTITY && ChargerState != StateSearching)
        SetState(coordinator, StateSearching);
    if (ChargerState != StateSearching || !Path.empty() || TrackedPlayer == NO_ENTITY || PathGrid == nullptr ||
        !PathGrid->Grid)
        return;
    const Vector2* tracked = PositionOf(coordinator, TrackedPlayer);
    if (tracked == nullptr)
        return;
    const CellLookup goal = WorldToCell(*PathGrid, *tracked);
    Cell start;
    if (!goal.found || !StartCellOf(*PathGrid->Grid, position, start))
        return;
    GoalCell = {goal.column, goal.row};
    pathMemo.Find(*PathGrid, Path, start, GoalCell);
}

void bChargerZombie::ShowStateClip(Coordinator& coordinator) const
{
    Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (animation == nullptr || ChargerState < 0 || ChargerState > StateMelee)
        return;
    const StateClip& clip = StateClips[ChargerState];
    if (ShowClip(*animation, clip.state, clip.clip))
    {
        animation->HoldState = ChargerState == StateStalking;
        if (ChargerState == StateDead)
            if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
                renderer->layer = CorpseLayer;
    }
    if (ChargerState == StateStalking)
        animation->AnimationSpeed = 0.2f;
    else if (ChargerState == StateMelee)
        animation->AnimationSpeed = 0.25f;
}
