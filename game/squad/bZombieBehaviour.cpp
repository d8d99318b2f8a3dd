#include "game/squad/bZombieBehaviour.h"
#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameRandom.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/OneShotEffects.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/ZombieHelpers.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace
{
constexpr float CorpseSeconds = 5.0f;
constexpr float BleedInterval = 0.5f;
constexpr float WalkSpeed = 130.0f;
constexpr std::uint16_t FixedDamage = 7;
constexpr float CorpseLayer = 0.7f;
constexpr float LootChance = 25.0f;
constexpr float RollDivisor = 327.67f;
constexpr int IdleClip = 0;
constexpr int AttackClip = 5;
constexpr int DeathClip = 14;
constexpr int BleedEffect = 12;
constexpr int DeathEffect = 13;
constexpr float HitTint = 100.0f;

const std::vector<std::string>& SoldierTags()
{
    static const std::vector<std::string> tags = {"PLAYER"};
    return tags;
}
const std::string FootstepsSound = "footsteps_false_SFX_";
const std::string GruntSound = "ZombieGrunt_false_SFX_";
const std::string SoldierTag = "PLAYER";

std::uint16_t WholeNumber(const rapidjson::Value& object, const char* key)
{
    const double value = Json::Double(object, key);
    if (!(value >= 0.0))
        return 0;
    return static_cast<std::uint16_t>(std::min(value, 65535.0));
}
}

void bZombieBehaviour::Awake(Coordinator&)
{
}

void bZombieBehaviour::Start(Coordinator& coordinator)
{
    if (const Vector2* position = PositionOf(coordinator, entity))
        HomePosition = *position;
    Damage = FixedDamage;
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        movement->Speed = WalkSpeed;
}

void bZombieBehaviour::Update(Coordinator& coordinator)
{
    const int steps = coordinator.StepCount;
    const float interval = IntervalOf(DamageRate);
    for (int step = 0; step < steps; ++step)
        if (AttackTimer < interval)
            AttackTimer += 1.0f / 60.0f;
    if (!active)
        GrowTimer(CorpseTimer, CorpseSeconds, steps);
    if (CorpseTimer >= CorpseSeconds)
        coordinator.DestroyEntity(entity);

    if (!active)
    {
        ZombieState = StateDead;
        Animation* animation = coordinator.GetComponent<Animation>(entity);
        if (animation != nullptr && std::string_view(animation->StateNameText()) != "Death")
        {
            if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
                renderer->layer = CorpseLayer;
            animation->AnimationState = DeathClip;
            animation->HoldState = false;
        }
        return;
    }

    if (CurrentHealth <= 0.0f)
        OnDeath(coordinator);
    else if (CurrentHealth > MaxHealth)
        CurrentHealth = MaxHealth;

    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    if (OutsideLevel(coordinator, transform->position))
        ReturnHome(coordinator, entity, HomePosition);

    ChooseTarget(coordinator, transform->position);
    if (Target != NO_ENTITY)
        ChaseOrAttack(coordinator, *transform);
    ShowStateClip(coordinator);
    HitEffectTimer += coordinator.DeltaTime;
}

void bZombieBehaviour::ChooseTarget(Coordinator& coordinator, const Vector2& position)
{
    if (coordinator.BroadphaseGrid)
        CircleHits(coordinator, *coordinator.BroadphaseGrid, position, TriggerRange, SoldierTags(), candidates);
    else
        candidates.clear();

    if (Target != NO_ENTITY)
    {
        // A soldier close by is let go and chosen afresh next frame; one beyond the range is
        // followed however far it goes.
        const Vector2* target = PositionOf(coordinator, Target);
        if (target == nullptr)
            Target = NO_ENTITY;
        else if (SquaredDistance(position, *target) < static_cast<double>(TriggerRange) * TriggerRange)
            Target = NO_ENTITY;
        return;
    }
    if (candidates.empty())
    {
        if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
            movement->velocity = {0.0f, 0.0f};
        ZombieState = StateIdle;
        return;
    }
    double nearest = 0.0;
    for (Entity candidate : candidates)
    {
        const Vector2* at = PositionOf(coordinator, candidate);
        if (at == nullptr || !HasLineOfSightBetween(coordinator, entity, candidate, *coordinator.BroadphaseGrid))
            continue;
        // Ascending ids: on a tie the lower id stays.
        const double distance = SquaredDistance(position, *at);
        if (Target == NO_ENTITY || distance < nearest)
        {
            Target = candidate;
            nearest = distance;
        }
    }
}

void bZombieBehaviour::ChaseOrAttack(Coordinator& coordinator, Transform& transform)
{
    const Vector2* target = PositionOf(coordinator, Target);
    if (target == nullptr)
    {
        Target = NO_ENTITY;
        return;
    }
    const Vector2 offset = {target->x - transform.position.x, target->y - transform.position.y};
    const float squared = offset.x * offset.x + offset.y * offset.y;
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    const Entity victim = Target;
    if (squared < AttackRangeSquared)
    {
        if (movement != nullptr)
            movement->velocity = {0.0f, 0.0f};
        std::shared_ptr<IBehaviour> behaviour;
        if (coordinator.GetBehaviour(victim, behaviour))
        {
            auto* character = dynamic_cast<bCharacterBehaviour*>(behaviour.get());
            if (character == nullptr || !(character->CurrentHealth > 0.0f))
            {
                Target = NO_ENTITY;
                ZombieState = StateIdle;
            }
            else if (AttackTimer >= IntervalOf(DamageRate))
            {
                ZombieState = StateAttacking;
                character->TakeDamage(coordinator, static_cast<float>(Damage), entity);
                AttackTimer = 0.0f;
            }
        }
    }
    else
    {
        const float length = std::sqrt(squared);
        Vector2 direction = {offset.x / length, offset.y / length};
        if (std::isnan(direction.x) || std::isnan(direction.y))
            direction = {0.0f, 0.0f};
        if (movement != nullptr)
            movement->velocity = {direction.x * movement->Speed, direction.y * movement->Speed};
        if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
            sound->PlaySfxIfNotPlaying(FootstepsSound, coordinator);
        ZombieState = StateChasing;
    }
    FaceAlong(transform, offset);
}

void bZombieBehaviour::ShowStateClip(Coordinator& coordinator) const
{
    Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (animation == nullptr)
        return;
    if (ZombieState == StateIdle || ZombieState == StateChasing)
        ShowClip(*animation, IdleClip, "Idle");
    else if (ZombieState == StateAttacking)
    {
        if (ShowClip(*animation, AttackClip, "Shooting"))
            animation->AnimationSpeed = IntervalOf(DamageRate) / 5.0f;
    }
    else if (ZombieState == StateDead)
        ShowClip(*animation, DeathClip, "Death");
}

void bZombieBehaviour::OnSceneUnload(Coordinator&)
{
}

void bZombieBehaviour::TakeDamage(Coordinator& coordinator, float amount, Entity attacker)
{
    if (amount == 0.0f || Invulnerable)
        return;
    if (Target == NO_ENTITY && attacker != NO_ENTITY && HasTag(coordinator, attacker, SoldierTag))
        Target = attacker;
    CurrentHealth -= amount;
    FlashTint(coordinator, entity, HitTint, HitTint, HitTint);
    if (HitEffectTimer >= BleedInterval)
    {
        if (const Vector2* position = PositionOf(coordinator, entity))
            SpawnOneShot(BleedEffect, coordinator, *position);
        HitEffectTimer = 0.0f;
    }
}

void bZombieBehaviour::OnDeath(Coordinator& coordinator)
{
    // One death, one kill report: a second call would count the zombie twice toward the level's
    // objective and drop loot again.
    if (deathHandled)
        return;
    deathHandled = true;

    const Vector2* where = PositionOf(coordinator, entity);
    const Vector2 position = where != nullptr ? *where : Vector2{};
    SpawnOneShot(DeathEffect, coordinator, position);
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->PlaySfx(GruntSound, coordinator);
    CurrentHealth = 0.0f;
    active = false;
    ZombieState = StateDead;
    coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);
    coordinator.RemoveEntityFromSystem<sPhysicsMovement>(entity);
    RemoveDangerIcon(coordinator);
    ReportZombieKilled(coordinator, entity);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
        renderer->layer = CorpseLayer;

    const float roll = static_cast<float>(GameRandom()) / RollDivisor;
    if (roll <= LootChance)
    {
        const Entity drop = InstantiatePrefab(coordinator, GameRandom() % 2 == 0 ? "Ammo_Drop" : "Health_Pack");
        PlaceEntityAt(coordinator, drop, position);
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(drop))
            renderer->animated = true;
    }
}

void bZombieBehaviour::Deserialize(const rapidjson::Value& object)
{
    MaxHealth = Json::Float(object, "MaxHealth");
    CurrentHealth = Json::Float(object, "CurrentHealth");
    TriggerRange = Json::Float(object, "TriggerRange");
    Damage = WholeNumber(object, "Damage");
    DamageRate = WholeNumber(object, "DamageRate");
    AttackRange = Json::Float(object, "AttackRange");
    AttackRangeSquared = AttackRange * AttackRange;
}

void bZombieBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("MaxHealth", static_cast<double>(MaxHealth), allocator);
    object.AddMember("CurrentHealth", static_cast<double>(CurrentHealth), allocator);
    object.AddMember("TriggerRange", static_cast<double>(TriggerRange), allocator);
    object.AddMember("Damage", static_cast<unsigned>(Damage), allocator);
    object.AddMember("DamageRate", static_cast<unsigned>(DamageRate), allocator);
    object.AddMember("AttackRange", static_cast<double>(AttackRange), allocator);
}

void bZombieBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("Zombie Behaviour"))
        return;
    ImGui::DragFloat("Max Health", &MaxHealth);
    ImGui::DragFloat("Current Health", &CurrentHealth);
    ImGui::DragFloat("Trigger Range", &TriggerRange);
    int damage = Damage;
    if (ImGui::DragInt("Damage", &damage, 1.0f, 0, 65535))
        Damage = static_cast<std::uint16_t>(damage);
    int rate = DamageRate;
    if (ImGui::DragInt("Damage Rate", &rate, 1.0f, 0, 65535))
        DamageRate = static_cast<std::uint16_t>(rate);
    if (ImGui::DragFloat("Attack Range", &AttackRange))
        AttackRangeSquared = AttackRange * AttackRange;
}
