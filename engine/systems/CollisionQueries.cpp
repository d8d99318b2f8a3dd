#include "engine/systems/CollisionQueries.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/VectorMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace
{
using namespace VectorMath;

bool CarriesAnyOf(const Identifier* identifier, const std::vector<std::string>& tags)
{
    if (identifier == nullptr)
        return false;
    for (const std::string& tag : identifier->tags)
        if (std::find(tags.begin(), tags.end(), tag) != tags.end())
            return true;
    return false;
}

bool CarriesAnyOf(const Identifier* identifier, const std::set<std::string>& tags)
{
    if (identifier == nullptr)
        return false;
    for (const std::string& tag : identifier->tags)
        if (tags.count(tag) != 0)
            return true;
    return false;
}

bool CircleMeetsCollider(const Vector2& centre, float radius, const PhysicsCollision& collision)
{
    const CollisionShape& shape = *collision.shape;
    if (collision.colliderType == ColliderCircle)
    {
        const float dx = centre.x - shape.center.x;
        const float dy = centre.y - shape.center.y;
        const float reach = radius + shape.radius;
        return dx * dx + dy * dy < reach * reach;
    }
    if (collision.colliderType == ColliderRectangle)
        return CircleOverlapsBox(centre, radius, shape.center, shape.size.x / 2.0f, shape.size.y / 2.0f);
    return false;
}

// Whether the segments from-to and p0-p1 properly intersect (parallel ones never do).
bool SegmentsCross(const Vector2& from, const Vector2& to, const Vector2& p0, const Vector2& p1)
{
    const Vector2 r = {to.x - from.x, to.y - from.y};
    const Vector2 s = {p1.x - p0.x, p1.y - p0.y};
    const float denominator = Cross(r, s);
    if (denominator == 0.0f)
        return false;
    const Vector2 w = {p0.x - from.x, p0.y - from.y};
    const float t = Cross(w, s) / denominator;
    const float u = Cross(w, r) / denominator;
    return t >= 0.0f && t <= 1.0f && u >= 0.0f && u <= 1.0f;
}

bool SegmentMeetsCollider(const Vector2& from, const Vector2& to, const PhysicsCollision& collision)
{
    const CollisionShape& shape = *collision.shape;
    switch (collision.colliderType)
    {
    case ColliderRectangle:
        return SegmentCrossesBox(shape.position, shape.size, from, to);
    case ColliderCircle:
    {
        const Vector2 d = {to.x - from.x, to.y - from.y};
        const float dd = d.x * d.x + d.y * d.y;
        const Vector2 w = {shape.center.x - from.x, shape.center.y - from.y};
        // A zero-length segment is its own closest point.
        const float s = dd == 0.0f ? 0.0f : std::clamp((w.x * d.x + w.y * d.y) / dd, 0.0f, 1.0f);
        const double ex = static_cast<double>(from.x + d.x * s) - shape.center.x;
        const double ey = static_cast<double>(from.y + d.y * s) - shape.center.y;
        return std::sqrt(ex * ex + ey * ey) < shape.radius;
    }
    case ColliderLineSegment:
    {
        Segment segment;
        SegmentFromCollider(segment, shape);
        return SegmentsCross(from, to, segment.p0, segment.p1);
    }
    default:
        return false;
    }
}

// Room for the rounding of the exact tests when a query is compared with a collider's reach,
// for coordinates up to the magnitude given. (The tests round to a few parts in ten million of
// their coordinates; a segment crossing a line at 1/20 radian or more, to about forty.)
float Room(float magnitude)
{
    return 0.05f + 1.0e-4f * magnitude;
}

// Room for the ray-circle test of a contact cast, which finds the squared distance of the
// circle's centre from the ray as a difference of two squares and so rounds in proportion to the
// distance of the centre from the ray's origin.
float RayCircleRoom(float rayLength, float extent)
{
    return 1.0e-3f * (rayLength + extent);
}

float Magnitude(const GridSpec::Box& box)
{
    return std::max({std::abs(box.minX), std::abs(box.minY), std::abs(box.maxX), std::abs(box.maxY)});
}

float Extent(const GridSpec::Box& box)
{
    return std::max(box.maxX - box.minX, box.maxY - box.minY);
}

bool Usable(const Vector2& v)
{
    return ReachIndex::Usable(v.x) && ReachIndex::Usable(v.y);
}

// Whether the circle comes within room of the reach box; a miss means no exact test can accept
// the collider.
bool CircleNearReach(const Vector2& centre, float radius, float room, const GridSpec::Box& reach)
{
    const float dx = std::max({reach.minX - centre.x, centre.x - reach.maxX, 0.0f});
    const float dy = std::max({reach.minY - centre.y, centre.y - reach.maxY, 0.0f});
    const float r = radius + room;
    return dx * dx + dy * dy <= r * r;
}

// The segment from-to against a reach box widened by room: a slab test on the segment's span.
class SegmentNearReach
{
public:
    SegmentNearReach(const Vector2& from, const Vector2& to) : from(from)
    {
        dx = to.x - from.x;
        dy = to.y - from.y;
        invX = dx != 0.0f ? 1.0f / dx : 0.0f;
        invY = dy != 0.0f ? 1.0f / dy : 0.0f;
    }

    bool operator()(const GridSpec::Box& reach, float room) const
    {
        float enter = 0.0f;
        float leave = 1.0f;
        return Clip(from.x, dx, invX, reach.minX - room, reach.maxX + room, enter, leave) &&
               Clip(from.y, dy, invY, reach.minY - room, reach.maxY + room, enter, leave);
    }

private:
    static bool Clip(float start, float delta, float inverse, float low, float high, float& enter, float& leave)
    {
        if (delta == 0.0f)
            return start >= low && start <= high;
        float tA = (low - start) * inverse;
        float tB = (high - start) * inverse;
        if (tA > tB)
            std::swap(tA, tB);
        // A little slack in time as well: the division rounds.
        enter = std::max(enter, tA - 1.0e-5f);
        leave = std::min(leave, tB + 1.0e-5f);
        return enter <= leave;
    }

    Vector2 from;
    float dx = 0.0f;
    float dy = 0.0f;
    float invX = 0.0f;
    float invY = 0.0f;
};

// The ids a query tests exactly: those of the bands it touches (the candidates the grid's contract
// names) whose reach lies near the query, or is not known.
EntityBits NarrowCandidates(const GridSpec& grid, const EntityBits& bands, const EntityBits& near)
{
    EntityBits unknown = bands;
    unknown.Subtract(grid.ReachKnown());
    EntityBits narrowed = bands & near;
    return narrowed |= unknown;
}

// Collects ids in ascending order without allocating, then hands them over in one vector.
class FoundIds
{
public:
    void Add(Entity entity) { ids[count++] = entity; }
    std::vector<Entity> Take() const { return std::vector<Entity>(ids.begin(), ids.begin() + count); }

private:
    std::array<Entity, MAX_ENTITIES> ids;
    std::size_t count = 0;
};

// The ray test with contacts: rectangles by the slab test, circles by the ray-circle test.
bool RayMeetsCollider(const Ray& ray, const PhysicsCollision& collision, Vector2& point, Vector2& normal)
{
    const CollisionShape& shape = *collision.shape;
    float t = 0.0f;
    if (collision.colliderType == ColliderRectangle)
        return RayAabb(ray, {shape.position, shape.size}, point, normal, t);
    if (collision.colliderType != ColliderCircle || !RayCircle(ray, shape.center, shape.radius, t))
        return false;
    point = {ray.origin.x + t * ray.direction.x, ray.origin.y + t * ray.direction.y};
    const double dx = static_cast<double>(point.x) - shape.center.x;
    const double dy = static_cast<double>(point.y) - shape.center.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // A contact at the very centre has no surface direction: it faces back along the ray.
    if (length == 0.0)
    {
        const double back = std::sqrt(static_cast<double>(ray.direction.x) * ray.direction.x +
                                      static_cast<double>(ray.direction.y) * ray.direction.y);
        normal = {static_cast<float>(-ray.direction.x / back), static_cast<float>(-ray.direction.y / back)};
    }
    else
        normal = {static_cast<float>(dx / length), static_cast<float>(dy / length)};
    return true;
}
}

bool BoxMeetsCollider(const Vector2& centre, const Vector2& size, const PhysicsCollision& collision)
{
    const CollisionShape& shape = *collision.shape;
    if (collision.colliderType == ColliderCircle)
        return CircleOverlapsBox(shape.center, shape.radius, centre, size.x * 0.5f, size.y * 0.5f);
    if (collision.colliderType != ColliderRectangle)
        return false;
    const float left = centre.x - size.x / 2.0f;
    const float bottom = centre.y - size.y / 2.0f;
    return shape.position.x < left + size.x && left < shape.position.x + shape.size.x &&
           shape.position.y < bottom + size.y && bottom < shape.position.y + shape.size.y;
}

void FilterByCircle(Coordinator& coordinator, const Vector2& centre, float radius, std::vector<Entity>& candidates,
                    const std::vector<std::string>& tags)
{
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    auto kept = candidates.begin();
    for (Entity entity : candidates)
    {
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision == nullptr || !CircleMeetsCollider(centre, radius, *collision))
            continue;
        if (!tags.empty() && !CarriesAnyOf(identifiers.Find(entity), tags))
            continue;
        *kept++ = entity;
    }
    candidates.erase(kept, candidates.end());
}

std::vector<Entity> OverlapCircle(Coordinator& coordinator, const GridSpec& grid, const Vector2& centre, float radius,
                                  const std::vector<std::string>& tags)
{
    if (IsNaN(centre) || std::isnan(radius))
        return {};
    EntityBits candidates = grid.CircleCandidates(centre, radius);
    // A negative radius still reaches as far as its size on either side.
    const float extent = std::abs(radius);
    const bool narrow = Usable(centre) && ReachIndex::Usable(extent);
    const float magnitude = std::max(std::abs(centre.x), std::abs(centre.y)) + extent;
    if (narrow)
        candidates = NarrowCandidates(
            grid, candidates,
            grid.ReachNear({centre.x - extent, centre.y - extent, centre.x + extent, centre.y + extent},
                           Room(magnitude + 2.0f * ReachIndex::WideExtent)));

    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    FoundIds found;
    candidates.ForEach([&](Entity entity) {
        if (narrow && grid.KnowsReach(entity))
        {
            const GridSpec::Box& reach = grid.ReachOf(entity);
            if (!CircleNearReach(centre, extent, Room(std::max(magnitude, Magnitude(reach))), reach))
                return;
        }
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision == nullptr || !CircleMeetsCollider(centre, radius, *collision))
            return;
        if (!tags.empty() && !CarriesAnyOf(identifiers.Find(entity), tags))
            return;
        found.Add(entity);
    });
    return found.Take();
}

void FilterBySegment(Coordinator& coordinator, const Vector2& from, const Vector2& to, std::vector<Entity>& candidates,
                     bool wantContacts, std::vector<Vector2>* points, std::vector<Vector2>* normals)
{
    const bool contacts = wantContacts && points != nullptr && normals != nullptr;
    const Ray ray = {{to.x - from.x, to.y - from.y}, from};
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto kept = candidates.begin();
    for (Entity entity : candidates)
    {
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision == nullptr)
            continue;
        if (contacts)
        {
            Vector2 point;
            Vector2 normal;
            if (!RayMeetsCollider(ray, *collision, point, normal))
                continue;
            points->push_back(point);
            normals->push_back(normal);
        }
        else if (!SegmentMeetsCollider(from, to, *collision))
            continue;
        *kept++ = entity;
    }
    candidates.erase(kept, candidates.end());
}

std::vector<Entity> Raycast(Coordinator& coordinator, const GridSpec& grid, const Vector2& from, const Vector2& to,
                            const std::set<Entity>* ignore, bool wantContacts, std::vector<Vector2>* points,
                            std::vector<Vector2>* normals, const std::set<std::string>* tags)
{
    if (IsNaN(from) || IsNaN(to))
        return {};
    EntityBits candidates = grid.SegmentCandidates(from, to);
    if (ignore != nullptr)
        for (Entity entity : *ignore)
            if (entity < MAX_ENTITIES)
                candidates.Reset(entity);
    const bool contacts = wantContacts && points != nullptr && normals != nullptr;
    const bool narrow = Usable(from) && Usable(to);
    const float magnitude = std::max({std::abs(from.x), std::abs(from.y), std::abs(to.x), std::abs(to.y)});
    const Vector2 along = {to.x - from.x, to.y - from.y};
    const float length = static_cast<float>(Length(along));
    // Lines nearly parallel to the cast are tested exactly wherever they lie: there the crossing
    // test rounds without bound.
    EntityBits parallel;
    if (narrow)
    {
        float margin = Room(magnitude + 2.0f * ReachIndex::WideExtent);
        if (contacts)
            margin += RayCircleRoom(length, ReachIndex::WideExtent);
        else
            parallel = grid.ParallelLines(along);
        EntityBits near = grid.ReachAlong(from, to, margin);
        near |= parallel;
        candidates = NarrowCandidates(grid, candidates, near);
    }
    const SegmentNearReach near(from, to);

    const Ray ray = {along, from};
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    FoundIds found;
    // The cast's line, for lines nearly parallel to it: the crossing test can take such a line for
    // crossing only when it lies within a tenth of its length (plus rounding) of the cast's line.
    const double lineLength = Length(along);
    const float normalX = lineLength > 0.0 ? static_cast<float>(-along.y / lineLength) : 0.0f;
    const float normalY = lineLength > 0.0 ? static_cast<float>(along.x / lineLength) : 0.0f;
    auto farFromLine = [&](const GridSpec::Box& reach, float room) {
        if (lineLength == 0.0)
            return false;
        const float reachOut = 0.25f * Extent(reach) + room;
        float lowest = std::numeric_limits<float>::infinity();
        float highest = -lowest;
        for (const Vector2& corner : {Vector2{reach.minX, reach.minY}, Vector2{reach.maxX, reach.minY},
                                      Vector2{reach.minX, reach.maxY}, Vector2{reach.maxX, reach.maxY}})
        {
            const float side = normalX * (corner.x - from.x) + normalY * (corner.y - from.y);
            lowest = std::min(lowest, side);
            highest = std::max(highest, side);
        }
        return lowest > reachOut || highest < -reachOut;
    };
    candidates.ForEach([&](Entity entity) {
        if (narrow && parallel.Test(entity) && grid.KnowsReach(entity))
        {
            const GridSpec::Box& reach = grid.ReachOf(entity);
            if (farFromLine(reach, Room(std::max(magnitude, Magnitude(reach)))))
                return;
        }
        else if (narrow && grid.KnowsReach(entity))
        {
            // Contact casts drop line colliders whatever their place.
            if (contacts && grid.IsLineReach(entity))
                return;
            const GridSpec::Box& reach = grid.ReachOf(entity);
            float room = Room(std::max(magnitude, Magnitude(reach)));
            if (contacts)
                room += RayCircleRoom(length, Extent(reach));
            if (!near(reach, room))
                return;
        }
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision == nullptr)
            return;
        Vector2 point;
        Vector2 normal;
        if (contacts ? !RayMeetsCollider(ray, *collision, point, normal) : !SegmentMeetsCollider(from, to, *collision))
            return;
        if (tags != nullptr && !CarriesAnyOf(identifiers.Find(entity), *tags))
            return;
        if (contacts)
        {
            points->push_back(point);
            normals->push_back(normal);
        }
        found.Add(entity);
    });
    return found.Take();
}
