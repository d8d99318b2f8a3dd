#pragma once
#include "engine/components/CollisionShape.h"
#include "engine/components/Vector2.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

class PhysicsCollision;
class PhysicsMovement;
class Transform;

// The geometric tests of the collision pass and the grid queries. Swept tests take velocities
// in world units per second and turn them into one fixed step's motion (x 1/60) themselves.
// Degenerate input (zero directions, zero-length segments, zero motion) gives no hit, never a
// NaN result.

// One fixed step, 1/60 s.
inline constexpr float FixedStepSeconds = 0.016666668f;

// A ray: a hit at time t lies at origin + t * direction.
struct Ray
{
    Vector2 direction;
    Vector2 origin;
};

// An axis-aligned box: lower corner and size.
struct Aabb
{
    Vector2 min;
    Vector2 size;
};

// A line-segment collider: two end points and the unit normal (zero for a zero-length segment).
struct Segment
{
    Vector2 p0;
    Vector2 p1;
    Vector2 n;
};

// The shape's width as a segment through its centre along its rotation; n is (h.y, -h.x)/|h|
// for the half-width vector h.
void SegmentFromCollider(Segment& segment, const CollisionShape& shape);

// The sign of (b - a) x (c - a): -1 right of the line a->b, +1 left, 0 on it.
int SideOfLine(const Vector2& a, const Vector2& b, const Vector2& c);

// Circle against the box of that centre and half extents: no overlap when a centre distance
// exceeds radius + half extent; otherwise overlap when the centre lies within the box's span on
// either axis, or the box's corner is within the radius.
bool CircleOverlapsBox(const Vector2& centre, float radius, const Vector2& boxCentre, float hw, float hh);

// Slab test. True when the ray enters the box before t = 1; an origin inside the box is a hit
// with a negative t (callers that need a forward hit check 0 <= t < 1). The normal faces the
// ray on the entered side, (0, 0) when both slabs are entered at once. A zero direction is no hit.
bool RayAabb(const Ray& ray, const Aabb& box, Vector2& contact, Vector2& normal, float& t);

// True when the ray meets the circle before t = 1 (an origin inside counts, with a negative t).
// A tangent ray writes t and is no hit.
bool RayCircle(const Ray& ray, const Vector2& centre, float radius, float& t);

// Moving box A against resting box B within one step: a ray from A's centre against B grown by
// A's size. False for zero velocity, even for overlapping boxes.
bool SweptAabb(const CollisionShape& a, const Vector2& velocity, const CollisionShape& b, Vector2& contact,
               Vector2& normal, float& t);

// Circle and box after one step of their velocities: q runs from the circle's centre to the
// nearest point of the box, depth = radius - |q| + 1 (circles within one unit count). A circle
// whose centre lies in the box has q = (0, 0) and depth radius + 1.
bool CircleAabbOverlap(const CollisionShape& circle, const Vector2& circleVelocity, const CollisionShape& box,
                       const Vector2& boxVelocity, Vector2& q, float& depth);

// Liang-Barsky clip of the segment p0-p1 against the box; keeps its entry and exit times in
// ClipEntryTimes and ClipExitTimes (elements 0..2), so it is not re-entrant. NaN input is no hit.
bool SegmentAabbClip(const Vector2& boxMin, const Vector2& boxSize, const Vector2& p0, const Vector2& p1);
// The same answer without keeping the times: what the queries use on their hot paths.
bool SegmentCrossesBox(const Vector2& boxMin, const Vector2& boxSize, const Vector2& p0, const Vector2& p1);

// The clip itself; note(axis, entry, exit) hears each clipped axis's times (axes 1 and 2, x first).
template <class Note>
bool SegmentCrossesBox(const Vector2& boxMin, const Vector2& boxSize, const Vector2& p0, const Vector2& p1, Note&& note)
{
    if (std::isnan(boxMin.x) || std::isnan(boxMin.y) || std::isnan(boxSize.x) || std::isnan(boxSize.y) ||
        std::isnan(p0.x) || std::isnan(p0.y) || std::isnan(p1.x) || std::isnan(p1.y))
        return false;
    const Vector2 d = {p1.x - p0.x, p1.y - p0.y};
    if (d.x == 0.0f && (p0.x - boxMin.x < 0.0f || boxMin.x + boxSize.x - p0.x < 0.0f))
        return false;
    if (d.y == 0.0f && (p0.y - boxMin.y < 0.0f || boxMin.y + boxSize.y - p0.y < 0.0f))
        return false;
    // Entry and exit start at the segment's own span, 0 to 1; each moving axis narrows them.
    float enter = 0.0f;
    float leave = 1.0f;
    std::size_t axis = 1;
    auto clipAxis = [&](float delta, float start, float low, float extent) {
        if (delta == 0.0f)
            return;
        const float tA = (low - start) / delta;
        const float tB = (low + extent - start) / delta;
        const float in = delta > 0.0f ? tA : tB;
        const float out = delta > 0.0f ? tB : tA;
        note(axis++, in, out);
        enter = std::max(enter, in);
        leave = std::min(leave, out);
    };
    clipAxis(d.x, p0.x, boxMin.x, boxSize.x);
    clipAxis(d.y, p0.y, boxMin.y, boxSize.y);
    return enter <= leave;
}

// Moving circle against a segment within one step: its faces (grown by the radius), then its end
// caps. Writes the contact, the face normal (or the segment's direction for a cap) and t.
bool SweptCircleSegment(const CollisionShape& circle, const Vector2& velocity, const Segment& segment,
                        Vector2& contact, Vector2& normal, float& t);

// Moving box against a segment within one step, by separating axes (the segment's normal, x, y).
// velocity is scaled to one step in place; the normal is set to (0, 0); t is the entry time.
bool SweptAabbSegment(const CollisionShape& box, const Segment& segment, Vector2& velocity, Vector2& normal,
                      float& t);

// Pushes a box entity off a segment whose entity is rotated by segmentRotation: the box's centre
// after one step ends its true extent across the segment plus one unit away from the nearest
// point of the segment. Only the position (and previous position) changes.
void ResolveBoxSegment(PhysicsCollision& box, Transform& transform, const PhysicsMovement& movement,
                       const Segment& segment, float segmentRotation, const Vector2& normal, float t);

// The extent of a box with half sizes hw, hh across a segment rotated by rotation: its support
// along the segment's normal, |hw sin| + |hh cos|.
float BoxExtentAcrossSegment(float hw, float hh, float rotation);
