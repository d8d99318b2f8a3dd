// The soldier and the world around it: the off-screen marker, pickups seen and taken, doors in
// reach and breached, other soldiers bumped into, and the selection marker.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/DoorButtonPool.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/VectorHelpers.h"

namespace
{
// The bottom of the screen, in screen pixels, that the HUD bar covers.
constexpr float HudBarHeight = 185.0f;
// A soldier pushing another aside on a long path, or giving way to it.
constexpr std::size_t LongPathWaypoints = 3;
constexpr float NudgeDuration = 0.2f;
constexpr float NudgeStrength = 20.0f;
constexpr float HealthPickup = 50.0f;
// Lighting factors of pickups a soldier sees and of those nobody sees.
constexpr float PickupSeenLight = 1.0f;
constexpr float PickupUnseenLight = 0.2f;
// Tutorial steps that the door and the hint marker "TUTOR9" teach.
constexpr int DoorTutorialStep = 6;
constexpr int ReloadTutorialStep = 10;

const std::string PickupTag = "PICKUP";
const std::string DoorTag = "DOOR";
const std::string PickupSound = "Click1_false_SFX_";

bool Carries(Coordinator& coordinator, Entity entity, const std::string& tag)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr && identifier->HasTag(tag);
}

bool TutorialAt(int step)
{
    return TutorialLogicInstance() != nullptr && TutorialLogicInstance()->TutorialStep == step;
}

// Stops a soldier that a door (or a soldier stopped by one) holds up, for the rest of the frame.
void HoldUpAtDoor(Coordinator& coordinator, bPlayerBehaviour& soldier)
{
    soldier.DoorBlocked = true;
    soldier.BlockArmed = false;
    soldier.StopPath(coordinator);
}
}

void bPlayerBehaviour::OnCollision(Coordinator& coordinator, Entity other)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(other);
    if (identifier == nullptr)
        return;
    bool taken = false;
    bool tutorMarker = false;
    // The tags are copied: the rules below may change the other's tag list.
    const std::vector<std::string> tags = identifier->tags;
    for (const std::string& tag : tags)
    {
        if (tag == PickupTag)
        {
            for (const std::string& kind : tags)
            {
                if (kind == "AMMO")
                    AmmoTotal = static_cast<std::uint16_t>(AmmoTotal + WeaponStats.ClipSize * 2);
                else if (kind == "HEALTH")
                {
                    if (MaxHealth - CurrentHealth > HealthPickup)
                    {
                        CurrentHealth += HealthPickup;
                        const Entity icon = InstantiatePrefab(coordinator, "Plus_Icon");
                        std::shared_ptr<IBehaviour> iconBehaviour;
                        if (coordinator.GetBehaviour(icon, iconBehaviour))
                            iconBehaviour->boundEntity = entity;
                    }
                    else
                        ++HealthPacks;
                }
                else if (kind == "GRENADE")
                    ++Grenades;
                else if (kind == "MOLOTOV")
                    ++Molotovs;
                else
                    continue;
                taken = true;
            }
        }
        else if (tag == "WALL")
        {
            // A wall ends a charger's knock-back.
            if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
                movement->RemoveForce("knockback");
        }
        else if (tag == "PLAYER")
            TouchSoldier(coordinator, other);
        else if (tag == DoorTag)
        {
            if (!BlockArmed)
                continue;
            for (Entity soldier : PlayerList())
                if (auto follower = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
                    follower && follower->TouchingPlayer == entity)
                    HoldUpAtDoor(coordinator, *follower);
            DoorBlocked = true;
            BlockArmed = false;
            Waypoints.clear();
            if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
                movement->velocity = {0.0f, 0.0f};
        }
        else if (tag == "TUTOR9")
        {
            tutorMarker = true;
            if (bTutorialLogic* tutorial = TutorialLogicInstance())
            {
                tutorial->TutorialStep = ReloadTutorialStep;
                tutorial->ClearHintMarkers(coordinator);
                tutorial->PlaceHintMarkers(coordinator);
            }
        }
    }
    if (tutorMarker)
    {
        if (Identifier* marker = coordinator.GetComponent<Identifier>(other))
            marker->RemoveTag("TUTOR9");
        coordinator.DestroyEntity(other);
    }
    if (taken)
    {
        coordinator.GetSystem<sSoundSystem>()->PlaySfx(PickupSound, coordinator);
        PickupSightMap().erase(other);
        // The tag goes at once, so later contacts of this frame no longer count the pickup.
        if (Identifier* pickup = coordinator.GetComponent<Identifier>(other))
            pickup->RemoveTag(PickupTag);
        coordinator.DestroyEntity(other);
    }
}

void bPlayerBehaviour::TouchSoldier(Coordinator& coordinator, Entity other)
{
    TouchingPlayer = other;
    PhysicsMovement* otherMovement = coordinator.GetComponent<PhysicsMovement>(other);
    if (otherMovement != nullptr)
        otherMovement->Step();
    auto soldier = coordinator.GetBehaviourAs<bPlayerBehaviour>(other);
    if (!soldier)
        return;
    if (!soldier->IsMoving(coordinator))
    {
        // On a long path (or a straight run) the soldier nudges the idle one aside; on a short
        // one it gives up its own move instead.
        if (std::distance(Waypoints.begin(), Waypoints.end()) > static_cast<std::ptrdiff_t>(LongPathWaypoints) ||
            StraightMove)
        {
            const Transform* own = coordinator.GetComponent<Transform>(entity);
            const Transform* theirs = coordinator.GetComponent<Transform>(other);
            if (otherMovement != nullptr && own != nullptr && theirs != nullptr)
            {
                // Two soldiers on one point have no direction between them: no push.
                const Vector2 away =
                    NormalizeVector2({theirs->position.x - own->position.x, theirs->position.y - own->position.y});
                if (away.x != 0.0f || away.y != 0.0f)
                    otherMovement->AddForce(0, NudgeDuration, 0.0f, away, NudgeStrength, "unnamed");
            }
        }
        else
        {
            Waypoints.clear();
            if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
                movement->ClearForces();
        }
    }
    // A soldier held up at a door holds up the one behind it.
    if (soldier->DoorBlocked && BlockArmed)
    {
        DoorBlocked = true;
        BlockArmed = false;
        if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
            movement->velocity = {0.0f, 0.0f};
        soldier->StopPath(coordinator);
    }
}

void bPlayerBehaviour::Breach(Coordinator& coordinator)
{
    for (Entity door : DoorsInReach)
        if (auto behaviour = coordinator.GetBehaviourAs<bDoorBehaviour>(door))
            behaviour->active = false;
}

void bPlayerBehaviour::Select(Coordinator& coordinator)
{
    std::shared_ptr<IBehaviour> marker;
    if (coordinator.GetBehaviour(SelectionMarker, marker))
        marker->active = true;
}

void bPlayerBehaviour::Deselect(Coordinator& coordinator)
{
    std::shared_ptr<IBehaviour> marker;
    if (coordinator.GetBehaviour(SelectionMarker, marker))
        marker->active = false;
}

void bPlayerBehaviour::TrackOffscreenMarker(Coordinator& coordinator)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    const Transform* camera = coordinator.GetComponent<Transform>(coordinator.CameraEntity);
    if (transform == nullptr || camera == nullptr || coordinator.WindowHeight <= 0)
        return;
    // World units per screen pixel, and the view region in which the soldier counts as seen
    // (above the HUD bar).
    const float scale = coordinator.ViewHeight / static_cast<float>(coordinator.WindowHeight);
    const float halfWidth = static_cast<float>(coordinator.WindowWidth) * scale * 0.5f;
    const float halfHeight = coordinator.ViewHeight * 0.5f;
    const float left = camera->position.x - halfWidth;
    const float right = camera->position.x + halfWidth;
    const float bottom = camera->position.y - halfHeight + HudBarHeight * scale;
    const float top = camera->position.y + halfHeight;
    const Vector2 position = transform->position;
    const bool offScreen = position.x < left || position.x > right || position.y < bottom || position.y > top;
    bHUD* hud = HUDInstance();
    if (hud == nullptr)
        return;
    // Signed: soldier number 0 has no markers, and must not read before the list.
    const long long number = PlayerNumber;
    if (offScreen)
    {
        if (!OffscreenMarkerShown)
        {
            const long long icon = 2 * number - 2;
            const long long marker = 2 * number - 1;
            const bGameLogic* logic = GameLogicInstance();
            const bool quiet = logic != nullptr &&
                               (logic->CurrentState == GameState::Deploy || logic->CurrentState == GameState::Paused ||
                                logic->CurrentState == GameState::Win || logic->CurrentState == GameState::Lose);
            if (icon >= 0 && marker < static_cast<long long>(hud->OffscreenMarkers.size()) && !quiet)
            {
                coordinator.PauseQueue.Reactivate(hud->OffscreenMarkers[static_cast<std::size_t>(icon)]);
                coordinator.PauseQueue.Reactivate(hud->OffscreenMarkers[static_cast<std::size_t>(marker)]);
            }
            OffscreenMarkerShown = true;
        }
        bHUD::UpdateOffscreenMarker(coordinator, position, static_cast<int>(number), right, left, top, bottom, scale);
    }
    else if (OffscreenMarkerShown)
    {
        bHUD::HideOffscreenMarker(coordinator, static_cast<int>(number));
        OffscreenMarkerShown = false;
    }
}

void bPlayerBehaviour::MarkSeenPickups(Coordinator& coordinator, const std::vector<Entity>& sight)
{
    if (!PlayerList().empty() && PlayerList().front() == entity)
    {
        DoorsInReachOfAny().clear();
        for (Entity pickup : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, PickupTag))
            PickupSightMap().emplace(pickup, false);
    }
    for (Entity seen : sight)
        if (Carries(coordinator, seen, PickupTag))
            PickupSightMap()[seen] = true;
}

void bPlayerBehaviour::UpdateDoorsInReach(Coordinator& coordinator, const std::vector<Entity>& sight)
{
    DoorsInReach.clear();
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    for (Entity door : sight)
    {
        if (!Carries(coordinator, door, DoorTag))
            continue;
        auto behaviour = coordinator.GetBehaviourAs<bDoorBehaviour>(door);
        const Transform* doorTransform = coordinator.GetComponent<Transform>(door);
        if (!behaviour || doorTransform == nullptr)
            continue;
        const double dx = static_cast<double>(doorTransform->position.x) - transform->position.x;
        const double dy = static_cast<double>(doorTransform->position.y) - transform->position.y;
        const double reach = behaviour->TriggerRange;
        if (dx * dx + dy * dy <= reach * reach)
        {
            if (behaviour->Button == NO_ENTITY)
                for (auto& [button, lent] : DoorButtonPool())
                {
                    if (lent)
                        continue;
                    behaviour->Button = button;
                    std::shared_ptr<IBehaviour> buttonBehaviour;
                    if (coordinator.GetBehaviour(button, buttonBehaviour))
                    {
                        buttonBehaviour->active = true;
                        buttonBehaviour->boundEntity = door;
                    }
                    lent = true;
                    break;
                }
            DoorsInReachOfAny().insert(door);
            DoorsInReach.insert(door);
            if (TutorialAt(DoorTutorialStep))
                TutorialLogicInstance()->Advance(coordinator);
        }
        else if (DoorsInReachOfAny().count(door) == 0)
            behaviour->ReleaseButton(coordinator);
    }
}

void bPlayerBehaviour::FinishContactFrame(Coordinator& coordinator)
{
    if (!DoorBlocked)
        BlockArmed = true;
    if (PlayerList().empty() || PlayerList().back() != entity)
        return;
    for (const auto& [pickup, seen] : PickupSightMap())
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(pickup))
            renderer->lightingFactor = seen ? PickupSeenLight : PickupUnseenLight;
    for (Entity soldier : PlayerList())
        if (auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier))
        {
            behaviour->DoorBlocked = false;
            behaviour->TouchingPlayer = NO_ENTITY;
        }
    PickupSightMap().clear();
}
