#include "engine/systems/sPhysicsCollision.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/sIdentifierSystem.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace
{
// Room kept in every collider's handled list, so that a frame's contacts fit without allocating
// (a list grows past it only for a collider touching more partners in one frame).
constexpr std::size_t HandledCapacity = 16;

using Box = GridSpec::Box;
constexpr float Unbounded = std::numeric_limits<float>::infinity();
constexpr Box Everywhere = {-Unbounded, -Unbounded, Unbounded, Unbounded};

// Widens a box by extra plus room for the rounding of the pair tests. The circle-circle test
// finds a squared distance as a difference of squares, which rounds in proportion to the distance
// between the centres: each side adds room in proportion to its own size (and the mover's to its
// step).
Box Padded(Box box, float extra)
{
    extra += 2.0e-3f * std::max(box.maxX - box.minX, box.maxY - box.minY);
    auto room = [&](float value) { return extra + 0.5f + 1.0e-5f * std::abs(value); };
    box.minX -= room(box.minX);
    box.minY -= room(box.minY);
    box.maxX += room(box.maxX);
    box.maxY += room(box.maxY);
    return box;
}

Box Moved(Box box, const Vector2& velocity)
{
    const float dx = velocity.x * FixedStepSeconds;
    const float dy = velocity.y * FixedStepSeconds;
    box.minX = std::min(box.minX, box.minX + dx);
    box.minY = std::min(box.minY, box.minY + dy);
    box.maxX = std::max(box.maxX, box.maxX + dx);
    box.maxY = std::max(box.maxY, box.maxY + dy);
    return box;
}

// The box of a circle or rectangle collider's shape as the pair tests read it; false for other kinds.
bool ShapeBox(const PhysicsCollision& collision, Box& box)
{
    const CollisionShape& s = *collision.shape;
    if (collision.colliderType == ColliderCircle)
    {
        const float r = std::abs(s.radius);
        box = {s.center.x - r, s.center.y - r, s.center.x + r, s.center.y + r};
        return true;
    }
    if (collision.colliderType == ColliderRectangle)
    {
        const float x1 = s.position.x + s.size.x;
        const float y1 = s.position.y + s.size.y;
        box = {std::min(s.position.x, x1), std::min(s.position.y, y1), std::max(s.position.x, x1),
               std::max(s.position.y, y1)};
        return true;
    }
    return false;
}

// Where any mover's pair test can meet this collider in this step: its shape, and for circles and
// boxes also where its own velocity carries it (the circle-box tests move both).
Box TargetBox(const ColliderParts& parts)
{
    if (!parts.Complete())
        return Everywhere;
    Box box;
    if (ShapeBox(*parts.collision, box))
        return Padded(Moved(box, parts.movement->velocity), 0.0f);
    if (parts.collision->colliderType != ColliderLineSegment)
        return Everywhere;
    Segment segment;
    SegmentFromCollider(segment, *parts.collision->shape);
    box = {std::min(segment.p0.x, segment.p1.x), std::min(segment.p0.y, segment.p1.y),
           std::max(segment.p0.x, segment.p1.x), std::max(segment.p0.y, segment.p1.y)};
    return Padded(box, 0.0f);
}

// The box a mover's shape sweeps in this step, widened by the one unit within which the
// circle-box tests count a touch. Only circles and boxes test anything as movers.
Box MoverBox(const ColliderParts& parts, const Vector2& motion)
{
    Box box;
    if (!ShapeBox(*parts.collision, box))
        return Everywhere;
    return Padded(Moved(box, motion), 1.0f);
}

bool CarriesAnyOf(const Identifier& identifier, const std::vector<std::string>& tags)
{
    for (const std::string& tag : identifier.tags)
        if (std::find(tags.begin(), tags.end(), tag) != tags.end())
            return true;
    return false;
}

bool StrictlyAscending(const std::vector<Entity>& cell)
{
    return std::adjacent_find(cell.begin(), cell.end(), std::greater_equal<Entity>()) == cell.end();
}
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

void sPhysicsCollision::IndexCell(Coordinator& coordinator, const std::vector<Entity>& cell)
{
    cellIndex.Begin(cell.size());
    for (std::size_t place = 0; place < cell.size(); ++place)
    {
        const Entity entity = cell[place];
        cellIndex.SetBox(place, entity < MAX_ENTITIES ? TargetBox(PartsOf(coordinator, entity)) : Everywhere);
    }
    cellIndex.Build();
}

void sPhysicsCollision::ResolveCellInEpoch(Coordinator& coordinator, const std::vector<Entity>& cell)
{
    // Every mover meets the cell's colliders in the cell's order, as a walk over all of them
    // would, but only those whose boxes its motion can reach: a pair test that cannot hit has no
    // effect. The boxes follow what changes them: a mover's velocity after its turn, and anything
    // at all after a behaviour has been told of a contact.
    IndexCell(coordinator, cell);
    const bool unique = StrictlyAscending(cell);
    for (std::size_t place = 0; place < cell.size(); ++place)
    {
        const Entity a = cell[place];
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

        // The velocity A's box was last made with.
        Vector2 indexedVelocity = velocity;
        cellIndex.Gather(MoverBox(partsA, motion));
        for (std::size_t other = cellIndex.NextCandidate(CellPairIndex::None); other != CellPairIndex::None;
             other = cellIndex.NextCandidate(other))
        {
            const Entity b = cell[other];
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
            bool heard = false;
            if (TestAndRespond(coordinator, a, partsA, b, partsB, motion, &heard))
                MarkHandled(a, partsA, b, partsB);
            if (heard)
            {
                // A behaviour may have changed any collider: the boxes are taken afresh.
                IndexCell(coordinator, cell);
                indexedVelocity = partsA.movement->velocity;
                cellIndex.Gather(MoverBox(partsA, motion));
            }
        }
        const Vector2 now = partsA.movement->velocity;
        if (now.x == indexedVelocity.x && now.y == indexedVelocity.y)
            continue;
        if (unique)
            cellIndex.Update(place, TargetBox(partsA));
        else
            IndexCell(coordinator, cell);
    }
}

const EntityBits& sPhysicsCollision::BoxCandidates(const sSystemBase& names)
{
    if (boxCandidatesKnown && boxCandidatesNames == &names && boxCandidatesOwnRevision == entities.Revision() &&
        boxCandidatesNamesRevision == names.entities.Revision())
        return boxCandidates;
    boxCandidates.Clear();
    // Both sets are ordered: one walk finds the ids they share.
    auto named = names.entities.begin();
    for (Entity entity : entities)
    {
        while (named != names.entities.end() && *named < entity)
            ++named;
        if (named != names.entities.end() && *named == entity && entity < MAX_ENTITIES)
            boxCandidates.Set(entity);
    }
    boxCandidatesNames = &names;
    boxCandidatesOwnRevision = entities.Revision();
    boxCandidatesNamesRevision = names.entities.Revision();
    boxCandidatesKnown = true;
    return boxCandidates;
}

std::set<Entity> sPhysicsCollision::OverlapBox(Coordinator& coordinator, const Vector2& centre, const Vector2& size,
                                               const std::vector<std::string>& tags)
{
    std::set<Entity> found;
    const sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    if (tags.empty())
        return found;
    EntityBits candidates = BoxCandidates(*names);
    const GridSpec* grid = coordinator.BroadphaseGrid.get();
    const float halfWidth = std::abs(size.x * 0.5f);
    const float halfHeight = std::abs(size.y * 0.5f);
    const Box box = {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
    const bool narrow = grid != nullptr && ReachIndex::Usable(box.minX) && ReachIndex::Usable(box.minY) &&
                        ReachIndex::Usable(box.maxX) && ReachIndex::Usable(box.maxY);
    const float magnitude =
        std::max({std::abs(box.minX), std::abs(box.minY), std::abs(box.maxX), std::abs(box.maxY)});
    // Room for the rounding of the exact tests, for coordinates up to the magnitude given.
    auto room = [](float scale) { return 0.05f + 1.0e-4f * scale; };
    if (narrow)
    {
        // Colliders whose reach is known are found near the box; the others are all tested.
        EntityBits unknown = candidates;
        unknown.Subtract(grid->ReachKnown());
        candidates &= grid->ReachNear(box, room(magnitude + 2.0f * ReachIndex::WideExtent));
        candidates |= unknown;
    }
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    candidates.ForEach([&](Entity entity) {
        if (narrow && grid->KnowsReach(entity))
        {
            const Box& reach = grid->ReachOf(entity);
            const float slack = room(std::max({magnitude, std::abs(reach.minX), std::abs(reach.minY),
                                               std::abs(reach.maxX), std::abs(reach.maxY)}));
            if (reach.minX > box.maxX + slack || box.minX - slack > reach.maxX || reach.minY > box.maxY + slack ||
                box.minY - slack > reach.maxY)
                return;
        }
        const Identifier* identifier = identifiers.Find(entity);
        if (identifier == nullptr || !CarriesAnyOf(*identifier, tags))
            return;
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision != nullptr && BoxMeetsCollider(centre, size, *collision))
            found.insert(found.end(), entity);
    });
    return found;
}
