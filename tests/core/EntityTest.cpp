#include "engine/core/Coordinator.h"
#include "support/AssertCapture.h"
#include "support/TestComponents.h"

#include <gtest/gtest.h>

namespace
{
struct EntityTest : testing::Test
{
    Coordinator coordinator;
    void SetUp() override
    {
        coordinator.ComponentManager.RegisterComponent<Health>();
        coordinator.ComponentManager.RegisterComponent<Speed>();
        coordinator.SystemManager.RegisterSystem<sAlpha>();
        coordinator.SystemManager.SetSignature<sAlpha>(coordinator.ComponentManager.GetComponentType<Health>());
        coordinator.SystemManager.RegisterSystem<sBeta>();
    }
};
}

TEST_F(EntityTest, FreedIdsComeBackOldestFirst)
{
    for (int i = 0; i < 3; ++i)
        coordinator.CreateEntity();
    coordinator.DestroyEntity(1);
    coordinator.DestroyEntity(0);
    coordinator.ProcessDestroyedEntities();
    EXPECT_EQ(coordinator.CreateEntity(), 1);
    EXPECT_EQ(coordinator.CreateEntity(), 0);
    EXPECT_EQ(coordinator.CreateEntity(), 3);
}

TEST_F(EntityTest, DestructionIsDeferredThenClearsEverything)
{
    const Entity a = coordinator.CreateEntity();
    const Entity b = coordinator.CreateEntity();
    coordinator.AddComponentByName("class Health", a)->Deserialize(rapidjson::Value());
    coordinator.AddComponentByName("class Health", b);
    coordinator.AddEntityToSystemByName(a, "class sAlpha");
    coordinator.AddEntityToSystemByName(a, "class sBeta");

    coordinator.DestroyEntity(a);
    EXPECT_NE(coordinator.GetComponent<Health>(a), nullptr) << "still alive until processed";
    EXPECT_EQ(coordinator.GetSystemsOfEntity(a).size(), 2u);

    coordinator.ProcessDestroyedEntities();
    EXPECT_EQ(coordinator.GetComponent<Health>(a), nullptr);
    EXPECT_TRUE(coordinator.GetSystemsOfEntity(a).empty());
    EXPECT_TRUE(coordinator.Signatures[a].none());
    EXPECT_EQ(coordinator.EntityManager.LivingCount(), 1);
    ASSERT_EQ(coordinator.EntityManager.FreeIds().size(), 1u);
    EXPECT_EQ(coordinator.EntityManager.FreeIds().front(), a);
    EXPECT_NE(coordinator.GetComponent<Health>(b), nullptr) << "the moved component stays reachable";
}

TEST_F(EntityTest, BadDestroyRequestsAreIgnored)
{
    const Entity a = coordinator.CreateEntity();
    coordinator.CreateEntity();
    coordinator.DestroyEntity(a);
    coordinator.DestroyEntity(a);       // twice
    coordinator.DestroyEntity(7);       // never created
    coordinator.DestroyEntity(NO_ENTITY);
    coordinator.ProcessDestroyedEntities();
    coordinator.DestroyEntity(a);       // already dead
    coordinator.ProcessDestroyedEntities();

    EXPECT_EQ(coordinator.EntityManager.LivingCount(), 1);
    EXPECT_EQ(coordinator.EntityManager.FreeIds().size(), 1u);
    const Entity first = coordinator.CreateEntity();
    const Entity second = coordinator.CreateEntity();
    EXPECT_NE(first, second) << "two live entities never share an id";
}

TEST_F(EntityTest, CreatingPastTheLimitAssertsWithoutCounting)
{
    for (std::size_t i = 0; i < MAX_ENTITIES; ++i)
        coordinator.CreateEntity();
    EXPECT_EQ(AssertMessageOf([&] { coordinator.CreateEntity(); }), "eID is out of range");
    EXPECT_EQ(coordinator.EntityManager.LivingCount(), MAX_ENTITIES);
}

TEST_F(EntityTest, MembershipIsGatedBySignature)
{
    const Entity bare = coordinator.CreateEntity();
    coordinator.AddEntityToSystemByName(bare, "class sAlpha");  // lacks Health: logged, left out
    coordinator.AddEntityToSystemByName(bare, "class sBeta");   // no signature: accepts anyone
    EXPECT_EQ(coordinator.GetSystemsOfEntity(bare), std::vector<std::string>{"class sBeta"});

    coordinator.AddComponentByName("class Health", bare);
    EXPECT_TRUE(coordinator.Signatures[bare].test(0));
    coordinator.AddEntityToSystemByName(bare, "class sAlpha");
    coordinator.AddEntityToSystemByName(bare, "class sUnknown");  // logged, ignored
    EXPECT_EQ(coordinator.GetSystemsOfEntity(bare), (std::vector<std::string>{"class sAlpha", "class sBeta"}));
}

TEST_F(EntityTest, ComponentByNameErrors)
{
    const Entity e = coordinator.CreateEntity();
    EXPECT_EQ(AssertMessageOf([&] { coordinator.AddComponentByName("class Armour", e); }),
              "FINDING COMPONENT class Armour WITHOUT REGISTERING");
    EXPECT_EQ(AssertMessageOf([&] { coordinator.AddComponentByName("Health", e); }),
              "FINDING COMPONENT Health WITHOUT REGISTERING");
}

