// The soldier's weapon: timers, reloads, the shot halt, the animation clip, shots at the target,
// the empty-gun click; and the player's orders to reload, heal and throw.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bTargetableObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
// Seconds after which the shot halt re-arms, so a soldier that keeps shooting can be moved.
constexpr float ShotHaltRearm = 1.666f;
// Seconds between two empty-gun clicks, and where the timer restarts after one.
constexpr float EmptyGunPeriod = 3.0f;
constexpr float EmptyGunRestart = 0.0001f;
constexpr float InstantKillDamage = 20000.0f;
constexpr float ShotDamageScale = 1.5f;
constexpr float HealAmount = 50.0f;
constexpr float ThrowSpeedScale = 1.5f;
constexpr float ThrowPush = 50.0f;
// The tutorial step that teaches healing; its panel closes when a soldier heals.
constexpr int HealTutorialStep = 9;

// Sound classes of WeaponFigures.
constexpr int RifleSound = 1;
constexpr int PistolSound = 2;

// Sound ids as built strings, so that playing one allocates nothing.
const std::string RifleShot = "Rifle_false_SFX_";
const std::string PistolShot = "Pistol_false_SFX_";
const std::string RifleReload = "ReloadRifle_false_SFX_";
const std::string PistolReload = "PistolReload_false_SFX_";
const std::string EmptyGun = "EmptyGun_false_SFX_";
const std::string MedKit = "MedKit_false_SFX_";

void Play(Coordinator& coordinator, const std::string& sound)
{
    coordinator.GetSystem<sSoundSystem>()->PlaySfx(sound, coordinator);
}

const Vector2* PositionOf(Coordinator& coordinator, Entity entity)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    return transform == nullptr ? nullptr : &transform->position;
}

// Seconds between two shots and the length of a reload; infinite for an unarmed soldier.
float ShotInterval(const WeaponFigures& weapon)
{
    return 2.0f / static_cast<float>(weapon.FireRate);
}

float ReloadTime(const WeaponFigures& weapon)
{
    return 20.0f / static_cast<float>(weapon.ReloadRate);
}
}

void bPlayerBehaviour::RunWeapon(Coordinator& coordinator)
{
    OutOfAmmo = !WeaponStats.InfiniteAmmo && ClipRounds == 0 && AmmoTotal == 0 && Target != NO_ENTITY;

    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        if (ActionState == ActionShooting)
            FireTimer += FixedStep;
        if (ActionState == ActionReloading || ActionState == ActionReloadingMoving)
            ReloadTimer += FixedStep;
        if (!ShotHaltReady)
            ShotHaltTimer += FixedStep;
        if (OutOfAmmo)
            EmptyGunTimer += FixedStep;
    }
    if (ShotHaltTimer >= ShotHaltRearm)
    {
        ShotHaltTimer = 0.0f;
        ShotHaltReady = true;
    }

    if (ClipRounds == 0 && AmmoTotal > 0)
        Reload(coordinator);

    // A soldier that starts shooting stops where it stands.
    if (ActionState == ActionShooting && ShotHaltReady)
    {
        Waypoints.clear();
        if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
            movement->RemoveForce("Move");
        ShotHaltReady = false;
    }

    ChooseClip(coordinator);

    std::shared_ptr<IBehaviour> target;
    if (!coordinator.GetBehaviour(Target, target))
        Target = NO_ENTITY;
    else
    {
        const Vector2* own = PositionOf(coordinator, entity);
        const Vector2* aim = PositionOf(coordinator, Target);
        if (own != nullptr && aim != nullptr && ActionState != ActionAiming && ActionState != ActionAimingMoving)
            coordinator.GetComponent<Transform>(entity)->SetRotationFromDirectionRecursive(
                {aim->x - own->x, aim->y - own->y}, coordinator);
        if (auto character = std::dynamic_pointer_cast<bCharacterBehaviour>(target))
        {
            FireAt(coordinator, *character);
            if (character->CurrentHealth <= 0.0f)
            {
                const Entity dead = Target;
                for (Entity soldier : PlayerList())
                    if (auto other = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
                        other && other->Target == dead)
                        other->Target = NO_ENTITY;
                Target = NO_ENTITY;
            }
        }
        // Targets out of range are dropped, but destructible objects are shot from any distance.
        if (Target != NO_ENTITY && own != nullptr && aim != nullptr &&
            !std::dynamic_pointer_cast<bTargetableObjects>(target))
        {
            const double dx = static_cast<double>(aim->x) - own->x;
            const double dy = static_cast<double>(aim->y) - own->y;
            if (dx * dx + dy * dy > static_cast<double>(TriggerRange) * TriggerRange)
                Target = NO_ENTITY;
        }
    }

    // A soldier with a target and nothing to shoot clicks every few seconds. The click is due
    // only when the timer reaches the period: a timer left at its restart value (the soldier got
    // rounds or lost its target right after a click) stays silent.
    if (EmptyGunTimer >= EmptyGunPeriod)
    {
        EmptyGunTimer = EmptyGunRestart;
        sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>();
        sound->StopSfx(EmptyGun);
        sound->PlaySfx(EmptyGun, coordinator);
    }

    // The shot moment passes whether or not a shot was fired.
    if (FireTimer >= ShotInterval(WeaponStats))
        FireTimer = 0.0f;

    if (ReloadTimer >= ReloadTime(WeaponStats))
    {
        ReloadTimer = 0.0f;
        const std::uint16_t loaded = std::min(AmmoTotal, WeaponStats.ClipSize);
        ClipRounds = loaded;
        AmmoTotal = static_cast<std::uint16_t>(AmmoTotal - loaded);
        ActionState = ActionIdle;
    }
    else
    {
        if (ActionState == ActionShooting && (Target == NO_ENTITY || (!WeaponStats.InfiniteAmmo && ClipRounds == 0)))
            ActionState = ActionIdle;
        if (ActionState == ActionThrowing)
            if (const Animation* animation = coordinator.GetComponent<Animation>(entity);
                animation && animation->finished)
                ActionState = ActionIdle;
    }
}

void bPlayerBehaviour::FireAt(Coordinator& coordinator, bCharacterBehaviour& target)
{
    if (!(target.CurrentHealth > 0.0f) || FireTimer < ShotInterval(WeaponStats) || ActionState != ActionShooting)
        return;
    if (!WeaponStats.InfiniteAmmo && ClipRounds == 0)
        return;
    const float damage =
        WeaponStats.InstantKill ? InstantKillDamage : static_cast<float>(WeaponStats.ShotDamage) * ShotDamageScale;
    target.TakeDamage(coordinator, damage, entity);
    if (!WeaponStats.InfiniteAmmo)
        --ClipRounds;
    if (WeaponStats.SoundClass == RifleSound)
        Play(coordinator, RifleShot);
    else if (WeaponStats.SoundClass == PistolSound)
        Play(coordinator, PistolShot);
    ShowBulletLine(coordinator);
}

void bPlayerBehaviour::ChooseClip(Coordinator& coordinator)
{
    Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (animation == nullptr)
        return;
    const char* clip = animation->StateNameText();
    switch (ActionState)
    {
    case ActionIdle:
    case ActionReloading:
        if (std::strcmp(clip, "Idle") != 0)
            animation->AnimationState = 0;
        break;
    case ActionShooting:
        if (std::strcmp(clip, "Shooting") != 0)
        {
            animation->HoldState = false;
            animation->AnimationState = 5;
        }
        break;
    case ActionAiming:
    case ActionAimingMoving:
        if (std::strcmp(clip, "Aim") != 0)
        {
            animation->AnimationState = 17;
            animation->HoldState = true;
        }
        break;
    case ActionThrowing:
        if (std::strcmp(clip, "Throwing") != 0)
        {
            animation->AnimationState = 18;
            animation->HoldState = true;
        }
        break;
    default: // reloading on the move, dead: the clip stays
        break;
    }
}

void bPlayerBehaviour::Reload(Coordinator& coordinator)
{
    if (ActionState >= ActionReloading && ActionState <= ActionAimingMoving)
        return;
    if (ClipRounds >= WeaponStats.ClipSize || AmmoTotal == 0)
        return;
    if (WeaponStats.SoundClass == RifleSound)
        Play(coordinator, RifleReload);
    else if (WeaponStats.SoundClass == PistolSound)
        Play(coordinator, PistolReload);
    ActionState = ActionReloading;
    AmmoTotal = static_cast<std::uint16_t>(AmmoTotal + ClipRounds);
    ClipRounds = 0;
}

void bPlayerBehaviour::Heal(Coordinator& coordinator)
{
    if (HealthPacks == 0 || CurrentHealth == MaxHealth)
        return;
    Play(coordinator, MedKit);
    CurrentHealth += HealAmount;
    const Entity icon = InstantiatePrefab(coordinator, "Plus_Icon");
    std::shared_ptr<IBehaviour> iconBehaviour;
    if (coordinator.GetBehaviour(icon, iconBehaviour))
        iconBehaviour->boundEntity = entity;
    CurrentHealth = std::min(CurrentHealth, MaxHealth);
    --HealthPacks;

    bTutorialLogic* tutorial = TutorialLogicInstance();
    if (tutorial == nullptr || tutorial->TutorialStep != HealTutorialStep)
        return;
    // The heal lesson's panel closes as if it had played out; the index is signed, so a
    // tutorial of another level never reads before the list.
    const long long panel = tutorial->TutorialLevel == 1 ? tutorial->TutorialStep - 1 : tutorial->TutorialStep - 11;
    if (panel < 0 || panel >= static_cast<long long>(tutorial->Panels.size()))
        return;
    if (auto image = coordinator.GetBehaviourAs<bImageBehaviour>(tutorial->Panels[static_cast<std::size_t>(panel)]))
    {
        image->active = false;
        image->ShowTimerStarted = true;
    }
}

void bPlayerBehaviour::Throw(Coordinator& coordinator, const std::string& prefab, float distance,
                             const std::vector<Vector2>& path, const std::vector<Vector2>& normals)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    const Entity projectile = InstantiatePrefab(coordinator, prefab);
    PlaceEntityAt(coordinator, projectile, transform->position);
    const float angle = transform->rotation;
    const Vector2 heading = {std::cos(angle), std::sin(angle)};
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(projectile))
    {
        movement->velocity = {distance * heading.x * ThrowSpeedScale, distance * heading.y * ThrowSpeedScale};
        const float duration = (std::sqrt(distance * distance + 100.0f * distance) - distance) / ThrowPush;
        movement->AddForce(0, duration, 0.0f, heading, ThrowPush, "throw");
    }
    if (auto explosive = coordinator.GetBehaviourAs<bExplosives>(projectile))
    {
        explosive->BouncePoints = path;
        explosive->BounceNormals = normals;
    }
    // The throwing clip must play from its start: the aim clip before it is held on its last
    // frame with the finished flag set, which would end the throw at once.
    if (Animation* animation = coordinator.GetComponent<Animation>(entity))
    {
        animation->finished = false;
        animation->frameIndex = 0;
    }
}

void bPlayerBehaviour::ShowBulletLine(Coordinator& coordinator)
{
    if (Target == NO_ENTITY || BulletLine == NO_ENTITY)
        return;
    const Vector2* own = PositionOf(coordinator, entity);
    const Vector2* aim = PositionOf(coordinator, Target);
    Transform* line = coordinator.GetComponent<Transform>(BulletLine);
    Renderer* renderer = coordinator.GetComponent<Renderer>(BulletLine);
    if (own == nullptr || aim == nullptr || line == nullptr || renderer == nullptr)
        return;
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(BulletLine, behaviour))
        behaviour->active = true;
    const Vector2 delta = {aim->x - own->x, aim->y - own->y};
    const float length =
        static_cast<float>(std::sqrt(static_cast<double>(delta.x) * delta.x + static_cast<double>(delta.y) * delta.y));
    renderer->scaleX = length * 0.5f;
    PlaceEntityAt(coordinator, BulletLine, {own->x + delta.x * 0.5f, own->y + delta.y * 0.5f});
    line->SetRotationFromDirection(delta);
}
