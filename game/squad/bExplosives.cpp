#include "game/squad/bExplosives.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/sSoundSystem.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/WorldEffects.h"
#include "game/squad/bAOEdamage.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
// Below this speed the explosive lies still.
constexpr double RestSpeed = 0.001;
// A step that passes this close to the next bounce point has reached it.
constexpr double BounceReach = 30.0;
// The area is drawn larger than its range: its art fills 0.72 of its half size.
constexpr float AreaDrawnScale = 1.39f;
const char* const ExplosionLight = "ExplosionLight";

double LengthSquared(const Vector2& v)
{
    const double x = v.x;
    const double y = v.y;
    return x * x + y * y;
}
}

// --- Life cycle ------------------------------------------------------------------------------

void bExplosives::Awake(Coordinator&)
{
}

void bExplosives::Start(Coordinator&)
{
}

void bExplosives::Update(Coordinator& coordinator)
{
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (Exploded || movement == nullptr || coordinator.GetComponent<Transform>(entity) == nullptr)
        return;

    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        movement->Step();
        if (AtRest)
            RestTimer += FixedStep;
    }
    FollowBouncePath(coordinator);

    const double speedSquared = LengthSquared(movement->velocity);
    if (LaunchSpeedSquared == 0.0f)
        LaunchSpeedSquared = static_cast<float>(speedSquared);
    // An explosive that never moved has no launch speed to compare with, and stays silent.
    if (!SoundPlayed && LaunchSpeedSquared > 0.0f && SFXDelay >= speedSquared / LaunchSpeedSquared)
    {
        if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
            sound->PlaySfx(SFX, coordinator);
        SoundPlayed = true;
    }
    if (!AtRest && std::sqrt(speedSquared) < RestSpeed)
        AtRest = true;
    if (RestTimer > ExplodeDelay)
        Explode(coordinator);
}

void bExplosives::OnSceneUnload(Coordinator&)
{
}

// --- Flight ----------------------------------------------------------------------------------

void bExplosives::FollowBouncePath(Coordinator& coordinator)
{
    if (BouncePoints.empty() || coordinator.StepCount == 0)
        return;
    PhysicsMovement& movement = *coordinator.GetComponent<PhysicsMovement>(entity);
    Transform& transform = *coordinator.GetComponent<Transform>(entity);

    Vector2 velocity = movement.velocity;
    const double speed = std::sqrt(LengthSquared(velocity));
    if (speed > movement.Speed)
        velocity = {static_cast<float>(velocity.x * movement.Speed / speed),
                    static_cast<float>(velocity.y * movement.Speed / speed)};
    const Vector2 step{velocity.x / 60.0f, velocity.y / 60.0f};
    const double stepSquared = LengthSquared(step);
    // A step of no length reaches nothing (and would divide by zero).
    if (stepSquared == 0.0)
        return;

    const Vector2 point = BouncePoints.front();
    const double towardsX = static_cast<double>(point.x) - transform.position.x;
    const double towardsY = static_cast<double>(point.y) - transform.position.y;
    const double along = towardsX * step.x + towardsY * step.y;
    const double t = std::max(std::min(along, stepSquared), 0.0) / stepSquared;
    const double nearestX = transform.position.x + t * step.x;
    const double nearestY = transform.position.y + t * step.y;
    const double missX = nearestX - point.x;
    const double missY = nearestY - point.y;
    if (std::sqrt(missX * missX + missY * missY) >= BounceReach)
        return;

    PlaceEntityAt(coordinator, entity, point);
    // The movement system skips this step's advance, so the explosive stays on the point.
    movement.timeStep = 0.0f;
    if (BouncePoints.size() == 1)
    {
        movement.velocity = {0.0f, 0.0f};
        movement.ClearForces();
    }
    else if (!BounceNormals.empty())
    {
        const Vector2 normal = BounceNormals.front();
        const Vector2 v = movement.velocity;
        const float twiceAlong = 2.0f * (v.x * normal.x + v.y * normal.y);
        movement.velocity = {v.x - twiceAlong * normal.x, v.y - twiceAlong * normal.y};
        BounceNormals.erase(BounceNormals.begin());
    }
    BouncePoints.erase(BouncePoints.begin());
}

// --- Explosion ---------------------------------------------------------------------------------

void bExplosives::Explode(Coordinator& coordinator)
{
    // Once only: the area and the light must not be spawned twice, nor the entity queued twice.
    Exploded = true;
    const Vector2 place = coordinator.GetComponent<Transform>(entity)->position;
    const Entity area = SpawnPrefabAt(coordinator, OnDestroy, place);
    SpawnPrefabAt(coordinator, ExplosionLight, place);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(area))
        renderer->animated = true;
    HandFiguresTo(coordinator, area);
    if (ScreenShake)
        StartScreenShake(coordinator);
    coordinator.DestroyEntity(entity);
}

void bExplosives::HandFiguresTo(Coordinator& coordinator, Entity area) const
{
    const std::shared_ptr<bAOEdamage> damageArea = coordinator.GetBehaviourAs<bAOEdamage>(area);
    if (!damageArea)
        return;
    // A figure of 0 leaves the area prefab's own.
    if (EffectRange != 0.0f)
    {
        damageArea->Range = EffectRange;
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(area))
            renderer->scaleX = renderer->scaleY = EffectRange * AreaDrawnScale;
    }
    if (Damage != 0.0f)
        damageArea->Damage = Damage;
    if (Duration != 0.0f)
        damageArea->Duration = Duration;
    if (DamageTick != 0.0f)
        damageArea->DamageTick = DamageTick;
    if (FriendlyFire != 0.0f)
        damageArea->FriendlyFire = FriendlyFire;
}

// --- Data ----------------------------------------------------------------------------------------

void bExplosives::Inspect()
{
}

void bExplosives::Deserialize(const rapidjson::Value& object)
{
    Duration = Json::Float(object, "Duration", Duration);
    Damage = Json::Float(object, "Damage", Damage);
    EffectRange = Json::Float(object, "EffectRange", EffectRange);
    DamageTick = Json::Float(object, "DamageTick", DamageTick);
    FriendlyFire = Json::Float(object, "FriendlyFire", FriendlyFire);
    OnDestroy = Json::String(object, "OnDestroy", OnDestroy);
    SFX = Json::String(object, "SFX", SFX);
    SFXDelay = Json::Float(object, "SFXDelay", SFXDelay);
    ScreenShake = Json::Bool(object, "ScreenShake", ScreenShake);
    ExplodeDelay = Json::Float(object, "ExplodeDelay", ExplodeDelay);
}

void bExplosives::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("Duration", static_cast<double>(Duration), allocator);
    object.AddMember("Damage", static_cast<double>(Damage), allocator);
    object.AddMember("EffectRange", static_cast<double>(EffectRange), allocator);
    object.AddMember("DamageTick", static_cast<double>(DamageTick), allocator);
    object.AddMember("FriendlyFire", static_cast<double>(FriendlyFire), allocator);
    object.AddMember("OnDestroy", rapidjson::Value(OnDestroy.c_str(), allocator), allocator);
    object.AddMember("SFX", rapidjson::Value(SFX.c_str(), allocator), allocator);
    object.AddMember("SFXDelay", static_cast<double>(SFXDelay), allocator);
    object.AddMember("ScreenShake", ScreenShake, allocator);
    object.AddMember("ExplodeDelay", static_cast<double>(ExplodeDelay), allocator);
}
