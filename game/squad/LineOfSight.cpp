#include "game/squad/LineOfSight.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/IBehaviour.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/GridSpec.h"

#include <cmath>

namespace
{
// Generous for a frame's worth of hits, so the buffer rarely grows after the first frames.
constexpr std::size_t InitialHitCapacity = 64;

std::vector<Entity>& SegmentBuffer()
{
    static std::vector<Entity> buffer = [] {
        std::vector<Entity> reserved;
        reserved.reserve(InitialHitCapacity);
        return reserved;
    }();
    return buffer;
}

bool IsTrigger(Coordinator& coordinator, Entity entity)
{
    const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity);
    return collision != nullptr && collision->isTrigger;
}

bool SeenThrough(Coordinator& coordinator, Entity entity)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr && (identifier->HasTag("ENEMY") || identifier->HasTag("PICKUP"));
}

const Vector2* PositionOf(Coordinator& coordinator, Entity entity)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    return transform == nullptr ? nullptr : &transform->position;
}
}

const std::vector<Entity>& SegmentHits(Coordinator& coordinator, const GridSpec& grid, const Vector2& from,
                                       const Vector2& to, Entity ignoreA, Entity ignoreB)
{
    std::vector<Entity>& hits = SegmentBuffer();
    hits.clear();
    if (std::isnan(from.x) || std::isnan(from.y) || std::isnan(to.x) || std::isnan(to.y))
        return hits;
    EntityBits candidates = grid.SegmentCandidates(from, to);
    for (Entity ignored : {ignoreA, ignoreB})
        if (ignored < MAX_ENTITIES)
            candidates.Reset(ignored);
    candidates.ForEach([&](Entity entity) { hits.push_back(entity); });
    FilterBySegment(coordinator, from, to, hits, false, nullptr, nullptr);
    return hits;
}

void CircleHits(Coordinator& coordinator, const GridSpec& grid, const Vector2& centre, float radius,
                const std::vector<std::string>& tags, std::vector<Entity>& found)
{
    found.clear();
    if (std::isnan(centre.x) || std::isnan(centre.y) || std::isnan(radius))
        return;
    grid.CircleCandidates(centre, radius).ForEach([&](Entity entity) { found.push_back(entity); });
    FilterByCircle(coordinator, centre, radius, found, tags);
}

bool HasLineOfSightBetween(Coordinator& coordinator, Entity a, Entity b, const GridSpec& grid)
{
    const Vector2* from = PositionOf(coordinator, a);
    const Vector2* to = PositionOf(coordinator, b);
    if (from == nullptr || to == nullptr)
        return false;
    for (Entity hit : SegmentHits(coordinator, grid, *from, *to, a, b))
        if (!IsTrigger(coordinator, hit))
            return false;
    return true;
}

bool HasLineOfSight(const IBehaviour& caller, Coordinator& coordinator, const Vector2& point, Entity target)
{
    const Vector2* to = PositionOf(coordinator, target);
    if (to == nullptr || !coordinator.BroadphaseGrid)
        return false;
    for (Entity hit : SegmentHits(coordinator, *coordinator.BroadphaseGrid, point, *to, caller.entity, target))
        if (!SeenThrough(coordinator, hit) && !IsTrigger(coordinator, hit))
            return false;
    return true;
}
