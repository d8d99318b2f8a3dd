#include "engine/systems/CollisionQueries.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/VectorMath.h"

#include <algorithm>
#include <cmath>

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
        return SegmentAabbClip(shape.position, shape.size, from, to);
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

// The segment's line for a quick, conservative rejection of far colliders: a collider whose
// bounding circle stays clear of the segment (by a margin well above float rounding) cannot be
// crossed, so the exact test is skipped for it without changing any result.
struct SegmentReach
{
    bool usable = false;
    double fromX = 0;
    double fromY = 0;
    double unitX = 0;
    double unitY = 0;
    double length = 0;

    SegmentReach(const Vector2& from, const Vector2& to)
    {
        const double dx = static_cast<double>(to.x) - from.x;
        const double dy = static_cast<double>(to.y) - from.y;
        length = std::sqrt(dx * dx + dy * dy);
        usable = length > 0.0 && std::isfinite(length);
        if (usable)
        {
            fromX = from.x;
            fromY = from.y;
            unitX = dx / length;
            unitY = dy / length;
        }
    }

    bool OutOfReach(const PhysicsCollision& collision) const
    {
        if (!usable)
            return false;
        const CollisionShape& s = *collision.shape;
        double cx = s.center.x;
        double cy = s.center.y;
        double reach = s.radius;
        if (collision.colliderType == ColliderRectangle)
        {
            cx = s.position.x + 0.5 * s.size.x;
            cy = s.position.y + 0.5 * s.size.y;
            reach = 0.5 * std::sqrt(static_cast<double>(s.size.x) * s.size.x + static_cast<double>(s.size.y) * s.size.y);
        }
        else if (collision.colliderType == ColliderLineSegment)
            reach = 0.5 * std::abs(static_cast<double>(s.size.x));
        const double margin = reach * 1.001 + 0.01;
        const double dx = cx - fromX;
        const double dy = cy - fromY;
        const double along = dx * unitX + dy * unitY;
        const double across = std::abs(dy * unitX - dx * unitY);
        return across > margin || along < -margin || along > length + margin;
    }
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
    std::vector<Entity> candidates = BitsetToEntities(grid.CircleCandidates(centre, radius));
    FilterByCircle(coordinator, centre, radius, candidates, tags);
    return candidates;
}

void FilterBySegment(Coordinator& coordinator, const Vector2& from, const Vector2& to, std::vector<Entity>& candidates,
                     bool wantContacts, std::vector<Vector2>* points, std::vector<Vector2>* normals)
{
    const bool contacts = wantContacts && points != nullptr && normals != nullptr;
    const Ray ray = {{to.x - from.x, to.y - from.y}, from};
    const SegmentReach reach(from, to);
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto kept = candidates.begin();
    for (Entity entity : candidates)
    {
        const PhysicsCollision* collision = collisions.Find(entity);
        if (collision == nullptr || reach.OutOfReach(*collision))
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
    std::vector<Entity> found = BitsetToEntities(candidates);
    if (tags != nullptr)
    {
        auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
        found.erase(std::remove_if(found.begin(), found.end(),
                                   [&](Entity entity) { return !CarriesAnyOf(identifiers.Find(entity), *tags); }),
                    found.end());
    }
    FilterBySegment(coordinator, from, to, found, wantContacts, points, normals);
    return found;
}
