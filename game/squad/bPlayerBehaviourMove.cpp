// The soldier's orders and movement: straight runs and grid paths, following a path cell by
// cell, stopping, and the return of a soldier that left the level.
#include "game/squad/bPlayerBehaviour.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bHUD.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/GridPaths.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/VectorHelpers.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>

namespace
{
const char* const MoveForce = "Move";
const char* const PathForce = "pathfind";
// The push of one path step: renewed every frame, it takes a soldier to its speed limit within
// a frame or two.
constexpr float PathPush = 10000.0f;
// The tutorial step that teaches move orders.
constexpr int MoveTutorialStep = 3;

// The path grid of the scene, when there is one with its grid built.
const GridSpec* GridOf(const bUniqueGrid* owner)
{
    return owner == nullptr ? nullptr : owner->Grid.get();
}

double SquaredDistance(const Vector2& a, const Vector2& b)
{
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return dx * dx + dy * dy;
}

bool TutorialAt(int step)
{
    return TutorialLogicInstance() != nullptr && TutorialLogicInstance()->TutorialStep == step;
}

// A move order at the move lesson is taken only inside the first hint marker's circle. Without
// markers there is nothing to aim at, so nothing is refused.
bool OutsideMoveLesson(Coordinator& coordinator, const Vector2& target)
{
    if (!TutorialAt(MoveTutorialStep) || TutorialLogicInstance()->HintMarkers.empty())
        return false;
    const Entity marker = TutorialLogicInstance()->HintMarkers.front();
    const Transform* transform = coordinator.GetComponent<Transform>(marker);
    const Renderer* renderer = coordinator.GetComponent<Renderer>(marker);
    if (transform == nullptr || renderer == nullptr)
        return true;
    return !(SquaredDistance(target, transform->position) <
             static_cast<double>(renderer->scaleX) * static_cast<double>(renderer->scaleX));
}

void AdvanceMoveLesson(Coordinator& coordinator)
{
    if (TutorialAt(MoveTutorialStep))
        TutorialLogicInstance()->Advance(coordinator);
}
}

void bPlayerBehaviour::MoveTo(Coordinator& coordinator, Vector2 target)
{
    if (OutsideMoveLesson(coordinator, target))
        return;
    MoveTarget = target;
    const GridSpec* grid = GridOf(PathGrid);
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity);
    // Without a path grid there is no way to tell walls from open floor.
    if (grid == nullptr || transform == nullptr || movement == nullptr || collision == nullptr)
        return;

    // The collider's centre as the collision pass places it, and its four edge midpoints.
    const Vector2 centre = {transform->position.x + collision->offset.x, transform->position.y + collision->offset.y};
    const float halfWidth = collision->shape->size.x * 0.5f;
    const float halfHeight = collision->shape->size.y * 0.5f;
    const Vector2 starts[] = {centre,
                              {centre.x, centre.y + halfHeight},
                              {centre.x, centre.y - halfHeight},
                              {centre.x + halfWidth, centre.y},
                              {centre.x - halfWidth, centre.y}};
    const bool clear = std::all_of(std::begin(starts), std::end(starts), [&](const Vector2& start) {
        return IsSegmentClear(coordinator, *grid, start, target);
    });

    if (clear)
    {
        Waypoints.clear();
        const Vector2 offset = {target.x - transform->position.x, target.y - transform->position.y};
        const double length =
            std::sqrt(static_cast<double>(offset.x) * offset.x + static_cast<double>(offset.y) * offset.y);
        // An order onto the soldier's own point has no direction: no push and no turn.
        const Vector2 unit = NormalizeVector2(offset);
        movement->velocity = {unit.x * movement->Speed, unit.y * movement->Speed};
        if (length > 0.0)
        {
            movement->AddForce(0, static_cast<float>(length) / movement->Speed, 0.0f, unit, 1.0f, MoveForce);
            if (!FacingLocked)
                transform->SetRotationFromDirectionRecursive(unit, coordinator);
        }
        if (ActionState == ActionReloading || ActionState == ActionReloadingMoving)
            ActionState = ActionReloadingMoving;
        else if (ActionState == ActionAiming || ActionState == ActionAimingMoving)
            ActionState = ActionAimingMoving;
        AdvanceMoveLesson(coordinator);
        StraightMove = true;
        return;
    }

    const CellLookup destination = WorldToCell(*PathGrid, target);
    Cell start;
    if (destination.found && StartCellOf(*grid, transform->position, start))
    {
        DestinationCell = {destination.column, destination.row};
        FindPath(*PathGrid, Waypoints, start, DestinationCell);
    }
    AdvanceMoveLesson(coordinator);
}

bool bPlayerBehaviour::IsSegmentClear(Coordinator& coordinator, const GridSpec& grid, Vector2 from, Vector2 to)
{
    for (Entity hit : SegmentHits(coordinator, grid, from, to, entity, NO_ENTITY))
    {
        const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(hit);
        if (collision == nullptr || !collision->isTrigger)
            return false;
    }
    return true;
}

bool bPlayerBehaviour::IsMoving(Coordinator& coordinator)
{
    if (!Waypoints.empty())
        return true;
    const PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (movement == nullptr)
        return false;
    return std::any_of(movement->forces.begin(), movement->forces.end(),
                       [](const Force& force) { return force.name == MoveForce; });
}

void bPlayerBehaviour::StopPath(Coordinator& coordinator)
{
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        movement->RemoveForce(MoveForce);
    Waypoints.clear();
}

void bPlayerBehaviour::ReturnToLevel(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return;
    const Vector2 position = transform->position;
    const float* bounds = coordinator.CameraBounds;
    const bool outside = position.x > bounds[2] || position.x < bounds[0] || position.y > bounds[3] ||
                         position.y < bounds[1] || std::isnan(position.x) || std::isnan(position.y);
    if (!outside)
        return;
    PlaceEntityAt(coordinator, entity, HomePosition);
    Waypoints.clear();
    if (PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity))
        movement->velocity = {0.0f, 0.0f};
    if (HUDInstance() != nullptr)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        const std::string name = identifier == nullptr ? std::string() : identifier->name;
        const std::string last = name.empty() ? std::string() : name.substr(name.size() - 1);
        bHUD::PushPopUpText("Player " + last + " has been respawned.");
    }
}

bool bPlayerBehaviour::FollowPath(Coordinator& coordinator)
{
    Transform* transform = coordinator.GetComponent<Transform>(entity);
    PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
    if (transform == nullptr || movement == nullptr)
        return false;
    if (StraightMove && movement->velocity.x == 0.0f && movement->velocity.y == 0.0f)
        StraightMove = false;

    const GridSpec* grid = GridOf(PathGrid);
    if (!Waypoints.empty() && grid != nullptr)
    {
        StraightMove = false;
        Vector2 aim = CellCentre(*grid, Waypoints.front());
        const double distanceSq = SquaredDistance(transform->position, aim);
        if (Waypoints.front() == DestinationCell)
        {
            if (distanceSq < DestinationArrivalSq)
            {
                Waypoints.pop_front();
                return true;
            }
        }
        else if (distanceSq < WaypointArrivalSq)
        {
            Waypoints.pop_front();
            if (!Waypoints.empty())
                aim = CellCentre(*grid, Waypoints.front());
        }
        // Standing on the aim gives no direction: no push and no turn this frame.
        const Vector2 direction = NormalizeVector2({aim.x - transform->position.x, aim.y - transform->position.y});
        if (!Waypoints.empty())
        {
            movement->AddForce(0, 0.0f, 0.0f, direction, PathPush, PathForce);
            if (!FacingLocked)
                transform->SetRotationFromDirectionRecursive(direction, coordinator);
        }
        if (ActionState == ActionReloading || ActionState == ActionReloadingMoving)
            ActionState = ActionReloadingMoving;
        else if (ActionState == ActionAiming || ActionState == ActionAimingMoving)
            ActionState = ActionAimingMoving;
    }
    if (!IsMoving(coordinator))
        FacingLocked = false;
    movement->Step();
    return false;
}
