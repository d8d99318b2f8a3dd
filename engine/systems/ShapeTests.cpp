#include "engine/systems/ShapeTests.h"
#include "engine/systems/VectorMath.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "game/definitions/GameDefinitions.h"

#include <algorithm>
#include <cmath>

namespace
{
using namespace VectorMath;

bool IsPoint(const Segment& segment)
{
    return segment.p0.x == segment.p1.x && segment.p0.y == segment.p1.y;
}

// The end caps of SweptCircleSegment. Inside mode: the circle already straddles the segment's
// line; outside mode: it approaches a face but misses it.
bool SweptCircleCap(const Vector2& centre, float radius, const Vector2& v, const Segment& segment, bool outside,
                    Vector2& contact, Vector2& normal, float& t)
{
    const double len = Length(v);
    const Vector2 u = {static_cast<float>(v.x / len), static_cast<float>(v.y / len)};
    auto along = [&](const Vector2& e) { return Dot(Sub(e, centre), u); };
    auto across = [&](const Vector2& e) { return (e.y - centre.y) * -u.x + (e.x - centre.x) * u.y; };

    Vector2 cap;
    if (outside)
    {
        const bool near0 = std::abs(across(segment.p0)) <= radius;
        const bool near1 = std::abs(across(segment.p1)) <= radius;
        if (!near0 && !near1)
            return false;
        const bool takeP0 = near0 && (!near1 || std::abs(along(segment.p1)) > std::abs(along(segment.p0)));
        cap = takeP0 ? segment.p0 : segment.p1;
    }
    else
        cap = Dot(Sub(segment.p1, segment.p0), Sub(segment.p0, centre)) > 0.0f ? segment.p0 : segment.p1;

    const float a = along(cap);
    const float c = across(cap);
    const bool ahead = outside ? a >= 0.0f : a > 0.0f;
    if (!ahead || !(std::abs(c) <= radius))
        return false;
    const float hit = static_cast<float>((a - std::sqrt(radius * radius - c * c)) / len);
    if (!(hit <= 1.0f))
        return false;
    t = hit;
    contact = Add(centre, Scale(v, hit));
    normal = {segment.n.y, -segment.n.x};
    return true;
}

// The face step of SweptCircleSegment: the segment moved by offset (toward the circle) and the
// time at which the centre reaches it.
bool SweptCircleFace(const Vector2& centre, const Vector2& v, const Segment& segment, const Vector2& offset,
                     float distance, const Vector2& faceNormal, Vector2& contact, Vector2& normal, float& t,
                     bool& straddles)
{
    const Vector2 q0 = Add(segment.p0, offset);
    const Vector2 q1 = Add(segment.p1, offset);
    straddles = Cross(v, Sub(q1, centre)) * Cross(v, Sub(q0, centre)) < 0.0f;
    if (!straddles)
        return false;
    t = distance / Dot(v, segment.n);
    if (!(t >= 0.0f && t <= 1.0f))
        return false;
    contact = Add(centre, Scale(v, t));
    normal = faceNormal;
    return true;
}
}

void SegmentFromCollider(Segment& segment, const CollisionShape& shape)
{
    const Vector2 d = shape.rotation.MultiplyVector({1.0f, 0.0f});
    const Vector2 h = Scale(d, shape.size.x * 0.5f);
    segment.p0 = Add(shape.center, h);
    segment.p1 = Sub(shape.center, h);
    const double length = Length(h);
    // A zero-width collider is a point: it keeps a zero normal rather than a NaN one, and the
    // segment tests treat it as no obstacle.
    if (length == 0.0)
        segment.n = {0.0f, 0.0f};
    else
        segment.n = {static_cast<float>(h.y / length), static_cast<float>(-h.x / length)};
}

int SideOfLine(const Vector2& a, const Vector2& b, const Vector2& c)
{
    const float x = (c.y - a.y) * (b.x - a.x) - (b.y - a.y) * (c.x - a.x);
    if (x < 0.0f)
        return -1;
    if (x > 0.0f)
        return 1;
    return 0;
}

bool CircleOverlapsBox(const Vector2& centre, float radius, const Vector2& boxCentre, float hw, float hh)
{
    const float dx = std::abs(centre.x - boxCentre.x);
    const float dy = std::abs(centre.y - boxCentre.y);
    if (dx > radius + hw || dy > radius + hh)
        return false;
    if (dx <= hw || dy <= hh)
        return true;
    const float ex = dx - hw;
    const float ey = dy - hh;
    return radius * radius >= ex * ex + ey * ey;
}

bool RayAabb(const Ray& ray, const Aabb& box, Vector2& contact, Vector2& normal, float& t)
{
    contact = {0.0f, 0.0f};
    normal = {0.0f, 0.0f};
    // A ray without a direction has no entry time (it would be -infinity and the contact NaN).
    if (IsZero(ray.direction))
        return false;
    const float invX = 1.0f / ray.direction.x;
    const float invY = 1.0f / ray.direction.y;
    float farY = (box.min.y + box.size.y - ray.origin.y) * invY;
    float farX = (box.min.x + box.size.x - ray.origin.x) * invX;
    float nearY = (box.min.y - ray.origin.y) * invY;
    float nearX = (box.min.x - ray.origin.x) * invX;
    if (std::isnan(farY) || std::isnan(farX) || std::isnan(nearY) || std::isnan(nearX))
        return false;
    if (nearX > farX)
        std::swap(nearX, farX);
    if (nearY > farY)
        std::swap(nearY, farY);
    if (nearX > farY || farX < nearY || std::min(farY, farX) < 0.0f)
        return false;
    const float entry = std::max(nearX, nearY);
    contact = Add(ray.origin, Scale(ray.direction, entry));
    if (nearX > nearY)
        normal = invX < 0.0f ? Vector2{1.0f, 0.0f} : Vector2{-1.0f, 0.0f};
    else if (nearX < nearY)
        normal = invY < 0.0f ? Vector2{0.0f, 1.0f} : Vector2{0.0f, -1.0f};
    t = entry;
    return entry < 1.0f;
}

bool RayCircle(const Ray& ray, const Vector2& centre, float radius, float& t)
{
    const Vector2& dir = ray.direction;
    const Vector2 l = Sub(centre, ray.origin);
    const float a = Dot(dir, dir);
    // Without a direction nothing is met (the graze time below would be 0 / 0).
    if (a == 0.0f)
        return false;
    const float b = -2.0f * Dot(l, dir);
    const float disc = b * b - 4.0f * a * (Dot(l, l) - radius * radius);
    if (disc < 0.0f)
        return false;
    if (std::abs(disc) < 0.0001f)
    {
        t = -b / (2.0f * a);
        return false;
    }
    const double len = Length(dir);
    const float p = static_cast<float>(Dot(l, dir) / len);
    const float q = Dot(l, l) - p * p;
    if (p < 0.0f && Length(l) > radius)
        return false;
    if (radius * radius < q)
        return false;
    const float s = std::sqrt(radius * radius - q);
    const float hit = static_cast<float>(std::min((p + s) / len, (p - s) / len));
    if (!(hit < 1.0f))
        return false;
    t = hit;
    return true;
}

bool SweptAabb(const CollisionShape& a, const Vector2& velocity, const CollisionShape& b, Vector2& contact,
               Vector2& normal, float& t)
{
    if (IsZero(velocity))
        return false;
    const Aabb grown = {{b.position.x - a.size.x / 2.0f, b.position.y - a.size.y / 2.0f},
                        {a.size.x + b.size.x, a.size.y + b.size.y}};
    // The ray starts at A's own centre: the grown box already accounts for A's extent.
    const Ray ray = {Scale(velocity, FixedStepSeconds), {a.position.x + a.size.x / 2.0f, a.position.y + a.size.y / 2.0f}};
    float hit = 0.0f;
    if (!RayAabb(ray, grown, contact, normal, hit))
        return false;
    t = hit;
    return hit >= 0.0f && hit < 1.0f;
}

bool CircleAabbOverlap(const CollisionShape& circle, const Vector2& circleVelocity, const CollisionShape& box,
                       const Vector2& boxVelocity, Vector2& q, float& depth)
{
    const Vector2 p = Add(circle.center, Scale(circleVelocity, FixedStepSeconds));
    const Vector2 min = Add(box.position, Scale(boxVelocity, FixedStepSeconds));
    const Vector2 max = Add(min, box.size);
    const Vector2 nearest = {std::max(min.x, std::min(p.x, max.x)), std::max(min.y, std::min(p.y, max.y))};
    q = Sub(nearest, p);
    depth = static_cast<float>(circle.radius - Length(q) + 1.0);
    if (std::isnan(depth))
    {
        depth = 0.0f;
        return false;
    }
    return depth > 0.0f;
}

bool SegmentAabbClip(const Vector2& boxMin, const Vector2& boxSize, const Vector2& p0, const Vector2& p1)
{
    std::vector<float>& entry = ClipEntryTimes();
    std::vector<float>& exit = ClipExitTimes();
    std::fill(entry.begin(), entry.end(), 0.0f);
    std::fill(exit.begin(), exit.end(), 0.0f);
    exit[0] = 1.0f;
    float* entries = entry.data();
    float* exits = exit.data();
    return SegmentCrossesBox(boxMin, boxSize, p0, p1, [&](std::size_t axis, float in, float out) {
        entries[axis] = in;
        exits[axis] = out;
    });
}

bool SegmentCrossesBox(const Vector2& boxMin, const Vector2& boxSize, const Vector2& p0, const Vector2& p1)
{
    return SegmentCrossesBox(boxMin, boxSize, p0, p1, [](std::size_t, float, float) {});
}

bool SweptCircleSegment(const CollisionShape& circle, const Vector2& velocity, const Segment& segment,
                        Vector2& contact, Vector2& normal, float& t)
{
    const Vector2 v = Scale(velocity, FixedStepSeconds);
    // No motion meets nothing, and a zero-length segment has no faces or direction to report.
    if (IsZero(v) || IsPoint(segment))
        return false;
    const Vector2& c = circle.center;
    const Vector2& n = segment.n;
    const float r = circle.radius;
    const float dC = Dot(c, n);
    const float d0 = Dot(segment.p0, n);
    bool straddles = false;
    if (dC - d0 <= -r)
    {
        if (SweptCircleFace(c, v, segment, Scale(n, -r), d0 - dC - r, n, contact, normal, t, straddles))
            return true;
        return straddles ? false : SweptCircleCap(c, r, v, segment, true, contact, normal, t);
    }
    if (dC - d0 >= r)
    {
        if (SweptCircleFace(c, v, segment, Scale(n, r), d0 - dC + r, {-n.x, -n.y}, contact, normal, t, straddles))
            return true;
        return straddles ? false : SweptCircleCap(c, r, v, segment, true, contact, normal, t);
    }
    return SweptCircleCap(c, r, v, segment, false, contact, normal, t);
}

bool SweptAabbSegment(const CollisionShape& box, const Segment& segment, Vector2& velocity, Vector2& normal, float& t)
{
    velocity = Scale(velocity, FixedStepSeconds);
    normal = {0.0f, 0.0f};
    if (IsPoint(segment))
        return false;
    const Vector2& v = velocity;
    const Vector2& n = segment.n;
    const float hw = box.size.x * 0.5f;
    const float hh = box.size.y * 0.5f;
    const Vector2& c = box.center;
    const float segMinX = std::min(segment.p0.x, segment.p1.x);
    const float segMaxX = std::max(segment.p0.x, segment.p1.x);
    const float segMinY = std::min(segment.p0.y, segment.p1.y);
    const float segMaxY = std::max(segment.p0.y, segment.p1.y);

    const float vn = Dot(n, v);
    float w = std::abs(n.x) * hw + std::abs(n.y) * hh;
    if (vn < 0.0f)
        w = -w;
    const float dist = Dot(Sub(segment.p0, c), n);
    // std::min and std::max keep their first argument when the second is NaN (0 / 0 when the
    // motion runs along the segment), so the times stay numbers.
    float exit = std::min(1.0f, (dist + w) / vn);
    float entry = std::max(0.0f, (dist - w) / vn);

    auto axis = [&](float vAxis, float segMin, float segMax, float boxMin, float boxMax) {
        if (vAxis < 0.0f)
        {
            if (segMin > boxMax)
                return false;
            exit = std::min(exit, (segMin - boxMax) / vAxis);
            entry = std::max(entry, (segMax - boxMin) / vAxis);
        }
        else if (vAxis > 0.0f)
        {
            exit = std::min(exit, (segMax - boxMin) / vAxis);
            entry = std::max(entry, (segMin - boxMax) / vAxis);
        }
        else if (segMin > boxMax)
            return false;
        if (vAxis >= 0.0f && segMax < boxMin)
            return false;
        return !(exit < entry);
    };
    if (!axis(v.x, segMinX, segMaxX, box.position.x, box.position.x + box.size.x))
        return false;
    if (!axis(v.y, segMinY, segMaxY, box.position.y, box.position.y + box.size.y))
        return false;
    t = entry;
    return true;
}

float BoxExtentAcrossSegment(float hw, float hh, float rotation)
{
    const float s = std::sin(rotation);
    const float c = std::cos(rotation);
    // The long-standing form |r cos(pi/2 - rotation - atan(hh/hw))| equals |hw sin + hh cos|: the
    // true support only while sin and cos share a sign (or one of them is zero; the tolerance
    // covers the float quarter turns, whose cosine is a rounding error off zero). It is kept where
    // it holds, so those push-outs stay exactly as they were; elsewhere (walls between 90 and 180
    // degrees, and boxes without width) the support is taken directly.
    if (hw > 0.0f && s * c >= -1.0e-6f)
        return std::abs(std::sqrt(hw * hw + hh * hh) * std::cos(1.5707964f - rotation - std::atan(hh / hw)));
    return std::abs(hw * s) + std::abs(hh * c);
}

void ResolveBoxSegment(PhysicsCollision& box, Transform& transform, const PhysicsMovement& movement,
                       const Segment& segment, float segmentRotation, const Vector2& /*normal*/, float /*t*/)
{
    const CollisionShape& shape = *box.shape;
    const Vector2 e = Sub(segment.p1, segment.p0);
    const float ee = Dot(e, e);
    const float s = ee == 0.0f ? 0.0f : std::clamp(Dot(Sub(shape.center, segment.p0), e) / ee, 0.0f, 1.0f);
    const Vector2 closest = Add(segment.p0, Scale(e, s));
    const Vector2 d = Sub(Add(shape.center, Scale(movement.velocity, FixedStepSeconds)), closest);
    const double dist = Length(d);
    Vector2 away;
    if (dist > 0.0)
        away = {static_cast<float>(d.x / dist), static_cast<float>(d.y / dist)};
    else
    {
        // The centre would sit on the segment: push out along the normal, against the motion.
        away = segment.n;
        if (Dot(away, movement.velocity) > 0.0f)
            away = {-away.x, -away.y};
    }
    const float extent = BoxExtentAcrossSegment(shape.size.x * 0.5f, shape.size.y * 0.5f, segmentRotation);
    const float k = static_cast<float>(dist - extent - 1.0);
    transform.previousPosition = transform.position;
    transform.position = Sub(transform.position, Scale(away, k));
}
