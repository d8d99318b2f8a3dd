#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/systems/ShapeTests.h"
#include "game/definitions/GameDefinitions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr float Nan = std::numeric_limits<float>::quiet_NaN();

CollisionShape Box(Vector2 min, Vector2 size)
{
    CollisionShape shape;
    shape.position = min;
    shape.size = size;
    shape.center = {min.x + size.x * 0.5f, min.y + size.y * 0.5f};
    return shape;
}

CollisionShape Circle(Vector2 centre, float radius)
{
    CollisionShape shape;
    shape.center = centre;
    shape.radius = radius;
    shape.size = {radius * 2.0f, radius * 2.0f};
    shape.position = {centre.x - radius, centre.y - radius};
    return shape;
}

// A segment collider of that width through centre, turned by angle.
CollisionShape Wall(Vector2 centre, float width, float angle = 0.0f)
{
    CollisionShape shape;
    shape.center = centre;
    shape.size = {width, 0.0f};
    shape.angle = angle;
    shape.rotation.columns[0] = {std::cos(angle), std::sin(angle)};
    shape.rotation.columns[1] = {-std::sin(angle), std::cos(angle)};
    return shape;
}

Segment SegmentOf(const CollisionShape& shape)
{
    Segment segment;
    SegmentFromCollider(segment, shape);
    return segment;
}

bool Finite(const Vector2& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}
}

TEST(ShapeTestsTest, SideOfLineAndSegmentFromCollider)
{
    EXPECT_EQ(SideOfLine({0, 0}, {10, 0}, {5, 5}), 1);
    EXPECT_EQ(SideOfLine({0, 0}, {10, 0}, {5, -5}), -1);
    EXPECT_EQ(SideOfLine({0, 0}, {10, 0}, {20, 0}), 0);

    const Segment flat = SegmentOf(Wall({100, 100}, 40));
    EXPECT_FLOAT_EQ(flat.p0.x, 120);
    EXPECT_FLOAT_EQ(flat.p1.x, 80);
    EXPECT_FLOAT_EQ(flat.n.x, 0);
    EXPECT_FLOAT_EQ(flat.n.y, -1);

    const Segment upright = SegmentOf(Wall({100, 100}, 40, 1.5707964f));
    EXPECT_NEAR(upright.p0.y, 120, 1e-4);
    EXPECT_NEAR(upright.n.x, 1, 1e-6);

    const Segment point = SegmentOf(Wall({100, 100}, 0));
    EXPECT_EQ(point.n.x, 0.0f);
    EXPECT_EQ(point.n.y, 0.0f);
}

TEST(ShapeTestsTest, RayAabbSlabCases)
{
    struct Case
    {
        const char* what;
        Ray ray;
        bool hit;
        float t;
        Vector2 normal;
    };
    const Aabb box = {{0, 0}, {10, 10}};
    const Case cases[] = {
        {"from the left", {{10, 0}, {-5, 5}}, true, 0.5f, {-1, 0}},
        {"from the right", {{-10, 0}, {15, 5}}, true, 0.5f, {1, 0}},
        {"from below", {{0, 10}, {5, -5}}, true, 0.5f, {0, -1}},
        {"from above", {{0, -10}, {5, 15}}, true, 0.5f, {0, 1}},
        {"exactly through a corner: both slabs at once", {{10, 10}, {-5, -5}}, true, 0.5f, {0, 0}},
        {"inside: a hit with a negative time", {{10, 0}, {5, 5}}, true, -0.5f, {-1, 0}},
        {"too short: entry time 1.25 is written", {{4, 0}, {-5, 5}}, false, 1.25f, {-1, 0}},
        {"reaches the face exactly at t = 1", {{5, 0}, {-5, 5}}, false, 1.0f, {-1, 0}},
        {"box behind the ray", {{10, 0}, {15, 5}}, false, 99.0f, {0, 0}},
        {"passes above", {{10, 0}, {-5, 15}}, false, 99.0f, {0, 0}},
        {"grazes along the top edge line (0 x infinity)", {{10, 0}, {-5, 10}}, false, 99.0f, {0, 0}},
        {"grazes along the bottom edge line", {{10, 0}, {-5, 0}}, false, 99.0f, {0, 0}},
        {"no direction", {{0, 0}, {5, 5}}, false, 99.0f, {0, 0}},
    };
    for (const Case& c : cases)
    {
        Vector2 contact{7, 7};
        Vector2 normal{7, 7};
        float t = 99.0f;
        EXPECT_EQ(RayAabb(c.ray, box, contact, normal, t), c.hit) << c.what;
        EXPECT_FLOAT_EQ(t, c.t) << c.what;
        if (c.t != 99.0f)
        {
            EXPECT_EQ(normal.x, c.normal.x) << c.what;
            EXPECT_EQ(normal.y, c.normal.y) << c.what;
            EXPECT_FLOAT_EQ(contact.x, c.ray.origin.x + c.ray.direction.x * c.t) << c.what;
            EXPECT_FLOAT_EQ(contact.y, c.ray.origin.y + c.ray.direction.y * c.t) << c.what;
        }
        EXPECT_TRUE(Finite(contact)) << c.what;
    }
}

TEST(ShapeTestsTest, RayCircleCases)
{
    struct Case
    {
        const char* what;
        Ray ray;
        bool hit;
        float t;
    };
    const Case cases[] = {
        {"head on", {{10, 0}, {-10, 0}}, true, 0.5f},
        {"tangent: writes t, no hit", {{10, 0}, {-10, 5}}, false, 1.0f},
        {"inside: a hit with a negative time", {{10, 0}, {0, 0}}, true, -0.5f},
        {"moving away from behind", {{10, 0}, {10, 0}}, false, 99.0f},
        {"too short", {{10, 0}, {-20, 0}}, false, 99.0f},
        {"passes by", {{10, 0}, {-10, 6}}, false, 99.0f},
        {"no direction", {{0, 0}, {-10, 0}}, false, 99.0f},
    };
    for (const Case& c : cases)
    {
        float t = 99.0f;
        EXPECT_EQ(RayCircle(c.ray, {0, 0}, 5.0f, t), c.hit) << c.what;
        EXPECT_FLOAT_EQ(t, c.t) << c.what;
    }
}

TEST(ShapeTestsTest, SweptAabbCastsFromTheMoversOwnCentre)
{
    const CollisionShape a = Box({0, 0}, {10, 10});
    const CollisionShape wide = Box({40, -10}, {30, 30}); // 30 units of gap
    Vector2 contact;
    Vector2 normal;
    float t = 0.0f;
    // 20 units per step do not close a 30-unit gap (a cast from A's corner plus half the grown
    // size would start 15 units further on and report a hit).
    EXPECT_FALSE(SweptAabb(a, {1200, 0}, wide, contact, normal, t));
    ASSERT_TRUE(SweptAabb(a, {2400, 0}, wide, contact, normal, t));
    EXPECT_FLOAT_EQ(t, 0.75f);
    EXPECT_FLOAT_EQ(contact.x, 35.0f);
    EXPECT_FLOAT_EQ(contact.y, 5.0f);
    EXPECT_EQ(normal.x, -1.0f);

    // Zero velocity never hits, even overlapping; a hit behind (t < 0) does not count.
    EXPECT_FALSE(SweptAabb(a, {0, 0}, Box({5, 5}, {10, 10}), contact, normal, t));
    EXPECT_FALSE(SweptAabb(a, {600, 0}, Box({5, 5}, {10, 10}), contact, normal, t));
    // Zero-size boxes give numbers, not NaN.
    EXPECT_TRUE(SweptAabb(Box({0, 0}, {0, 0}), {1200, 0}, Box({10, -5}, {0, 10}), contact, normal, t));
    EXPECT_FLOAT_EQ(t, 0.5f);
}

TEST(ShapeTestsTest, CircleAabbOverlapCountsCirclesWithinOneUnit)
{
    struct Case
    {
        const char* what;
        Vector2 circleVelocity;
        Vector2 boxVelocity;
        Vector2 boxMin;
        bool hit;
        float depth;
    };
    const Case cases[] = {
        {"edge 0.5 away", {0, 0}, {0, 0}, {10.5f, -5}, true, 0.5f},
        {"edge 1.5 away", {0, 0}, {0, 0}, {11.5f, -5}, false, -0.5f},
        {"circle steps one unit closer", {60, 0}, {0, 0}, {11.5f, -5}, true, 0.5f},
        {"box steps one unit away", {0, 0}, {60, 0}, {10.5f, -5}, false, -0.5f},
        {"centre inside: q is zero", {0, 0}, {0, 0}, {-5, -5}, true, 11.0f},
    };
    for (const Case& c : cases)
    {
        Vector2 q{9, 9};
        float depth = 99.0f;
        EXPECT_EQ(CircleAabbOverlap(Circle({0, 0}, 10), c.circleVelocity, Box(c.boxMin, {10, 10}), c.boxVelocity, q, depth),
                  c.hit)
            << c.what;
        EXPECT_NEAR(depth, c.depth, 1e-5) << c.what;
    }
    Vector2 q;
    float depth = 0.0f;
    CircleAabbOverlap(Circle({0, 0}, 10), {0, 0}, Box({10.5f, -5}, {10, 10}), {0, 0}, q, depth);
    EXPECT_FLOAT_EQ(q.x, 10.5f);
    EXPECT_FLOAT_EQ(q.y, 0.0f);
    EXPECT_FALSE(CircleAabbOverlap(Circle({Nan, 0}, 10), {0, 0}, Box({0, 0}, {1, 1}), {0, 0}, q, depth));
    EXPECT_EQ(depth, 0.0f);
}

TEST(ShapeTestsTest, SegmentAabbClipCases)
{
    struct Case
    {
        const char* what;
        Vector2 p0;
        Vector2 p1;
        bool hit;
    };
    const Case cases[] = {
        {"along the top edge line, no y extent", {-5, 10}, {15, 10}, true},
        {"just above the top edge line", {-5, 10.01f}, {15, 10.01f}, false},
        {"along the left edge line, no x extent", {0, -5}, {0, 15}, true},
        {"crossing diagonally", {-5, -5}, {15, 15}, true},
        {"passing beside", {-5, -5}, {-1, 20}, false},
        {"ending before the box", {-5, 5}, {-1, 5}, false},
        {"ending exactly on the face", {-5, 5}, {0, 5}, true},
        {"a point inside", {5, 5}, {5, 5}, true},
        {"a point outside", {15, 5}, {15, 5}, false},
        {"NaN end", {Nan, 5}, {15, 5}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SegmentAabbClip({0, 0}, {10, 10}, c.p0, c.p1), c.hit) << c.what;

    // A vertical segment clips on y only: its y times sit at index 1.
    ASSERT_TRUE(SegmentAabbClip({0, 0}, {10, 10}, {5, -5}, {5, 15}));
    EXPECT_FLOAT_EQ(ClipEntryTimes()[1], 0.25f);
    EXPECT_FLOAT_EQ(ClipExitTimes()[1], 0.75f);
    EXPECT_FLOAT_EQ(ClipEntryTimes()[2], 0.0f);
    // Right to left: entry and exit swap ends.
    ASSERT_TRUE(SegmentAabbClip({0, 0}, {10, 10}, {15, 5}, {-5, 5}));
    EXPECT_FLOAT_EQ(ClipEntryTimes()[1], 0.25f);
    EXPECT_FLOAT_EQ(ClipExitTimes()[1], 0.75f);
}

TEST(ShapeTestsTest, SweptCircleSegmentFacesAndCaps)
{
    // A horizontal wall from (100, 0) to (-100, 0); its normal is (0, -1).
    const Segment wall = SegmentOf(Wall({0, 0}, 200));
    struct Case
    {
        const char* what;
        Vector2 centre;
        Vector2 velocity;
        bool hit;
        float t;
        Vector2 contact;
        Vector2 normal;
    };
    const Case cases[] = {
        {"face from above (behind the normal)", {0, 30}, {0, -1800}, true, 2.0f / 3.0f, {0, 10}, {0, -1}},
        {"face from below (in front)", {0, -30}, {0, 1800}, true, 2.0f / 3.0f, {0, -10}, {0, 1}},
        {"face out of reach this step", {0, 100}, {0, -1800}, false, 3.0f, {}, {}},
        {"end cap from the side (inside mode)", {130, 0}, {-1800, 0}, true, 2.0f / 3.0f, {110, 0}, {-1, 0}},
        {"end cap past the face's end (outside mode)", {105, 30}, {0, -1800}, true, 0.7113249f, {105, 8.660254f}, {-1, 0}},
        {"beside the wall", {130, 30}, {0, -1800}, false, 99.0f, {}, {}},
        {"moving away", {0, 30}, {0, 1800}, false, -2.0f / 3.0f, {}, {}},
        {"no motion", {0, 5}, {0, 0}, false, 99.0f, {}, {}},
    };
    for (const Case& c : cases)
    {
        Vector2 contact{7, 7};
        Vector2 normal{7, 7};
        float t = 99.0f;
        EXPECT_EQ(SweptCircleSegment(Circle(c.centre, 10), c.velocity, wall, contact, normal, t), c.hit) << c.what;
        EXPECT_NEAR(t, c.t, 1e-4) << c.what;
        if (c.hit)
        {
            EXPECT_NEAR(contact.x, c.contact.x, 1e-3) << c.what;
            EXPECT_NEAR(contact.y, c.contact.y, 1e-3) << c.what;
            EXPECT_NEAR(normal.x, c.normal.x, 1e-6) << c.what;
            EXPECT_NEAR(normal.y, c.normal.y, 1e-6) << c.what;
        }
    }
    Vector2 contact;
    Vector2 normal;
    float t = 0.0f;
    EXPECT_FALSE(SweptCircleSegment(Circle({0, 0}, 10), {600, 0}, SegmentOf(Wall({5, 0}, 0)), contact, normal, t));
}

TEST(ShapeTestsTest, SweptAabbSegmentSeparatingAxes)
{
    const Segment wall = SegmentOf(Wall({0, 0}, 200));
    struct Case
    {
        const char* what;
        Vector2 centre;
        Vector2 velocity;
        bool hit;
        float t;
    };
    const Case cases[] = {
        {"falls onto the wall", {0, 30}, {0, -1800}, true, 2.0f / 3.0f},
        {"out of reach", {0, 60}, {0, -1800}, false, 99.0f},
        {"beside the wall's end", {130, 30}, {0, -1800}, false, 99.0f},
        {"slides along it, resting on it", {0, 9}, {600, 0}, true, 0.0f},
        {"rests clear of it", {0, 30}, {0, 0}, false, 99.0f},
    };
    for (const Case& c : cases)
    {
        Vector2 velocity = c.velocity;
        Vector2 normal{7, 7};
        float t = 99.0f;
        const CollisionShape box = Box({c.centre.x - 10, c.centre.y - 10}, {20, 20});
        EXPECT_EQ(SweptAabbSegment(box, wall, velocity, normal, t), c.hit) << c.what;
        EXPECT_NEAR(t, c.t, 1e-5) << c.what;
        EXPECT_EQ(normal.x, 0.0f);
        EXPECT_FLOAT_EQ(velocity.x, c.velocity.x * FixedStepSeconds) << c.what << ": scaled in place";
    }
    Vector2 velocity{0, -1800};
    Vector2 normal;
    float t = 0.0f;
    EXPECT_FALSE(SweptAabbSegment(Box({-10, 20}, {20, 20}), SegmentOf(Wall({0, 0}, 0)), velocity, normal, t));
}

TEST(ShapeTestsTest, BoxExtentIsTheTrueSupportAndUnchangedWhereTheOldFormHeld)
{
    auto oldForm = [](float hw, float hh, float rotation) {
        return std::abs(std::sqrt(hw * hw + hh * hh) * std::cos(1.5707964f - rotation - std::atan(hh / hw)));
    };
    struct Case
    {
        float degrees;
        float rotation;
        bool oldFormHolds;
    };
    const Case cases[] = {
        {0, 0.0f, true},          {45, 0.7853982f, true},  {90, 1.5707964f, true},   {135, 2.3561945f, false},
        {180, 3.1415927f, true},  {225, 3.9269910f, true}, {270, 4.712389f, true},   {315, 5.4977871f, false},
    };
    for (const Case& c : cases)
    {
        const float hw = 20.0f;
        const float hh = 10.0f;
        const float support = std::abs(hw * std::sin(c.rotation)) + std::abs(hh * std::cos(c.rotation));
        EXPECT_NEAR(BoxExtentAcrossSegment(hw, hh, c.rotation), support, 1e-4) << c.degrees;
        if (c.oldFormHolds)
            EXPECT_EQ(BoxExtentAcrossSegment(hw, hh, c.rotation), oldForm(hw, hh, c.rotation)) << c.degrees;
        else
            EXPECT_LT(oldForm(hw, hh, c.rotation), support - 10.0f) << c.degrees;
    }
    EXPECT_EQ(BoxExtentAcrossSegment(0.0f, 0.0f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(BoxExtentAcrossSegment(0.0f, 10.0f, 0.0f), 10.0f);
}

TEST(ShapeTestsTest, ResolveBoxSegmentPushesTheBoxOneUnitBeyondItsExtent)
{
    // A 40 by 20 box 5 units from the line of a wall turned by each angle, on its normal's side.
    struct Case
    {
        float degrees;
        float rotation;
        float extent;
    };
    const Case cases[] = {
        {0, 0.0f, 10.0f},
        {45, 0.7853982f, 21.213203f},
        {90, 1.5707964f, 20.0f},
        {135, 2.3561945f, 21.213203f},
    };
    for (const Case& c : cases)
    {
        const Segment wall = SegmentOf(Wall({0, 0}, 400, c.rotation));
        PhysicsCollision box;
        box.shapeData = Box({wall.n.x * 5 - 20, wall.n.y * 5 - 10}, {40, 20});
        Transform transform;
        transform.position = box.shapeData.center;
        PhysicsMovement movement;
        ResolveBoxSegment(box, transform, movement, wall, c.rotation, {0, 0}, 0.0f);
        const float distance = transform.position.x * wall.n.x + transform.position.y * wall.n.y;
        EXPECT_NEAR(distance, c.extent + 1.0f, 1e-3) << c.degrees;
        EXPECT_FLOAT_EQ(transform.previousPosition.x, box.shapeData.center.x) << c.degrees;
    }

    // A centre exactly on the wall leaves along the normal, against the motion.
    const Segment wall = SegmentOf(Wall({0, 0}, 400));
    PhysicsCollision box;
    box.shapeData = Box({-20, -10}, {40, 20});
    Transform transform;
    PhysicsMovement movement;
    ResolveBoxSegment(box, transform, movement, wall, 0.0f, {0, 0}, 0.0f);
    EXPECT_TRUE(Finite(transform.position));
    EXPECT_FLOAT_EQ(std::abs(transform.position.y), 11.0f);
    movement.velocity = {0, -60};
    transform.position = {0, 0};
    ResolveBoxSegment(box, transform, movement, wall, 0.0f, {0, 0}, 0.0f);
    EXPECT_TRUE(Finite(transform.position));
}
