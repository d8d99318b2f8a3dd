// Damage to a soldier and its death: the red flash on the soldier and its HUD panel, the body
// left behind, the supplies dropped, and the news passed to the HUD and the level rules.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameRandom.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SoldierSharedState.h"

#include <algorithm>

namespace
{
constexpr float FlashTint[3] = {1.25f, 0.0f, 0.0f};
constexpr float FlashSeconds = 0.5f;
// The tutorial step that teaches taking damage.
constexpr int DamageTutorialStep = 8;
// A body lies beneath the living, in dim light.
constexpr float BodyLayer = 0.71f;
constexpr float BodyLight = 0.2f;
constexpr int DeathClip = 14;
// Drops other than ammunition land up to this far off the body (the same offset on both axes).
constexpr float DropScatterDivisor = 655.34f;

void Flash(Coordinator& coordinator, Entity entity)
{
    Renderer* renderer = coordinator.GetComponent<Renderer>(entity);
    if (renderer == nullptr)
        return;
    std::copy(std::begin(FlashTint), std::end(FlashTint), renderer->tint);
    renderer->tintFlashActive = true;
    renderer->tintFlashTime = FlashSeconds;
}

void Drop(Coordinator& coordinator, const std::string& prefab, const Vector2& point)
{
    const Entity drop = InstantiatePrefab(coordinator, prefab);
    PlaceEntityAt(coordinator, drop, point);
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(drop))
        renderer->animated = true;
}

// The drops scatter by the game's generator, so a replay drops them in the same places.
Vector2 Scattered(const Vector2& point)
{
    const float offset = static_cast<float>(GameRandom()) / DropScatterDivisor;
    return {point.x + offset, point.y + offset};
}
}

void bPlayerBehaviour::TakeDamage(Coordinator& coordinator, float amount, Entity)
{
    if (amount == 0.0f || Invulnerable)
        return;
    coordinator.GetSystem<sSoundSystem>()->PlaySfx("Damage_false_SFX_", coordinator);
    CurrentHealth -= amount;
    Flash(coordinator, entity);
    if (TutorialLogicInstance() != nullptr && TutorialLogicInstance()->TutorialStep == DamageTutorialStep)
        TutorialLogicInstance()->Advance(coordinator);
    bHUD* hud = HUDInstance();
    if (hud == nullptr)
        return;
    // The HUD keeps PanelStride panel elements per soldier, in soldier order, and one portrait.
    const long long number = PlayerNumber;
    const long long stride = static_cast<long long>(hud->PanelStride);
    for (long long i = (number - 1) * stride; i < number * stride; ++i)
        if (i >= 0 && i < static_cast<long long>(hud->SoldierPanelEntities.size()))
            Flash(coordinator, hud->SoldierPanelEntities[static_cast<std::size_t>(i)]);
    if (number >= 1 && number <= static_cast<long long>(hud->SoldierPortraits.size()))
        Flash(coordinator, hud->SoldierPortraits[static_cast<std::size_t>(number - 1)]);
}

void bPlayerBehaviour::OnDeath(Coordinator& coordinator)
{
    // A soldier dies once: the level lost after its death, or a second killing blow in the same
    // frame, must not drop its supplies again or count it out twice.
    if (deathHandled)
        return;
    deathHandled = true;

    ActionState = ActionDead;
    CurrentHealth = 0.0f;
    if (Animation* animation = coordinator.GetComponent<Animation>(entity))
        animation->AnimationState = DeathClip;
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(entity))
    {
        renderer->layer = BodyLayer;
        renderer->lightingFactor = BodyLight;
    }

    coordinator.RemoveEntityFromSystem<sPhysicsMovement>(entity);
    coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);

    std::vector<Entity>& players = PlayerList();
    players.erase(std::remove(players.begin(), players.end(), entity), players.end());

    if (OffscreenMarkerShown && HUDInstance() != nullptr)
    {
        bHUD::HideOffscreenMarker(coordinator, static_cast<int>(PlayerNumber));
        OffscreenMarkerShown = false;
    }

    // The soldier's torch goes out with it; its other children stay on the body.
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform != nullptr)
    {
        sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
        for (const std::string& child : transform->GetAllChildren(coordinator))
        {
            const auto [found, light] = names->FindEntityByName(coordinator, child);
            const Identifier* identifier = found ? coordinator.GetComponent<Identifier>(light) : nullptr;
            if (identifier != nullptr && identifier->HasTag("SPOTLIGHT"))
                coordinator.DestroyEntity(light);
        }

        const Vector2 body = transform->position;
        if (AmmoTotal > WeaponStats.ClipSize)
            Drop(coordinator, "Ammo_Drop", body);
        if (HealthPacks > 0)
            Drop(coordinator, "Health_Pack", Scattered(body));
        if (Grenades > 0)
            Drop(coordinator, "Grenade_Pickup", Scattered(body));
        if (Molotovs > 0)
            Drop(coordinator, "Molotov_Pickup", Scattered(body));
    }

    coordinator.GetSystem<sSoundSystem>()->PlaySfx("PlayerDie_false_SFX_", coordinator);
    Deselect(coordinator);
    active = false;
    if (HUDInstance() != nullptr)
        bHUD::ShowPlayerDeathIcon(coordinator, entity);
    if (GameLogicInstance() != nullptr)
        --GameLogicInstance()->PlayersAlive;
}
