#include "engine/systems/CollisionQueries.h"
#include "engine/systems/ShapeTests.h"
#include "support/PhysicsWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
const std::vector<std::string> TagPool = {"PLAYER", "ZOMBIE", "WALL"};

// Random colliders of all three kinds (some of zero size, segments at any angle), all inside the
// broadphase rectangle, placed by one rebuild.
struct RandomScene
{
    PhysicsWorld world;
    std::mt19937 random;
    std::vector<Entity> all;

    RandomScene(unsigned seed, int count) : random(seed)
    {
        for (int i = 0; i < count; ++i)
        {
            const float kind = Uniform(0, 1);
            const ColliderType type = kind < 0.45f ? ColliderRectangle : (kind < 0.85f ? ColliderCircle : ColliderLineSegment);
            Vector2 size = {Uniform(0, 120), Uniform(0, 120)};
            if (Uniform(0, 1) < 0.05f)
                size = {0, 0};
            if (type == ColliderCircle)
                size.y = size.x;
            std::vector<std::string> tags;
            for (const std::string& tag : TagPool)
                if (Uniform(0, 1) < 0.4f)
                    tags.push_back(tag);
            const Entity entity = world.Collider("C" + std::to_string(i), type,
                                                 {Uniform(-500, 3100), Uniform(-550, 1300)}, size, {}, tags);
            if (type == ColliderLineSegment)
                world.TransformOf(entity).rotation = Uniform(0.01f, 6.28f);
            all.push_back(entity);
        }
        world.collision->RebuildGrid(world.coordinator, world.Grid());
    }

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }
    Vector2 AnyPoint() { return {Uniform(-630, 3250), Uniform(-700, 1440)}; }
    std::vector<std::string> SomeTags()
    {
        std::vector<std::string> tags;
        for (const std::string& tag : TagPool)
            if (Uniform(0, 1) < 0.3f)
                tags.push_back(tag);
        return tags;
    }
    const Identifier& IdentifierOf(Entity e) { return *world.coordinator.GetComponent<Identifier>(e); }
    bool Carries(Entity e, const std::vector<std::string>& tags)
    {
        for (const std::string& tag : IdentifierOf(e).tags)
            if (std::find(tags.begin(), tags.end(), tag) != tags.end())
                return true;
        return false;
    }
};

// Squared distance from a point to a box.
double BoxDistanceSquared(const Vector2& p, const CollisionShape& box)
{
    const double dx = std::max({0.0, static_cast<double>(box.position.x) - p.x, static_cast<double>(p.x) - (box.position.x + box.size.x)});
    const double dy = std::max({0.0, static_cast<double>(box.position.y) - p.y, static_cast<double>(p.y) - (box.position.y + box.size.y)});
    return dx * dx + dy * dy;
}

bool CircleTouches(const PhysicsCollision& collision, const Vector2& centre, float radius)
{
    const CollisionShape& s = *collision.shape;
    if (collision.colliderType == ColliderCircle)
    {
        const double dx = static_cast<double>(centre.x) - s.center.x;
        const double dy = static_cast<double>(centre.y) - s.center.y;
        const double reach = static_cast<double>(radius) + s.radius;
        return dx * dx + dy * dy < reach * reach;
    }
    if (collision.colliderType == ColliderRectangle)
        return BoxDistanceSquared(centre, s) <= static_cast<double>(radius) * radius;
    return false;
}

double Cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

bool SegmentCrosses(const PhysicsCollision& collision, const Vector2& from, const Vector2& to)
{
    const CollisionShape& s = *collision.shape;
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    switch (collision.colliderType)
    {
    case ColliderRectangle:
        return SegmentAabbClip(s.position, s.size, from, to);
    case ColliderCircle:
    {
        const double dd = dx * dx + dy * dy;
        double t = dd == 0 ? 0 : ((s.center.x - from.x) * dx + (s.center.y - from.y) * dy) / dd;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = from.x + t * dx - s.center.x;
        const double ey = from.y + t * dy - s.center.y;
        return std::sqrt(ex * ex + ey * ey) < s.radius;
    }
    default:
    {
        const double hx = static_cast<double>(s.rotation.columns[0].x) * s.size.x * 0.5;
        const double hy = static_cast<double>(s.rotation.columns[0].y) * s.size.x * 0.5;
        const double px = s.center.x + hx;
        const double py = s.center.y + hy;
        const double sx = -2 * hx;
        const double sy = -2 * hy;
        const double denominator = Cross(dx, dy, sx, sy);
        if (denominator == 0)
            return false;
        const double t = Cross(px - from.x, py - from.y, sx, sy) / denominator;
        const double u = Cross(px - from.x, py - from.y, dx, dy) / denominator;
        return t >= 0 && t <= 1 && u >= 0 && u <= 1;
    }
    }
}

bool Ascending(const std::vector<Entity>& ids)
{
    return std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<Entity>()) == ids.end();
}
}

TEST(CollisionQueriesTest, OverlapCircleMatchesBruteForce)
{
    for (unsigned seed : {1u, 2u, 3u})
    {
        RandomScene scene(seed, 400);
        for (int query = 0; query < 300; ++query)
        {
            const Vector2 centre = scene.AnyPoint();
            const float radius = query % 10 == 0 ? 0.0f : scene.Uniform(0, 400);
            const std::vector<std::string> tags = scene.SomeTags();
            std::vector<Entity> expected;
            for (Entity e : scene.all)
                if (CircleTouches(scene.world.CollisionOf(e), centre, radius) && (tags.empty() || scene.Carries(e, tags)))
                    expected.push_back(e);
            const std::vector<Entity> found = OverlapCircle(scene.world.coordinator, scene.world.Grid(), centre, radius, tags);
            ASSERT_EQ(found, expected) << "seed " << seed << " query " << query;
        }
    }
}

TEST(CollisionQueriesTest, RaycastMatchesBruteForceWithAndWithoutContacts)
{
    for (unsigned seed : {4u, 5u, 6u})
    {
        RandomScene scene(seed, 400);
        for (int query = 0; query < 300; ++query)
        {
            const Vector2 from = scene.AnyPoint();
            Vector2 to = query % 25 == 0 ? from : scene.AnyPoint();
            if (query % 5 == 1) // a short cast, as for a shot at a near target
                to = {from.x + scene.Uniform(-80, 80), from.y + scene.Uniform(-80, 80)};
            std::set<Entity> ignore;
            for (int i = 0; i < 5; ++i)
                ignore.insert(scene.all[static_cast<std::size_t>(scene.Uniform(0, 399.9f))]);
            const std::vector<std::string> tagList = scene.SomeTags();
            const std::set<std::string> tags(tagList.begin(), tagList.end());
            const bool useTags = query % 3 == 0;

            std::vector<Entity> plain;
            std::vector<Entity> contacted;
            std::vector<Vector2> expectedPoints;
            std::vector<Vector2> expectedNormals;
            for (Entity e : scene.all)
            {
                if (ignore.count(e) != 0 || (useTags && !scene.Carries(e, tagList)))
                    continue;
                const PhysicsCollision& collision = scene.world.CollisionOf(e);
                if (SegmentCrosses(collision, from, to))
                    plain.push_back(e);
                const Ray ray = {{to.x - from.x, to.y - from.y}, from};
                const CollisionShape& s = *collision.shape;
                Vector2 point;
                Vector2 normal;
                float t = 0;
                if (collision.colliderType == ColliderRectangle && RayAabb(ray, {s.position, s.size}, point, normal, t))
                {
                    contacted.push_back(e);
                    expectedPoints.push_back(point);
                    expectedNormals.push_back(normal);
                }
                else if (collision.colliderType == ColliderCircle && RayCircle(ray, s.center, s.radius, t))
                {
                    point = {from.x + t * ray.direction.x, from.y + t * ray.direction.y};
                    const double nx = static_cast<double>(point.x) - s.center.x;
                    const double ny = static_cast<double>(point.y) - s.center.y;
                    const double length = std::sqrt(nx * nx + ny * ny);
                    contacted.push_back(e);
                    expectedPoints.push_back(point);
                    expectedNormals.push_back({static_cast<float>(nx / length), static_cast<float>(ny / length)});
                }
            }

            Coordinator& coordinator = scene.world.coordinator;
            const std::set<std::string>* tagFilter = useTags ? &tags : nullptr;
            EXPECT_EQ(Raycast(coordinator, scene.world.Grid(), from, to, &ignore, false, nullptr, nullptr, tagFilter), plain)
                << "seed " << seed << " query " << query;

            std::vector<Vector2> points;
            std::vector<Vector2> normals;
            const std::vector<Entity> found =
                Raycast(coordinator, scene.world.Grid(), from, to, &ignore, true, &points, &normals, tagFilter);
            ASSERT_EQ(found, contacted) << "seed " << seed << " query " << query;
            ASSERT_EQ(points.size(), found.size());
            ASSERT_EQ(normals.size(), found.size());
            for (std::size_t i = 0; i < found.size(); ++i)
            {
                EXPECT_FLOAT_EQ(points[i].x, expectedPoints[i].x);
                EXPECT_FLOAT_EQ(points[i].y, expectedPoints[i].y);
                EXPECT_NEAR(normals[i].x, expectedNormals[i].x, 1e-6);
                EXPECT_NEAR(normals[i].y, expectedNormals[i].y, 1e-6);
            }
            EXPECT_TRUE(Ascending(found));
        }
    }
}

TEST(CollisionQueriesTest, OverlapBoxMatchesBruteForce)
{
    RandomScene scene(7, 400);
    for (int query = 0; query < 300; ++query)
    {
        const Vector2 centre = scene.AnyPoint();
        const Vector2 size = {scene.Uniform(0, 600), scene.Uniform(0, 600)};
        std::vector<std::string> tags = scene.SomeTags();
        std::set<Entity> expected;
        for (Entity e : scene.all)
        {
            if (!scene.Carries(e, tags))
                continue;
            const PhysicsCollision& collision = scene.world.CollisionOf(e);
            const CollisionShape& s = *collision.shape;
            const float left = centre.x - size.x / 2;
            const float bottom = centre.y - size.y / 2;
            CollisionShape box;
            box.position = {left, bottom};
            box.size = size;
            if (collision.colliderType == ColliderCircle && BoxDistanceSquared(s.center, box) <= s.radius * s.radius)
                expected.insert(e);
            if (collision.colliderType == ColliderRectangle && s.position.x < left + size.x && left < s.position.x + s.size.x &&
                s.position.y < bottom + size.y && bottom < s.position.y + s.size.y)
                expected.insert(e);
        }
        EXPECT_EQ(scene.world.collision->OverlapBox(scene.world.coordinator, centre, size, tags), expected) << query;
    }
}

TEST(CollisionQueriesTest, OverlapBoxCountsOnlyMembersOfTheCollisionSystem)
{
    PhysicsWorld world;
    const Entity inside = world.Collider("In", ColliderRectangle, {0, 0}, {20, 20}, {}, {"PLAYER"});
    const Entity left = world.Collider("Out", ColliderRectangle, {0, 0}, {20, 20}, {}, {"PLAYER"});
    world.collision->RebuildGrid(world.coordinator, world.Grid());
    world.coordinator.RemoveEntityFromSystem<sPhysicsCollision>(left);
    EXPECT_THAT(world.collision->OverlapBox(world.coordinator, {0, 0}, {100, 100}, {"PLAYER", "PLAYER"}), ElementsAre(inside));
}

TEST(CollisionQueriesTest, ContactsNeedBothOutputVectors)
{
    PhysicsWorld world;
    const Entity wall = world.Collider("Wall", ColliderLineSegment, {100, 0}, {200, 4});
    world.TransformOf(wall).rotation = 1.5707964f;
    const Entity box = world.Collider("Box", ColliderRectangle, {200, 0}, {20, 20});
    world.collision->RebuildGrid(world.coordinator, world.Grid());
    std::vector<Vector2> points;
    // Without normals the cast is the plain kind: the segment collider counts, nothing is appended.
    EXPECT_THAT(Raycast(world.coordinator, world.Grid(), {0, 0}, {300, 0}, nullptr, true, &points, nullptr),
                ElementsAre(wall, box));
    EXPECT_THAT(points, IsEmpty());
    std::vector<Vector2> normals;
    EXPECT_THAT(Raycast(world.coordinator, world.Grid(), {0, 0}, {300, 0}, nullptr, true, &points, &normals),
                ElementsAre(box));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_FLOAT_EQ(points[0].x, 190.0f);
    EXPECT_FLOAT_EQ(normals[0].x, -1.0f);
}

TEST(CollisionQueriesTest, DegenerateQueriesFindNothingOrStayFinite)
{
    PhysicsWorld world;
    const Entity circle = world.Collider("Circle", ColliderCircle, {0, 0}, {20, 20});
    world.collision->RebuildGrid(world.coordinator, world.Grid());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THAT(OverlapCircle(world.coordinator, world.Grid(), {nan, 0}, 10, {}), IsEmpty());
    EXPECT_THAT(OverlapCircle(world.coordinator, world.Grid(), {0, 0}, nan, {}), IsEmpty());
    EXPECT_THAT(Raycast(world.coordinator, world.Grid(), {nan, 0}, {10, 0}), IsEmpty());
    // A point inside the circle: hit without contacts; the contact cast has no direction.
    EXPECT_THAT(Raycast(world.coordinator, world.Grid(), {1, 1}, {1, 1}), ElementsAre(circle));
    std::vector<Vector2> points;
    std::vector<Vector2> normals;
    EXPECT_THAT(Raycast(world.coordinator, world.Grid(), {1, 1}, {1, 1}, nullptr, true, &points, &normals), IsEmpty());
    // A cast starting at the circle's centre has a finite normal.
    Raycast(world.coordinator, world.Grid(), {0, 0}, {100, 0}, nullptr, true, &points, &normals);
    ASSERT_EQ(normals.size(), 1u);
    EXPECT_TRUE(std::isfinite(normals[0].x) && std::isfinite(normals[0].y));
}
