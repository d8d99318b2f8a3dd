#include "game/squad/bAOEdamage.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/Damage.h"
#include "game/squad/WorldEffects.h"
#include "game/squad/bCharacterBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <limits>
#include <set>

namespace
{
constexpr float FixedStep = 1.0f / 60.0f;
const char* const PathGridName = "PathfindingGrid";
const char* const FireMarker = "Fire_AOE_Indicator";
const char* const PlayerTag = "PLAYER";
const char* const EnemyTag = "ENEMY";
}

// --- Life cycle ------------------------------------------------------------------------------

void bAOEdamage::Awake(Coordinator&)
{
}

void bAOEdamage::Start(Coordinator& coordinator)
{
    WallGrid = nullptr;
    const auto [found, gridEntity] =
        coordinator.GetSystem<sIdentifierSystem>()->FindEntityByName(coordinator, PathGridName);
    if (!found)
        return;
    if (const std::shared_ptr<bUniqueGrid> owner = coordinator.GetBehaviourAs<bUniqueGrid>(gridEntity))
        WallGrid = owner->Grid.get();
}

void bAOEdamage::Update(Coordinator& coordinator)
{
    // An area is a place: without one (or without the broadphase to search) it does nothing.
    if (Ended || !TrackVisibility(coordinator) || coordinator.GetComponent<Transform>(entity) == nullptr ||
        !coordinator.BroadphaseGrid)
        return;
    if (!IndicatorDone)
    {
        IndicatorDone = true;
        ShowFireMarker(coordinator);
    }
    if (!SoundStarted)
    {
        if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
            SoundChannel = sound->RestartSfxWithFade(SFX, coordinator);
        SoundStarted = true;
    }
    if (Duration != 0.0f && Elapsed >= Duration)
    {
        End(coordinator);
        return;
    }

    SweepHitRecords();
    if (!HitOnce)
    {
        const Vector2 centre = coordinator.GetComponent<Transform>(entity)->position;
        for (Entity found : OverlapCircle(coordinator, *coordinator.BroadphaseGrid, centre, Range, {}))
            ApplyHit(coordinator, found);
        if (DamageTick <= 0.0f)
            HitOnce = true;
    }

    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        for (auto& [character, record] : HitRecords)
            if (record.hit)
                record.timer += FixedStep;
        Elapsed += FixedStep;
        Grow(coordinator);
    }
}

void bAOEdamage::OnSceneUnload(Coordinator&)
{
}

// --- Steps of Update -----------------------------------------------------------------------------

bool bAOEdamage::TrackVisibility(Coordinator& coordinator)
{
    sSystemBase* renderer = coordinator.SystemManager.FindSystemByName(TypeName<sRendererSystem>());
    if (!active)
    {
        // Hidden and frozen: out of the drawing system once, and no damage, ageing or growth.
        if (inSystems && renderer != nullptr && renderer->entities.count(entity) != 0)
            coordinator.RemoveEntityFromSystem<sRendererSystem>(entity);
        inSystems = false;
        return false;
    }
    if (!inSystems)
    {
        if (renderer != nullptr && coordinator.GetComponent<Renderer>(entity) != nullptr)
            coordinator.AddEntityToSystem<sRendererSystem>(entity);
        inSystems = true;
    }
    return true;
}

void bAOEdamage::ShowFireMarker(Coordinator& coordinator)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (identifier == nullptr || identifier->name.find("Fire") == std::string::npos)
        return;
    const Vector2 centre = coordinator.GetComponent<Transform>(entity)->position;
    const Entity marker = SpawnPrefabAt(coordinator, FireMarker, centre);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(marker))
        renderer->scaleX = renderer->scaleY = 2.0f * Range;
    if (const std::shared_ptr<bImageBehaviour> image = coordinator.GetBehaviourAs<bImageBehaviour>(marker))
    {
        // The marker hides, and so deletes itself, when the area's life is over.
        image->ShowTimer = Duration;
        image->ShowTimerRemaining = Duration;
        image->DeleteWhenHide = true;
        // Its Start set its effect up where it was spawned; it now stands elsewhere.
        image->SetUpEffect(coordinator);
    }
}

void bAOEdamage::End(Coordinator& coordinator)
{
    Ended = true;
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->StopSfx(SFX, SoundChannel);
    coordinator.DestroyEntity(entity);
}

void bAOEdamage::SweepHitRecords()
{
    for (auto& [character, record] : HitRecords)
    {
        // A character that left (or was shielded) is due again at once when it comes back.
        if (!record.hit || (DamageTick != 0.0f && record.timer >= DamageTick))
            record.timer = 0.0f;
        record.hit = false;
    }
}

void bAOEdamage::ApplyHit(Coordinator& coordinator, Entity target)
{
    const std::shared_ptr<bCharacterBehaviour> character = CharacterOf(coordinator, target);
    if (!character)
        return;
    if (WallBounded && WallGrid != nullptr && IsShielded(coordinator, target))
        return;
    HitRecord& record = HitRecords.try_emplace(target, HitRecord{true, 0.0f}).first->second;
    if (record.timer == 0.0f)
        character->TakeDamage(coordinator, DamageOn(coordinator, target), entity);
    record.hit = true;
}

bool bAOEdamage::IsShielded(Coordinator& coordinator, Entity target) const
{
    const Transform* targetTransform = coordinator.GetComponent<Transform>(target);
    if (targetTransform == nullptr)
        return false;
    const Vector2 centre = coordinator.GetComponent<Transform>(entity)->position;
    const std::set<Entity> ignored{target};
    return !Raycast(coordinator, *WallGrid, centre, targetTransform->position, &ignored).empty();
}

float bAOEdamage::DamageOn(Coordinator& coordinator, Entity target) const
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(target);
    if (identifier != nullptr && identifier->HasTag(PlayerTag))
        return Damage * (1.0f - FriendlyFire);
    if (identifier != nullptr && identifier->HasTag(EnemyTag))
        return Damage * (1.0f - EnemyFire);
    return Damage;
}

void bAOEdamage::Grow(Coordinator& coordinator)
{
    // A negative (or NaN) rate never grows; an infinite one, of a SizeDuration of 0 or less,
    // reaches MaxSize in this step. The size never passes MaxSize.
    if (MaxSize == 0.0f || !(MaxSize > Range) || !(GrowthRate > 0.0f))
        return;
    Range = std::min(Range + GrowthRate * FixedStep, MaxSize);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
        renderer->scaleX = renderer->scaleY = Range;
}

// --- Data ----------------------------------------------------------------------------------------

void bAOEdamage::Inspect()
{
}

void bAOEdamage::Deserialize(const rapidjson::Value& object)
{
    Duration = Json::Float(object, "Duration", Duration);
    Damage = Json::Float(object, "Damage", Damage);
    Range = Json::Float(object, "Range", Range);
    DamageTick = Json::Float(object, "DamageTick", DamageTick);
    FriendlyFire = Json::Float(object, "FriendlyFire", FriendlyFire);
    EnemyFire = Json::Float(object, "EnemyFire", EnemyFire);
    SFX = Json::String(object, "SFX", SFX);
    WallBounded = Json::Bool(object, "WallBounded", WallBounded);
    if (Json::Find(object, "MaxSize") == nullptr)
        return;
    MaxSize = Json::Float(object, "MaxSize");
    if (Json::Find(object, "SizeDuration") == nullptr)
        return;
    SizeDuration = Json::Float(object, "SizeDuration");
    // No time to grow in means full size at once, never a division by zero.
    GrowthRate = SizeDuration > 0.0f ? (MaxSize - Range) / SizeDuration : std::numeric_limits<float>::infinity();
}

void bAOEdamage::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("Duration", static_cast<double>(Duration), allocator);
    object.AddMember("Damage", static_cast<double>(Damage), allocator);
    object.AddMember("Range", static_cast<double>(Range), allocator);
    object.AddMember("DamageTick", static_cast<double>(DamageTick), allocator);
    object.AddMember("FriendlyFire", static_cast<double>(FriendlyFire), allocator);
    object.AddMember("EnemyFire", static_cast<double>(EnemyFire), allocator);
    object.AddMember("SFX", rapidjson::Value(SFX.c_str(), allocator), allocator);
    object.AddMember("WallBounded", WallBounded, allocator);
    object.AddMember("MaxSize", static_cast<double>(MaxSize), allocator);
    object.AddMember("SizeDuration", static_cast<double>(SizeDuration), allocator);
}
