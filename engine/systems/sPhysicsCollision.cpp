#include "engine/systems/sPhysicsCollision.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/sIdentifierSystem.h"

namespace
{
// Room kept in every collider's handled list, so that a frame's contacts fit without allocating
// (a list grows past it only for a collider touching more partners in one frame).
constexpr std::size_t HandledCapacity = 16;
}

sPhysicsCollision::sPhysicsCollision()
{
    cellScratch.reserve(MAX_ENTITIES);
}

void sPhysicsCollision::BeginEpoch()
{
    ++epoch;
    if (epoch == 0)
    {
        // After a wrap every stored stamp could look current: start the stamps afresh.
        partsEpoch.fill(0);
        handledEpoch.fill(0);
        epoch = 1;
    }
}

ColliderParts& sPhysicsCollision::PartsOf(Coordinator& coordinator, Entity entity)
{
    ColliderParts& found = parts[entity];
    if (partsEpoch[entity] != epoch)
    {
        found.transform = coordinator.GetComponent<Transform>(entity);
        found.collision = coordinator.GetComponent<PhysicsCollision>(entity);
        found.movement = coordinator.GetComponent<PhysicsMovement>(entity);
        found.identifier = coordinator.GetComponent<Identifier>(entity);
        partsEpoch[entity] = epoch;
    }
    return found;
}

EntityBits& sPhysicsCollision::HandledBitsOf(Entity entity, const PhysicsCollision& collision)
{
    EntityBits& bits = handledBits[entity];
    if (handledEpoch[entity] != epoch)
    {
        bits.Clear();
        for (Entity partner : collision.handled)
            if (partner < MAX_ENTITIES)
                bits.Set(partner);
        handledEpoch[entity] = epoch;
    }
    return bits;
}

void sPhysicsCollision::MarkHandled(Entity a, ColliderParts& partsA, Entity b, ColliderParts& partsB)
{
    HandledBitsOf(a, *partsA.collision).Set(b);
    HandledBitsOf(b, *partsB.collision).Set(a);
    partsA.collision->handled.push_back(b);
    partsB.collision->handled.push_back(a);
}

void sPhysicsCollision::Init(Coordinator& coordinator)
{
    if (coordinator.BroadphaseGrid)
        RebuildGrid(coordinator, *coordinator.BroadphaseGrid);
}

void sPhysicsCollision::Update(Coordinator& coordinator)
{
    // Tested before the message is built: every frame passes here.
    if (entities.size() > MAX_ENTITIES)
        Assert("MORE THAN MAXIMUM NUMBER OF COLLIDERS ALLOWED");
    // The entry builds the broadphase grid before the first frame; without one there is nothing
    // to pair.
    GridSpec* grid = coordinator.BroadphaseGrid.get();
    if (grid == nullptr)
        return;
    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        BeginEpoch();
        RebuildBroadphase(coordinator, *grid);
        for (std::uint32_t row = 0; row < grid->rows; ++row)
        {
            if (grid->rowBits[row].None())
                continue;
            for (std::uint32_t column = 0; column < grid->columns; ++column)
            {
                // Read live: a contact callback may have changed the grid since the last cell.
                const EntityBits cell = grid->rowBits[row] & grid->columnBits[column];
                if (cell.None())
                    continue;
                cellScratch.clear();
                cell.ForEach([&](Entity entity) { cellScratch.push_back(entity); });
                ResolveCellInEpoch(coordinator, cellScratch);
            }
        }
        coordinator.ProcessDestroyedEntities();
    }
    for (Entity entity : entities)
        if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
            collision->handled.clear();
}

void sPhysicsCollision::RebuildGrid(Coordinator& coordinator, GridSpec& grid)
{
    BeginEpoch();
    RebuildBroadphase(coordinator, grid);
}

void sPhysicsCollision::RebuildBroadphase(Coordinator& coordinator, GridSpec& grid)
{
    grid.Clear();
    if (coordinator.BehaviourSystem == nullptr)
        coordinator.ResolveBehaviourSystem();
    // Members and behaviours are both in ascending id order: one walk finds each member's
    // behaviour without a lookup.
    const auto& behaviours = coordinator.BehaviourSystem->Behaviours();
    auto behaviour = behaviours.begin();
    for (Entity entity : entities)
    {
        while (behaviour != behaviours.end() && behaviour->first < entity)
            ++behaviour;
        const bool bound = behaviour != behaviours.end() && behaviour->first == entity && behaviour->second->BindToCamera;
        ColliderParts& found = PartsOf(coordinator, entity);
        if (found.transform == nullptr || found.collision == nullptr)
            continue;
        if (found.collision->handled.capacity() < HandledCapacity)
            found.collision->handled.reserve(HandledCapacity);
        PlaceCollider(coordinator, entity, grid, *found.transform, *found.collision, bound);
    }
}

void sPhysicsCollision::InsertTaggedIntoGrid(Coordinator& coordinator, GridSpec& grid, const std::set<std::string>& tags)
{
    for (Entity entity : entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        if (identifier == nullptr)
            continue;
        for (const std::string& tag : identifier->tags)
            if (tags.count(tag) != 0)
            {
                InsertColliderIntoGrid(coordinator, entity, grid);
                break;
            }
    }
}

void sPhysicsCollision::ClearExtentsSwapped(Coordinator& coordinator)
{
    for (Entity entity : entities)
        if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
            collision->extentsSwapped = false;
}

void sPhysicsCollision::ResolveCell(Coordinator& coordinator, const std::vector<Entity>& cell)
{
    BeginEpoch();
    ResolveCellInEpoch(coordinator, cell);
}

void sPhysicsCollision::ResolveCellInEpoch(Coordinator& coordinator, const std::vector<Entity>& cell)
{
    for (Entity a : cell)
    {
        if (a >= MAX_ENTITIES)
            continue;
        ColliderParts& partsA = PartsOf(coordinator, a);
        if (!partsA.Complete())
            continue;
        const Vector2 velocity = partsA.movement->velocity;
        const Vector2 position = partsA.transform->position;
        const Vector2 previous = partsA.transform->previousPosition;
        // Moving along one axis only with zero velocity (a behaviour's nudge) does not count.
        const bool movedBoth = position.x != previous.x && position.y != previous.y;
        const bool hasVelocity = velocity.x != 0.0f || velocity.y != 0.0f;
        if (!hasVelocity && partsA.movement->angularVelocity == 0.0f && !movedBoth)
            continue;
        Vector2 motion = velocity;
        if (!hasVelocity && movedBoth)
            motion = {position.x - previous.x, position.y - previous.y};

        for (Entity b : cell)
        {
            if (b == a || b >= MAX_ENTITIES)
                continue;
            PhysicsCollision& collisionA = *partsA.collision;
            if (HandledBitsOf(a, collisionA).Test(b))
                continue;
            ColliderParts& partsB = PartsOf(coordinator, b);
            if (!partsB.Complete())
                continue;
            if (partsB.collision->shape->layer != collisionA.shape->layer)
                continue;
            if (partsB.identifier->HasTag(collisionA.ignoreTag))
                continue;
            if (TestAndRespond(coordinator, a, partsA, b, partsB, motion))
                MarkHandled(a, partsA, b, partsB);
        }
    }
}

std::set<Entity> sPhysicsCollision::OverlapBox(Coordinator& coordinator, const Vector2& centre, const Vector2& size,
                                               const std::vector<std::string>& tags)
{
    std::set<Entity> found;
    const sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    const float left = centre.x - size.x / 2.0f;
    const float bottom = centre.y - size.y / 2.0f;
    for (const std::string& tag : tags)
        for (Entity entity : names->FindEntitiesWithTag(coordinator, tag))
        {
            if (entities.count(entity) == 0)
                continue;
            const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity);
            if (collision == nullptr)
                continue;
            const CollisionShape& shape = *collision->shape;
            bool touches = false;
            if (collision->colliderType == ColliderCircle)
                touches = CircleOverlapsBox(shape.center, shape.radius, centre, size.x * 0.5f, size.y * 0.5f);
            else if (collision->colliderType == ColliderRectangle)
                touches = shape.position.x < left + size.x && left < shape.position.x + shape.size.x &&
                          shape.position.y < bottom + size.y && bottom < shape.position.y + shape.size.y;
            if (touches)
                found.insert(entity);
        }
    return found;
}
