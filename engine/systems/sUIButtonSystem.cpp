#include "engine/systems/sUIButtonSystem.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/bGameController.h"

namespace
{
constexpr float ReferenceWidth = 1920.0f;
constexpr float ReferenceHeight = 1080.0f;

bool CanReactToCursor(const Identifier& identifier)
{
    for (const std::string& tag : identifier.tags)
        if (tag == "UIBUTTON" || tag == "PLAYER" || tag == "TARGETABLE")
            return true;
    return false;
}

bool Contains(const PhysicsCollision& collision, const Vector2& cursor)
{
    const CollisionShape& shape = *collision.shape;
    if (collision.colliderType == ColliderRectangle)
        return shape.position.x <= cursor.x && cursor.x < shape.position.x + shape.size.x &&
               shape.position.y <= cursor.y && cursor.y < shape.position.y + shape.size.y;
    if (collision.colliderType == ColliderCircle)
    {
        const double dx = static_cast<double>(cursor.x) - shape.center.x;
        const double dy = static_cast<double>(cursor.y) - shape.center.y;
        return static_cast<double>(shape.radius) * shape.radius > dx * dx + dy * dy;
    }
    return false;
}
}

Vector2 sUIButtonSystem::ScreenCursorInReferenceUnits(const Coordinator& coordinator)
{
    const CursorPoint& screen = *coordinator.ScreenCursor;
    Vector2 cursor = {static_cast<float>(screen.x), static_cast<float>(screen.y)};
    // The cursor arrives in window pixels; screen-space colliders are placed in the reference
    // view's units, whatever the window's size.
    if (coordinator.WindowWidth > 0)
        cursor.x = cursor.x * ReferenceWidth / static_cast<float>(coordinator.WindowWidth);
    if (coordinator.WindowHeight > 0)
        cursor.y = cursor.y * ReferenceHeight / static_cast<float>(coordinator.WindowHeight);
    return cursor;
}

bool sUIButtonSystem::IsHit(Coordinator& coordinator, Entity entity, const Vector2& worldCursor,
                            const Vector2& screenCursor)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity);
    if (identifier == nullptr || collision == nullptr || !CanReactToCursor(*identifier))
        return false;
    testedCursor = worldCursor;
    if (auto button = coordinator.GetBehaviourAs<bUIButtonBehaviour>(entity))
    {
        if (!button->active)
            return false;
        if (button->BindToCamera)
            testedCursor = screenCursor;
    }
    return Contains(*collision, testedCursor);
}

void sUIButtonSystem::Update(Coordinator& coordinator)
{
    if (const bGameController* controller = GameControllerInstance(); controller && controller->MouseConsumed)
        return;
    hits.clear();
    const GridSpec* grid = coordinator.BroadphaseGrid.get();
    if (grid == nullptr)
        return;
    const Vector2 worldCursor = {static_cast<float>(coordinator.WorldCursor->x),
                                 static_cast<float>(coordinator.WorldCursor->y)};
    const Vector2 screenCursor = ScreenCursorInReferenceUnits(coordinator);
    worldCandidates = BitsetToEntities(grid->QueryPoint(worldCursor));
    screenCandidates = BitsetToEntities(grid->QueryPoint(screenCursor));
    worldCandidates.insert(worldCandidates.end(), screenCandidates.begin(), screenCandidates.end());

    for (Entity entity : worldCandidates)
        if (IsHit(coordinator, entity, worldCursor, screenCursor))
            hits.emplace(coordinator.GetComponent<PhysicsCollision>(entity)->shape->layer, entity);
    if (hits.empty())
        return;
    const Entity winner = hits.rbegin()->second;
    std::shared_ptr<IBehaviour> behaviour;
    if (!coordinator.GetBehaviour(winner, behaviour))
        return;
    behaviour->OnHover(coordinator);
    RefreshRendererLists(coordinator);
}

void sUIButtonSystem::RefreshRendererLists(Coordinator& coordinator)
{
    // A hover changes textures, so the batches must be rebuilt after it.
    if (auto* renderer = dynamic_cast<sRendererSystem*>(
            coordinator.SystemManager.FindSystemByName(TypeName<sRendererSystem>())))
        renderer->RefreshLightsAndBatches(coordinator);
}
