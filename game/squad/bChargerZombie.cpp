#include "game/squad/bChargerZombie.h"
#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/OneShotEffects.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/ZombieHelpers.h"
#include "game/squad/GridPaths.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <cmath>
#include <numbers>

namespace
{
constexpr float ChargeSpeed = 1200.0f;
constexpr float FarChargeDistance = 100.0f;
constexpr float FarChargeBonus = 10.0f * 0.005f;
constexpr float ChargeKnockback = 2400.0f;
constexpr float KnockbackSeconds = 1.2f;
constexpr float ShoveSeconds = 1.0f;
constexpr float ShoveMagnitude = 1000.0f;
constexpr float BlockedShare = 0.01f;
constexpr float FrontHalfAngle = std::numbers::pi_v<double> / 4.0;
constexpr float BleedInterval = 0.5f;
constexpr int BleedEffect = 12;
constexpr int DeathEffect = 13;
constexpr int DeathClip = 14;
constexpr float CorpseLayer = 0.7f;
constexpr float DeathEffectSpeed = 0.25f;

const std::string ScreamSound = "ChargerScream_false_SFX_";
const std::string DeathSound = "ChargerDeath_false_SFX_";
const std::string NearbySound = "ChargerNearby_true_SFX_";
const std::string Knockback = "knockback";
const std::string SoldierTag = "PLAYER";
const std::string EnemyTag = "ENEMY";
const std::string WallTag = "WALL";
const std::string UnpathableTag = "UNPATHABLE";
}

// --- Life cycle ------------------------------------------------------------------------------

void bChargerZombie::Awake(Coordinator&)
{
}

void bChargerZombie::Start(Coordinator& coordinator)
{
    if (const Vector2* position = PositionOf(coordinator, entity))
        HomePosition = *position;
    PathGrid = FindPathGrid(coordinator);
    if (const PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        WalkSpeed = movement->Speed;
    ChargeCooldownTimer = ChargerChargeCD;

    BlockEntity = InstantiatePrefab(coordinator, "Charger_Block");
    const Renderer* own = coordinator.GetComponent<Renderer>(entity);
    Renderer* block = coordinator.GetComponent<Renderer>(BlockEntity);
    if (own != nullptr && block != nullptr)
    {
        block->scaleX = own->scaleX;
        block->scaleY = own->scaleY;
    }
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(BlockEntity, behaviour))
        behaviour->boundEntity = entity;
}

void bChargerZombie::OnSceneUnload(Coordinator&)
{
}

// --- States ----------------------------------------------------------------------------------

void bChargerZombie::SetState(Coordinator& coordinator, int state)
{
    if (state == ChargerState)
        return;
    // A dead charger stays dead: nothing that runs after its death in the same frame (the rest of
    // its Update, a contact, a hit) may send its corpse searching or charging.
    if (deathHandled && state != StateDead)
        return;
    if (state == StateCharging && Target == NO_ENTITY)
        return;
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    const auto stop = [movement] {
        if (movement != nullptr)
            movement->velocity = {0.0f, 0.0f};
    };

    switch (ChargerState)
    {
    case StateStalking:
        StalkTimer = 0.0f;
        break;
    case StateCharging:
        ChargedPlayer = Target;
        Target = NO_ENTITY;
        HitThisCharge.clear();
        ChargeCooldownTimer = 0.0f;
        PassedTarget = false;
        stop();
        break;
    case StateRecovering:
        RecoverTimer = 0.0f;
        break;
    case StateBlocking:
        SetBlockActive(coordinator, false);
        stop();
        if (movement != nullptr)
            movement->Speed = WalkSpeed;
        BackingStopped = false;
        break;
    case StateSearching:
        Path.clear();
        break;
    case StateMelee:
        MeleeTimer = 0.0f;
        break;
    default:
        break;
    }

    if (state == StateCharging)
    {
        const Vector2 position = *PositionOf(coordinator, entity);
        const Vector2* target = PositionOf(coordinator, Target);
        const Vector2 aim = target != nullptr ? *target : position;
        const Vector2 offset = {aim.x - position.x, aim.y - position.y};
        ChargeDistance = static_cast<float>(std::sqrt(SquaredDistance(position, aim)));
        ChargeTarget = aim;
        const Vector2 direction = NormalizeVector2(offset);
        ChargeVelocity = {direction.x * ChargeSpeed, direction.y * ChargeSpeed};
        if (movement != nullptr)
        {
            movement->Speed = ChargeSpeed;
            movement->velocity = ChargeVelocity;
        }
        ChargePerpendicular = {ChargeVelocity.y, -ChargeVelocity.x};
        ChargeStartSide = SideOfLine({ChargeTarget.x + ChargePerpendicular.x, ChargeTarget.y + ChargePerpendicular.y},
                                     {ChargeTarget.x - ChargePerpendicular.x, ChargeTarget.y - ChargePerpendicular.y},
                                     position);
        if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
            sound->PlaySfx(ScreamSound, coordinator);
    }
    else if (state == StateBlocking)
    {
        if (movement != nullptr)
            movement->Speed = BlockSpeed;
        SetBlockActive(coordinator, true);
    }
    else if (state == StateSearching)
    {
        if (movement != nullptr)
            movement->Speed = WalkSpeed;
    }
    ChargerState = state;
}

void bChargerZombie::SetBlockActive(Coordinator& coordinator, bool activeFlag)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (BlockEntity != NO_ENTITY && coordinator.GetBehaviour(BlockEntity, behaviour))
        behaviour->active = activeFlag;
}

// --- Contacts and damage ---------------------------------------------------------------------

void bChargerZombie::ChargeHit(Coordinator& coordinator, Entity soldier)
{
    const std::shared_ptr<bPlayerBehaviour> player = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
    if (!player || !player->active || HitThisCharge.count(soldier) != 0)
        return;
    float damage = ChargeDamage;
    if (ChargeDistance > FarChargeDistance)
        damage += ChargeDistance * FarChargeBonus;
    player->TakeDamage(coordinator, damage, entity);
    HitThisCharge.insert(soldier);
    player->StopPath(coordinator);
    const Vector2* from = PositionOf(coordinator, entity);
    const Vector2* to = PositionOf(coordinator, soldier);
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(soldier);
    if (from != nullptr && to != nullptr && movement != nullptr)
        movement->AddForce(0, KnockbackSeconds, 0.0f, {to->x - from->x, to->y - from->y}, ChargeKnockback, Knockback);
}

void bChargerZombie::OnCollision(Coordinator& coordinator, Entity other)
{
    if (!active)
        return;
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (ChargerState == StateCharging)
    {
        if (other == Target)
        {
            if (movement != nullptr)
                movement->velocity = {0.0f, 0.0f};
            ChargeHit(coordinator, other);
            SetState(coordinator, StateRecovering);
        }
        else if (HasTag(coordinator, other, SoldierTag))
            ChargeHit(coordinator, other);
        else if (HasTag(coordinator, other, EnemyTag))
        {
            const Vector2* position = PositionOf(coordinator, entity);
            const Vector2* at = PositionOf(coordinator, other);
            PhysicsMovement* shoved = coordinator.GetComponent<PhysicsMovement>(other);
            if (position == nullptr || at == nullptr || shoved == nullptr || movement == nullptr)
                return;
            const Vector2 v = movement->velocity;
            const int side = SideOfLine(*position, {position->x + v.x, position->y + v.y}, *at);
            const Vector2 aside = side < 1 ? Vector2{-v.y, v.x} : Vector2{v.y, -v.x};
            shoved->AddForce(0, ShoveSeconds, 0.0f, aside, ShoveMagnitude, Knockback);
        }
        else if (HasTag(coordinator, other, WallTag) && PassedTarget)
        {
            if (movement != nullptr)
                movement->velocity = {0.0f, 0.0f};
            SetState(coordinator, StateRecovering);
        }
    }
    else if (ChargerState == StateBlocking && HasTag(coordinator, other, UnpathableTag))
    {
        if (movement != nullptr)
            movement->velocity = {0.0f, 0.0f};
        BackingStopped = true;
    }
}

void bChargerZombie::TakeDamage(Coordinator& coordinator, float amount, Entity attacker)
{
    if (amount == 0.0f || Invulnerable)
        return;
    const Vector2* position = PositionOf(coordinator, entity);
    const Vector2* from = PositionOf(coordinator, attacker);
    bool blocked = false;
    if (ChargerState == StateBlocking && position != nullptr && from != nullptr)
    {
        const float r = coordinator.GetComponent<Transform>(entity)->rotation;
        const Vector2 u = NormalizeVector2({from->x - position->x, from->y - position->y});
        // A shot from the charger's own point has no direction and is not blocked.
        if (u.x != 0.0f || u.y != 0.0f)
            blocked = AngleBetween({std::cos(r), std::sin(r)}, u) <= FrontHalfAngle;
    }
    if (blocked)
        amount *= BlockedShare;
    CurrentHealth -= amount;
    if (HitEffectTimer >= BleedInterval && position != nullptr)
    {
        SpawnOneShot(BleedEffect, coordinator, *position);
        HitEffectTimer = 0.0f;
    }
    if (ChargerState == StateBlocking && !blocked && position != nullptr && from != nullptr &&
        SquaredDistance(*position, *from) <= MeleeRangeSquared && attacker != ChargedPlayer &&
        HasTag(coordinator, attacker, SoldierTag))
    {
        Target = attacker;
        MeleeReady = true;
        SetState(coordinator, StateMelee);
    }
    if (blocked)
        FlashTint(coordinator, entity, 0.0f, 255.0f, 0.0f);
    else
        FlashTint(coordinator, entity, 100.0f, 100.0f, 100.0f);
}

void bChargerZombie::OnDeath(Coordinator& coordinator)
{
    // One death, one kill report.
    if (deathHandled)
        return;
    const Vector2* where = PositionOf(coordinator, entity);
    const Vector2 position = where != nullptr ? *where : Vector2{};
    const Entity effect = SpawnOneShot(DeathEffect, coordinator, position);
    if (Animation* animation = coordinator.GetComponent<Animation>(effect))
        animation->AnimationSpeed = DeathEffectSpeed;
    const Renderer* own = coordinator.GetComponent<Renderer>(entity);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(effect); renderer != nullptr && own != nullptr)
    {
        renderer->scaleX = own->scaleX * 2.0f;
        renderer->scaleY = own->scaleY * 2.0f;
    }
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->PlaySfx(DeathSound, coordinator);
    CurrentHealth = 0.0f;
    active = false;
    RemoveDangerIcon(coordinator);
    ReportZombieKilled(coordinator, entity);
    StopNearbySound(coordinator);
    SetState(coordinator, StateDead);
    deathHandled = true;
    coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);
    coordinator.RemoveEntityFromSystem<sPhysicsMovement>(entity);
    if (Animation* animation = coordinator.GetComponent<Animation>(entity))
    {
        animation->AnimationState = DeathClip;
        animation->HoldState = false;
    }
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
        renderer->layer = CorpseLayer;
    if (BlockEntity != NO_ENTITY)
        coordinator.DestroyEntity(BlockEntity);
    BlockEntity = NO_ENTITY;
}

void bChargerZombie::StopNearbySound(Coordinator& coordinator)
{
    if (!NearbySoundOn)
        return;
    // The nearby loop is stopped through its own voice.
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->StopSfx(NearbySound, NearbyChannel);
    NearbySoundOn = false;
}

// --- Data ----------------------------------------------------------------------------------------

void bChargerZombie::Deserialize(const rapidjson::Value& object)
{
    MaxHealth = Json::Float(object, "MaxHealth");
    CurrentHealth = Json::Float(object, "CurrentHealth");
    TriggerRange = Json::Float(object, "TriggerRange");
    AttackRange = Json::Float(object, "AttackRange");
    AttackRangeSquared = AttackRange * AttackRange;
    ChargerChargeCD = ChargeCooldownTimer = Json::Float(object, "ChargerChargeCD");
    ChargeDamage = Json::Float(object, "ChargeDamage");
}

void bChargerZombie::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("MaxHealth", static_cast<double>(MaxHealth), allocator);
    object.AddMember("CurrentHealth", static_cast<double>(CurrentHealth), allocator);
    object.AddMember("TriggerRange", static_cast<double>(TriggerRange), allocator);
    object.AddMember("AttackRange", static_cast<double>(AttackRange), allocator);
    object.AddMember("ChargerChargeCD", static_cast<double>(ChargerChargeCD), allocator);
    object.AddMember("ChargeDamage", static_cast<double>(ChargeDamage), allocator);
}

void bChargerZombie::Inspect()
{
}
