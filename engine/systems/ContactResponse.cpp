#include "engine/systems/ContactResponse.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/ShapeTests.h"
#include "engine/systems/VectorMath.h"

#include <cmath>

namespace
{
using namespace VectorMath;
constexpr float K = FixedStepSeconds;

// v / |v|, or the fallback when v has no length.
Vector2 UnitOr(const Vector2& v, const Vector2& fallback)
{
    const double length = Length(v);
    if (length == 0.0 || std::isinf(length))
        return fallback;
    return {static_cast<float>(v.x / length), static_cast<float>(v.y / length)};
}

// The way back along a motion: where a mover goes when no geometric direction exists.
Vector2 Backwards(const Vector2& motion)
{
    return UnitOr({-motion.x, -motion.y}, {1.0f, 0.0f});
}

void MoveBy(Transform& transform, const Vector2& delta)
{
    transform.previousPosition = transform.position;
    transform.position = Add(transform.position, delta);
}

// Direction u and distance that separate a circle from a box: the circle moves by -u * distance
// (the box by +u * distance). q runs from the circle's centre p to the box's nearest point. A
// centre inside the box has no such point; it leaves through the nearest face, ending one unit
// clear of it.
struct Separation
{
    Vector2 u;
    float distance;
};

Separation SeparateCircleFromBox(const Vector2& q, float depth, const Vector2& p, const Vector2& boxMin,
                                 const Vector2& boxMax, float radius)
{
    if (!IsZero(q))
        return {UnitOr(q, {1.0f, 0.0f}), depth};
    const float left = p.x - boxMin.x;
    const float right = boxMax.x - p.x;
    const float bottom = p.y - boxMin.y;
    const float top = boxMax.y - p.y;
    Vector2 outward = {-1.0f, 0.0f};
    float penetration = left;
    if (right < penetration)
    {
        penetration = right;
        outward = {1.0f, 0.0f};
    }
    if (bottom < penetration)
    {
        penetration = bottom;
        outward = {0.0f, -1.0f};
    }
    if (top < penetration)
    {
        penetration = top;
        outward = {0.0f, 1.0f};
    }
    return {{-outward.x, -outward.y}, penetration + radius + 1.0f};
}

bool Solid(const ColliderParts& a, const ColliderParts& b)
{
    return !a.collision->isTrigger && !b.collision->isTrigger;
}

// One pair under test, and whether a behaviour has been told of its contact.
struct PairUnderTest
{
    Coordinator& coordinator;
    Entity a;
    Entity b;
    bool told = false;
};

void Notify(PairUnderTest& pair, const ColliderParts& partsA, const ColliderParts& partsB)
{
    pair.told = NotifyContact(pair.coordinator, pair.a, partsA.collision->isTrigger, pair.b, partsB.collision->isTrigger);
}

bool CircleCircle(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const CollisionShape& sa = *A.collision->shape;
    const CollisionShape& sb = *B.collision->shape;
    const Vector2 step = Scale(motion, K);
    float t = 0.0f;
    if (!RayCircle({step, sa.center}, sb.center, sa.radius + sb.radius, t))
        return false;
    const Vector2 contact = Add(sa.center, Scale(step, t));
    const Vector2 n = UnitOr(Sub(contact, sb.center), Backwards(motion));
    Notify(pair, A, B);
    if (!Solid(A, B))
        return true;

    Vector2& v = A.movement->velocity;
    const Vector2 d = Sub(Add(sa.center, Scale(v, K)), sb.center);
    const double length = Length(d);
    const Vector2 away = UnitOr(d, Backwards(motion));
    if (B.collision->isMovable)
    {
        const float k = static_cast<float>((length - sa.radius - sb.radius) * 0.5 - 1.0);
        MoveBy(*A.transform, Scale(away, -k));
        MoveBy(*B.transform, Scale(away, k));
        return true;
    }
    const float k = static_cast<float>(length - sa.radius - sb.radius - 1.0);
    MoveBy(*A.transform, Scale(away, -k));
    if (A.collision->isReflective && t >= 0.0f && t < 1.0f)
        v = Sub(v, Scale(n, 2.0f * Dot(v, n)));
    return true;
}

bool CircleBox(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const CollisionShape& sa = *A.collision->shape;
    const CollisionShape& sb = *B.collision->shape;
    Vector2 q;
    float depth = 0.0f;
    if (!CircleAabbOverlap(sa, motion, sb, B.movement->velocity, q, depth))
        return false;
    Notify(pair, A, B);
    if (!Solid(A, B) || !(depth > 0.0f))
        return true;
    const Vector2 p = Add(sa.center, Scale(motion, K));
    const Vector2 boxMin = Add(sb.position, Scale(B.movement->velocity, K));
    const Separation push = SeparateCircleFromBox(q, depth, p, boxMin, Add(boxMin, sb.size), sa.radius);
    MoveBy(*A.transform, Scale(push.u, -push.distance));
    return true;
}

bool ReflectiveCircleBox(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    if (IsZero(motion))
        return false;
    const CollisionShape& sa = *A.collision->shape;
    const CollisionShape& sb = *B.collision->shape;
    const float r = sa.radius;
    // The box grown by the radius on every side: the circle's centre meets it where the circle
    // meets the box.
    const Aabb grown = {{sb.position.x - r, sb.position.y - r}, {sb.size.x + 2.0f * r, sb.size.y + 2.0f * r}};
    Vector2 contact;
    Vector2 n;
    float t = 0.0f;
    if (!RayAabb({Scale(motion, K), sa.center}, grown, contact, n, t) || !(t >= 0.0f && t < 1.0f))
        return false;
    Notify(pair, A, B);
    if (!Solid(A, B))
        return true;
    Vector2& v = A.movement->velocity;
    v = Sub(v, Scale(n, 2.0f * Dot(v, n)));
    const Vector2 d = Add(Sub(contact, sa.center), Scale(v, K));
    const float push = static_cast<float>(r - Length(d) + 1.0);
    if (push > 0.0f)
    {
        const Vector2 toward = UnitOr(d, IsZero(n) ? UnitOr(motion, {1.0f, 0.0f}) : Vector2{-n.x, -n.y});
        MoveBy(*A.transform, Scale(toward, -push));
    }
    return true;
}

bool CircleSegment(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const CollisionShape& sa = *A.collision->shape;
    Segment segment;
    SegmentFromCollider(segment, *B.collision->shape);
    Vector2 contact;
    Vector2 n;
    float t = 0.0f;
    if (!SweptCircleSegment(sa, motion, segment, contact, n, t))
        return false;
    Notify(pair, A, B);
    if (!Solid(A, B))
        return true;
    Vector2& v = A.movement->velocity;
    const Vector2 e = Sub(segment.p1, segment.p0);
    const float ee = Dot(e, e);
    float s = ee == 0.0f ? 0.0f : Dot(Sub(sa.center, segment.p0), e) / ee;
    s = s < 0.0f ? 0.0f : (s > 1.0f ? 1.0f : s);
    const Vector2 closest = Add(segment.p0, Scale(e, s));
    const Vector2 d = Sub(Add(sa.center, Scale(v, K)), closest);
    const float k = static_cast<float>(Length(d) - sa.radius - 1.0);
    MoveBy(*A.transform, Scale(UnitOr(d, Backwards(motion)), -k));
    v = Sub(v, Scale(n, Dot(v, n)));
    return true;
}

bool BoxBox(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const CollisionShape& sa = *A.collision->shape;
    const CollisionShape& sb = *B.collision->shape;
    Vector2 contact;
    Vector2 n;
    float t = 0.0f;
    if (!SweptAabb(sa, motion, sb, contact, n, t))
        return false;
    Notify(pair, A, B);
    if (!Solid(A, B))
        return true;
    Vector2& v = A.movement->velocity;
    if (SweptAabb(sa, v, sb, contact, n, t))
    {
        v.x = v.x + n.x * std::abs(v.x) * (1.0f - t);
        v.y = v.y + n.y * std::abs(v.y) * (1.0f - t);
    }
    return true;
}

bool BoxCircle(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const CollisionShape& sa = *A.collision->shape;
    const CollisionShape& sb = *B.collision->shape;
    Vector2 q;
    float depth = 0.0f;
    if (!CircleAabbOverlap(sb, B.movement->velocity, sa, motion, q, depth))
        return false;
    Notify(pair, A, B);
    if (!Solid(A, B) || !(depth > 0.0f))
        return true;
    const Vector2 p = Add(sb.center, Scale(B.movement->velocity, K));
    const Vector2 boxMin = Add(sa.position, Scale(motion, K));
    const Separation push = SeparateCircleFromBox(q, depth, p, boxMin, Add(boxMin, sa.size), sb.radius);
    MoveBy(*A.transform, Scale(push.u, push.distance));
    return true;
}

bool BoxSegment(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    Segment segment;
    SegmentFromCollider(segment, *B.collision->shape);
    Vector2 stepMotion = motion;
    Vector2 n;
    float t = 0.0f;
    if (!SweptAabbSegment(*A.collision->shape, segment, stepMotion, n, t))
        return false;
    Notify(pair, A, B);
    if (Solid(A, B))
        ResolveBoxSegment(*A.collision, *A.transform, *A.movement, segment, B.transform->rotation, n, t);
    return true;
}
}

bool NotifyContact(Coordinator& coordinator, Entity a, bool aIsTrigger, Entity b, bool bIsTrigger)
{
    bool told = false;
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(a, behaviour))
    {
        told = true;
        if (aIsTrigger)
            behaviour->OnTrigger(coordinator, b);
        else
            behaviour->OnCollision(coordinator, b);
    }
    behaviour.reset();
    if (coordinator.GetBehaviour(b, behaviour))
    {
        told = true;
        if (bIsTrigger)
            behaviour->OnTrigger(coordinator, a);
        else
            behaviour->OnCollision(coordinator, a);
    }
    return told;
}

namespace
{
bool TestPair(PairUnderTest& pair, ColliderParts& A, ColliderParts& B, const Vector2& motion)
{
    const std::int32_t kindA = A.collision->colliderType;
    const std::int32_t kindB = B.collision->colliderType;
    if (kindA == ColliderCircle)
    {
        if (kindB == ColliderCircle)
            return CircleCircle(pair, A, B, motion);
        if (kindB == ColliderRectangle)
            return A.collision->isReflective ? ReflectiveCircleBox(pair, A, B, motion)
                                             : CircleBox(pair, A, B, motion);
        if (kindB == ColliderLineSegment)
            return CircleSegment(pair, A, B, motion);
        return false;
    }
    if (kindA == ColliderRectangle)
    {
        if (kindB == ColliderRectangle)
            return BoxBox(pair, A, B, motion);
        if (kindB == ColliderCircle)
            return BoxCircle(pair, A, B, motion);
        if (kindB == ColliderLineSegment)
            return BoxSegment(pair, A, B, motion);
    }
    return false;
}
}

bool TestAndRespond(Coordinator& coordinator, Entity a, ColliderParts& A, Entity b, ColliderParts& B,
                    const Vector2& motion, bool* told)
{
    PairUnderTest pair{coordinator, a, b};
    const bool hit = TestPair(pair, A, B, motion);
    if (told != nullptr)
        *told = pair.told;
    return hit;
}