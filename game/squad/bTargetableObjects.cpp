#include "game/squad/bTargetableObjects.h"
#include "engine/components/Animation.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/OneShotEffects.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/squad/WorldEffects.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <imgui.h>

namespace
{
constexpr int LeftButton = 1;
constexpr int KeyPressed = 1;
constexpr float FixedStep = 1.0f / 60.0f;
// Above this the hit look has shown for one Update.
constexpr float HitLookTime = 0.015f;
// Frame time that must pass between two sparks.
constexpr float SparkInterval = 0.5f;
constexpr int SparksState = 15;
const char* const DamageSound = "Damage_false_SFX_";
const char* const GridTag = "GRID";

// The Animation state, and its clip name, that shows each look.
struct Look
{
    int state;
    const char* clip;
};
constexpr Look Looks[] = {{10, "Non_Hover"}, {11, "Hover"}, {9, "TakeDamage"}};

template <class T>
void ReadList(const rapidjson::Value& object, const char* key, std::vector<T>& list)
{
    const rapidjson::Value* array = Json::OptionalArray(object, key);
    if (array == nullptr)
        return;
    for (const rapidjson::Value& element : array->GetArray())
    {
        if constexpr (std::is_same_v<T, std::string>)
            list.push_back(Json::AsString(element, key));
        else
            list.push_back(Json::AsFloat(element, key));
    }
}

void WriteList(rapidjson::Value& object, const char* key, const std::vector<float>& list,
               rapidjson::Document::AllocatorType& allocator)
{
    rapidjson::Value array(rapidjson::kArrayType);
    for (float value : list)
        array.PushBack(static_cast<double>(value), allocator);
    object.AddMember(rapidjson::StringRef(key), array, allocator);
}
}

// --- Life cycle ------------------------------------------------------------------------------

void bTargetableObjects::Awake(Coordinator&)
{
}

void bTargetableObjects::Start(Coordinator&)
{
}

void bTargetableObjects::Update(Coordinator& coordinator)
{
    if (CurrentHealth <= 0.0f)
        OnDeath(coordinator);
    else if (CurrentHealth > MaxHealth)
        CurrentHealth = MaxHealth;

    // Picking runs after the behaviours, so a hover seen here is the previous frame's.
    if (!Hovered && LookState == LookHovered)
        LookState = LookPlain;
    ShowLook(coordinator);
    if (LookState == LookHit)
    {
        HitTimer += FixedStep;
        if (HitTimer > HitLookTime)
        {
            LookState = LookPlain;
            HitTimer = 0.0f;
        }
    }
    Hovered = false;
    SparkTimer += coordinator.DeltaTime;
}

void bTargetableObjects::OnSceneUnload(Coordinator&)
{
}

// --- Cursor ------------------------------------------------------------------------------------

void bTargetableObjects::OnHover(Coordinator& coordinator)
{
    Hovered = true;
    LookState = LookHovered;
    if (coordinator.GetKeyState(LeftButton) != KeyPressed)
        return;
    if (const bGameController* controller = GameControllerInstance())
        SendOneSoldier(coordinator, *controller);
}

void bTargetableObjects::SendOneSoldier(Coordinator& coordinator, const bGameController& controller)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr || !coordinator.BroadphaseGrid)
        return;
    std::shared_ptr<bPlayerBehaviour> first;
    std::shared_ptr<bPlayerBehaviour> firstFree;
    for (const auto& [soldier, selected] : controller.Players)
    {
        if (!selected)
            continue;
        std::shared_ptr<bPlayerBehaviour> player = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (!player)
            continue;
        const bool armed = player->WeaponStats.InfiniteAmmo || player->ClipRounds > 0;
        // A view through glass is no view: only a clear line counts.
        if (!armed || player->LineOfSight(coordinator, *coordinator.BroadphaseGrid, transform->position, entity) != 1)
            continue;
        if (!first)
            first = player;
        const bool reloading = player->ActionState == bPlayerBehaviour::ActionReloading ||
                               player->ActionState == bPlayerBehaviour::ActionReloadingMoving;
        if (!firstFree && !reloading && player->Target == NO_ENTITY && player->ClipRounds > 0)
            firstFree = player;
    }
    if (firstFree)
        firstFree->Target = entity;
    else if (first)
        first->Target = entity;
}

// --- Damage and death ----------------------------------------------------------------------------

void bTargetableObjects::TakeDamage(Coordinator& coordinator, float amount, Entity)
{
    if (amount == 0.0f || Invulnerable)
        return;
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->PlaySfx(DamageSound, coordinator);
    CurrentHealth -= amount;
    LookState = LookHit;
    if (SparkTimer >= SparkInterval)
    {
        if (const Transform* transform = coordinator.GetComponent<Transform>(entity))
            SpawnOneShot(SparksState, coordinator, transform->position);
        SparkTimer = 0.0f;
    }
}

void bTargetableObjects::OnDeath(Coordinator& coordinator)
{
    // The entity leaves at this frame's destruction pass; until then nothing may break it twice.
    if (DeathHandled)
        return;
    DeathHandled = true;
    CurrentHealth = 0.0f;
    active = false;
    StartScreenShake(coordinator);

    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    const Vector2 place = transform != nullptr ? transform->position : Vector2{};
    std::vector<Entity> spawned;
    spawned.reserve(OnDestroy.size());
    for (const std::string& prefab : OnDestroy)
        spawned.push_back(SpawnPrefabAt(coordinator, prefab, place));
    for (std::size_t i = 0; i < spawned.size(); ++i)
        ConfigureArea(coordinator, spawned[i], i);

    coordinator.DestroyEntity(entity);
    LeavePathGrids(coordinator);
}

void bTargetableObjects::ConfigureArea(Coordinator& coordinator, Entity spawned, std::size_t index) const
{
    const std::shared_ptr<bAOEdamage> area = coordinator.GetBehaviourAs<bAOEdamage>(spawned);
    if (!area)
        return;
    if (index < EffectRange.size())
    {
        area->Range = EffectRange[index];
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(spawned))
            renderer->scaleX = renderer->scaleY = EffectRange[index];
    }
    if (index < Damage.size())
        area->Damage = Damage[index];
    if (index < Duration.size())
        area->Duration = Duration[index];
    if (index < DamageTick.size())
        area->DamageTick = DamageTick[index];
    if (index < FriendlyFire.size())
        area->FriendlyFire = FriendlyFire[index];
}

void bTargetableObjects::LeavePathGrids(Coordinator& coordinator) const
{
    // The occupancy map keeps these cells blocked until a door breach rebuilds it.
    for (Entity grid : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, GridTag))
    {
        const std::shared_ptr<bUniqueGrid> owner = coordinator.GetBehaviourAs<bUniqueGrid>(grid);
        if (owner && owner->Grid)
            owner->Grid->Remove(entity);
    }
}

void bTargetableObjects::ShowLook(Coordinator& coordinator) const
{
    Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (animation == nullptr || LookState < LookPlain || LookState > LookHit)
        return;
    const Look& look = Looks[LookState];
    if (animation->GetStateName() != look.clip)
        animation->AnimationState = look.state;
}

// --- Data ----------------------------------------------------------------------------------------

void bTargetableObjects::Deserialize(const rapidjson::Value& object)
{
    NonHoverTexture = Json::String(object, "NonHoverTexture", NonHoverTexture);
    HoverTexture = Json::String(object, "HoverTexture", HoverTexture);
    MaxHealth = Json::Float(object, "MaxHealth", MaxHealth);
    CurrentHealth = Json::Float(object, "CurrentHealth", CurrentHealth);
    ReadList(object, "OnDestroy", OnDestroy);
    ReadList(object, "EffectRange", EffectRange);
    ReadList(object, "Damage", Damage);
    ReadList(object, "Duration", Duration);
    ReadList(object, "DamageTick", DamageTick);
    ReadList(object, "FriendlyFire", FriendlyFire);
}

void bTargetableObjects::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("NonHoverTexture", rapidjson::Value(NonHoverTexture.c_str(), allocator), allocator);
    object.AddMember("HoverTexture", rapidjson::Value(HoverTexture.c_str(), allocator), allocator);
    object.AddMember("MaxHealth", static_cast<double>(MaxHealth), allocator);
    object.AddMember("CurrentHealth", static_cast<double>(CurrentHealth), allocator);
    rapidjson::Value prefabs(rapidjson::kArrayType);
    for (const std::string& prefab : OnDestroy)
        prefabs.PushBack(rapidjson::Value(prefab.c_str(), allocator), allocator);
    object.AddMember("OnDestroy", prefabs, allocator);
    WriteList(object, "EffectRange", EffectRange, allocator);
    WriteList(object, "Damage", Damage, allocator);
    WriteList(object, "Duration", Duration, allocator);
    WriteList(object, "DamageTick", DamageTick, allocator);
    WriteList(object, "FriendlyFire", FriendlyFire, allocator);
}

void bTargetableObjects::Inspect()
{
    if (!ImGui::CollapsingHeader("Targetable Object Behaviour"))
        return;
    ImGui::DragFloat("Max Health", &MaxHealth);
    ImGui::DragFloat("Current Health", &CurrentHealth);
}
