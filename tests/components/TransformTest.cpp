#include "engine/components/Transform.h"
#include "support/CoreWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::ElementsAre;

namespace
{
struct TransformTest : testing::Test
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;

    // A named entity with a Transform at p listing the given children.
    Entity Node(const std::string& name, Vector2 p, std::vector<std::string> children = {})
    {
        const Entity entity = world.Named(name);
        Transform* t = coordinator.AddComponent<Transform>(entity);
        t->position = p;
        t->childNames = std::move(children);
        return entity;
    }
    Transform& T(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
};
}

TEST_F(TransformTest, SetPositionCarriesTheSubtreeByTheSameOffset)
{
    const Entity parent = Node("Parent", {10, 10}, {"Child"});
    const Entity child = Node("Child", {12, 30}, {"Grandchild"});
    const Entity grandchild = Node("Grandchild", {-4, 0});
    T(child).previousPosition = {1, 1};

    T(parent).SetPosition({15, 10}, coordinator);
    EXPECT_EQ(T(parent).position.x, 15.0f);
    EXPECT_EQ(T(child).position.x, 17.0f);
    EXPECT_EQ(T(child).position.y, 30.0f);
    EXPECT_EQ(T(grandchild).position.x, 1.0f);
    EXPECT_EQ(T(grandchild).position.y, 0.0f);
    EXPECT_EQ(T(child).previousPosition.x, 1.0f) << "previous position untouched";
}

TEST_F(TransformTest, SetScaleAddsTheChangeAndSetRotationKeepsRelativeAngles)
{
    const Entity parent = Node("Parent", {0, 0}, {"Child"});
    const Entity child = Node("Child", {50, 0});
    T(parent).scale = {1, 1};
    T(child).scale = {3, 3};
    T(parent).SetScale({2, 2}, coordinator);
    EXPECT_EQ(T(child).scale.x, 4.0f);
    EXPECT_EQ(T(child).scale.y, 4.0f);

    T(parent).rotation = 1.0f;
    T(child).rotation = 1.5f;
    T(parent).SetRotation(2.0f, coordinator);
    EXPECT_EQ(T(parent).rotation, 2.0f);
    EXPECT_EQ(T(child).rotation, 2.5f);
    EXPECT_EQ(T(child).position.x, 50.0f) << "positions are not turned";
}

TEST_F(TransformTest, SetRotationWrapsFromAboveOnly)
{
    Transform t;
    t.SetRotation(7.0f, coordinator);
    EXPECT_EQ(t.rotation, 7.0f - 6.2831898f);
    EXPECT_NEAR(t.rotation, 0.71681f, 1e-5);
    t.SetRotation(-1.0f, coordinator);
    EXPECT_EQ(t.rotation, -1.0f);
    t.SetRotation(20.0f, coordinator);
    EXPECT_EQ(t.rotation, (20.0f - 6.2831898f - 6.2831898f) - 6.2831898f);
    t.SetRotation(INFINITY, coordinator);
    EXPECT_TRUE(std::isfinite(t.rotation)) << "ends";
    t.SetRotation(3.0e9f, coordinator);
    EXPECT_LE(t.rotation, 6.2831898f) << "ends";
}

TEST_F(TransformTest, RotationFromDirection)
{
    struct Row
    {
        Vector2 direction;
        float expected;
    };
    const Row rows[] = {
        {{0, 1}, static_cast<float>(M_PI / 2)},
        {{0, -1}, static_cast<float>(3 * M_PI / 2)},
        {{-1, 0}, static_cast<float>(M_PI)},
        {{1, 0}, 0.0f},
        {{3, 3}, static_cast<float>(M_PI / 4)},
        {{0, 0}, 0.25f}, // no direction: unchanged
    };
    for (const Row& row : rows)
    {
        Transform t;
        t.rotation = 0.25f;
        t.SetRotationFromDirection(row.direction);
        EXPECT_EQ(t.rotation, row.expected) << row.direction.x << "," << row.direction.y;
    }
}

TEST_F(TransformTest, RecursiveDirectionTurnsTheWholeSubtree)
{
    const Entity root = Node("Root", {0, 0}, {"A"});
    const Entity a = Node("A", {0, 0}, {"B"});
    const Entity b = Node("B", {0, 0});
    T(root).SetRotationFromDirectionRecursive({0, 1}, coordinator);
    for (Entity e : {root, a, b})
        EXPECT_EQ(T(e).rotation, static_cast<float>(M_PI / 2));
    T(root).SetRotationFromDirectionRecursive({0, 0}, coordinator);
    EXPECT_EQ(T(b).rotation, static_cast<float>(M_PI / 2));
}

TEST_F(TransformTest, AllChildrenInPreOrder)
{
    const Entity parent = Node("Parent", {0, 0}, {"A", "B"});
    Node("A", {0, 0}, {"C"});
    Node("B", {0, 0});
    Node("C", {0, 0});
    EXPECT_THAT(T(parent).GetAllChildren(coordinator), ElementsAre("A", "C", "B"));
}

TEST_F(TransformTest, UnresolvableChildrenAreSkippedNeverEntityZero)
{
    const Entity bystander = Node("Bystander", {100, 100}); // entity 0
    const Entity parent = Node("Parent", {0, 0}, {"Ghost", "NoTransform", "Real"});
    const Entity bare = world.Named("NoTransform");
    const Entity real = Node("Real", {5, 5});
    const Entity unjoined = coordinator.CreateEntity(); // has a Transform but no name lookup
    coordinator.AddComponent<Transform>(unjoined);
    coordinator.AddComponent<Identifier>(unjoined)->name = "Ghost";
    ASSERT_EQ(bystander, 0);

    T(parent).SetPosition({10, 0}, coordinator);
    EXPECT_EQ(T(bystander).position.x, 100.0f);
    EXPECT_EQ(T(real).position.x, 15.0f);
    EXPECT_EQ(T(unjoined).position.x, 0.0f);
    EXPECT_EQ(coordinator.GetComponent<Transform>(bare), nullptr);
    EXPECT_THAT(T(parent).GetAllChildren(coordinator), ElementsAre("Real"));
}

TEST_F(TransformTest, CyclesAndSelfListingTerminate)
{
    const Entity a = Node("A", {0, 0}, {"A", "B"});
    const Entity b = Node("B", {1, 0}, {"A", "C"});
    const Entity c = Node("C", {2, 0}, {"B"});

    T(a).SetPosition({10, 0}, coordinator);
    EXPECT_EQ(T(a).position.x, 10.0f);
    EXPECT_EQ(T(b).position.x, 11.0f);
    EXPECT_EQ(T(c).position.x, 12.0f) << "each transform moves once";

    T(a).scale = {1, 1};
    T(a).SetScale({2, 2}, coordinator);
    T(a).SetRotation(1.0f, coordinator);
    T(a).SetRotationFromDirectionRecursive({1, 0}, coordinator);
    EXPECT_THAT(T(a).GetAllChildren(coordinator), ElementsAre("B", "C"));
    EXPECT_EQ(T(c).rotation, 0.0f);
}
