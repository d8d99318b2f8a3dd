#include "game/squad/bGameController.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/sPhysicsCollision.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SquadControlHelpers.h"
#include "game/squad/bPlayerBehaviour.h"

#include <algorithm>
#include <cmath>

// Mouse ownership: every selection and order sets MouseConsumed, so the buttons under the cursor
// do not also take the click in this frame. A click that became neither is left to them.

namespace
{
// A left drag must be longer than 40 world units to select; a right drag longer than 100 window
// pixels to turn the squad instead of moving it.
constexpr float SelectionDragSq = 1600.0f;
constexpr float FacingDragSq = 10000.0f;
constexpr float ArrowMaxHalfLength = 100.0f;

// A coordinate of exactly 0 marks a point that was never taken.
bool IsSet(const Vector2& point)
{
    return point.x != 0.0f && point.y != 0.0f;
}
} // namespace

void bGameController::HandleMouse(Coordinator& coordinator, int tutorialStep)
{
    HandleSelectionBox(coordinator, tutorialStep);
    HandleOrders(coordinator, tutorialStep);
    FollowArrow(coordinator);
}

// --- Left button: selection box -----------------------------------------------------------------

void bGameController::HandleSelectionBox(Coordinator& coordinator, int tutorialStep)
{
    const int left = coordinator.GetKeyState(SquadKeys::LeftButton);
    const Vector2 cursor = CursorWorldPoint(coordinator);
    if (left == SquadKeys::Pressed)
    {
        DragStart = cursor;
        DragEnd = {0.0f, 0.0f};
    }
    if (left == SquadKeys::Held)
    {
        LeftHeld = true;
        if (SelectionArea != 0 && IsSet(DragStart))
        {
            coordinator.PauseQueue.Reactivate(SelectionArea);
            PlaceEntityAt(coordinator, SelectionArea,
                          {(DragStart.x + cursor.x) * 0.5f, (DragStart.y + cursor.y) * 0.5f});
            if (Renderer* area = coordinator.GetComponent<Renderer>(SelectionArea))
            {
                area->scaleX = std::fabs(cursor.x - DragStart.x) * 0.5f;
                area->scaleY = std::fabs(cursor.y - DragStart.y) * 0.5f;
            }
        }
    }
    else if (LeftHeld)
    {
        DragEnd = cursor;
        LeftHeld = false;
        DragReleased = true;
        if (SelectionArea != 0)
            coordinator.PauseQueue.Deactivate(SelectionArea, coordinator);
    }
    if (DragReleased)
    {
        const float dx = DragEnd.x - DragStart.x;
        const float dy = DragEnd.y - DragStart.y;
        if (dx * dx + dy * dy > SelectionDragSq && IsSet(DragStart) && IsSet(DragEnd))
            SelectInBox(coordinator, tutorialStep);
    }
    // A shorter drag, or a click that never was held, is left to the buttons.
    DragReleased = false;
}

void bGameController::SelectInBox(Coordinator& coordinator, int tutorialStep)
{
    for (auto& [soldier, selected] : Players)
    {
        selected = false;
        if (const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier))
            behaviour->Deselect(coordinator);
    }
    const Vector2 centre = {DragStart.x + (DragEnd.x - DragStart.x) * 0.5f,
                            DragStart.y + (DragEnd.y - DragStart.y) * 0.5f};
    const Vector2 size = {std::fabs(DragEnd.x - DragStart.x), std::fabs(DragEnd.y - DragStart.y)};
    const std::set<Entity> inBox =
        coordinator.GetSystem<sPhysicsCollision>()->OverlapBox(coordinator, centre, size, {"PLAYER"});
    if (!inBox.empty())
    {
        PlaySound(coordinator, "BrushStroke_false_SFX_");
        for (Entity soldier : inBox)
        {
            const auto found = Players.find(soldier);
            if (found == Players.end())
                continue;
            // A dead soldier caught in the box is dropped again by this frame's marker step.
            found->second = true;
            if (const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier))
                behaviour->Select(coordinator);
        }
        if (tutorialStep == 1)
            AdvanceTutorial(coordinator);
    }
    MouseConsumed = true;
}

// --- Right button: facing and move orders -------------------------------------------------------

void bGameController::HandleOrders(Coordinator& coordinator, int tutorialStep)
{
    const int right = coordinator.GetKeyState(SquadKeys::RightButton);
    const bool anySelected = AnySelected(Players);
    OrderCurrent = {0.0f, 0.0f};
    if (right == SquadKeys::Pressed && anySelected)
    {
        OrderStart = CursorWindowPoint(coordinator);
        OrderPressed = true;
    }
    if (right == SquadKeys::Held && anySelected)
        OrderCurrent = CursorWindowPoint(coordinator);
    const Vector2 drag = {OrderCurrent.x - OrderStart.x, OrderCurrent.y - OrderStart.y};
    FacingOrderGiven = false;

    if (tutorialStep == 0 || tutorialStep >= 5)
    {
        const float dragSq = drag.x * drag.x + drag.y * drag.y;
        if (right == SquadKeys::Held && anySelected && IsSet(OrderStart) && IsSet(OrderCurrent) &&
            dragSq > FacingDragSq)
        {
            SetBehaviourActive(coordinator, ArrowBody, true);
            SetBehaviourActive(coordinator, ArrowHead, true);
            FacingDirection = drag;
            for (Entity arrow : {ArrowBody, ArrowHead})
                if (Transform* transform = coordinator.GetComponent<Transform>(arrow))
                    transform->SetRotationFromDirection(drag);
            if (Renderer* body = coordinator.GetComponent<Renderer>(ArrowBody))
                body->scaleX = std::min(std::sqrt(dragSq) * 0.5f, ArrowMaxHalfLength);
            ArrowShown = true;
        }
        else if (right == SquadKeys::Completed && ArrowShown)
        {
            for (const auto& [soldier, selected] : Players)
            {
                const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
                Transform* transform = coordinator.GetComponent<Transform>(soldier);
                if (!selected || behaviour == nullptr || !behaviour->active || transform == nullptr)
                    continue;
                transform->SetRotationFromDirectionRecursive(FacingDirection, coordinator);
                behaviour->FacingLocked = true;
            }
            if (tutorialStep == 5)
                AdvanceTutorial(coordinator);
            MouseConsumed = true;
            ArrowShown = false;
            FacingOrderGiven = true;
        }
    }

    const bool moveAllowed = tutorialStep == 0 || tutorialStep == 3 || tutorialStep >= 6;
    const bool released =
        (right == SquadKeys::Completed && OrderPressed) || right == SquadKeys::ReleasedShort;
    if (moveAllowed && !FacingOrderGiven && released)
        GiveMoveOrder(coordinator);
}

void bGameController::GiveMoveOrder(Coordinator& coordinator)
{
    const Vector2 target = CursorWorldPoint(coordinator);
    PlaySound(coordinator, "Click9_false_SFX_");
    if (!MoveMarkersInUse.all())
    {
        std::size_t free = 0;
        while (MoveMarkersInUse.test(free))
            ++free;
        SetBehaviourActive(coordinator, MoveMarkers[free], true);
        PlaceEntityAt(coordinator, MoveMarkers[free], target);
        MoveMarkersInUse.set(free);
    }
    for (const auto& [soldier, selected] : Players)
    {
        if (!selected)
            continue;
        const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour != nullptr && behaviour->active)
            behaviour->MoveTo(coordinator, target);
    }
    OrderPressed = false;
    MouseConsumed = true;
}

void bGameController::FollowArrow(Coordinator& coordinator)
{
    if (!IsBehaviourActive(coordinator, ArrowBody))
        return;
    Vector2 centre;
    int count = 0;
    for (const auto& [soldier, selected] : Players)
        if (selected)
            if (const Transform* transform = coordinator.GetComponent<Transform>(soldier))
            {
                centre.x += transform->position.x;
                centre.y += transform->position.y;
                ++count;
            }
    const double length = std::hypot(static_cast<double>(FacingDirection.x), static_cast<double>(FacingDirection.y));
    // With nobody selected the arrow has no squad to stand in front of: it stays where it is.
    if (count == 0 || !(length > 0.0) || !std::isfinite(length))
        return;
    centre = {centre.x / static_cast<float>(count), centre.y / static_cast<float>(count)};
    const Vector2 unit = {static_cast<float>(FacingDirection.x / length), static_cast<float>(FacingDirection.y / length)};
    const Renderer* bodyLook = coordinator.GetComponent<Renderer>(ArrowBody);
    const float reach = bodyLook != nullptr ? bodyLook->scaleX : 0.0f;
    const Vector2 body = {centre.x + unit.x * reach, centre.y + unit.y * reach};
    PlaceEntityAt(coordinator, ArrowBody, body);
    if (!IsBehaviourActive(coordinator, ArrowHead))
        return;
    const Renderer* headLook = coordinator.GetComponent<Renderer>(ArrowHead);
    const float ahead = reach + 0.5f * (headLook != nullptr ? headLook->scaleX : 0.0f);
    PlaceEntityAt(coordinator, ArrowHead, {body.x + unit.x * ahead, body.y + unit.y * ahead});
}
