#include "engine/core/ComponentManager.h"
#include "support/AssertCapture.h"
#include "support/TestComponents.h"

#include <gtest/gtest.h>

namespace
{
// Fills a container with entities 10, 11, 12 (slots 0, 1, 2) whose values are 10, 11, 12.
void FillThree(cComponentContainer<Health>& container)
{
    for (Entity e = 10; e < 13; ++e)
        container.AddComponent(e);
    for (Entity e = 10; e < 13; ++e)
        container.Find(e)->value = e;
}

void ExpectMapsConsistent(cComponentContainer<Health>& container)
{
    ASSERT_EQ(container.entityToIndex.size(), container.Count());
    ASSERT_EQ(container.indexToEntity.size(), container.Count());
    for (auto [entity, index] : container.entityToIndex)
    {
        EXPECT_LT(index, container.Count());
        EXPECT_EQ(container.indexToEntity.at(index), entity);
        EXPECT_EQ(container.Find(entity)->value, entity) << "component follows its entity";
    }
}
}

TEST(ComponentContainer, RemovalKeepsSlotsDenseAndMapsRight)
{
    struct Case { Entity removed; std::uint16_t expectedSlotOfLast; };
    const Case cases[] = {{10, 0}, {11, 1}, {12, 2}};
    for (const Case& c : cases)
    {
        cComponentContainer<Health> container;
        FillThree(container);
        container.EntityDestroyed(c.removed);
        SCOPED_TRACE(c.removed);
        EXPECT_EQ(container.Count(), 2);
        EXPECT_EQ(container.Find(c.removed), nullptr);
        if (c.removed != 12)
        {
            EXPECT_EQ(container.entityToIndex.at(12), c.expectedSlotOfLast);
        }
        EXPECT_EQ(container.Slot(2).value, 100) << "vacated slot holds the default";
        ExpectMapsConsistent(container);
    }
}

TEST(ComponentContainer, RemovingTheOnlyComponentEmptiesIt)
{
    cComponentContainer<Health> container;
    container.AddComponent(5);
    container.Find(5)->value = 1;
    container.EntityDestroyed(5);
    EXPECT_EQ(container.Count(), 0);
    EXPECT_TRUE(container.entityToIndex.empty());
    EXPECT_TRUE(container.indexToEntity.empty());
    EXPECT_EQ(container.Slot(0).value, 100);
}

TEST(ComponentContainer, AbsentEntitiesChangeNothingAndInsertNothing)
{
    cComponentContainer<Health> container;
    FillThree(container);
    container.EntityDestroyed(99);
    container.CloneComponent(99, 50);
    EXPECT_EQ(container.Find(99), nullptr);
    EXPECT_EQ(container.GetComponent(99), nullptr);
    EXPECT_EQ(container.GetInspector(99), nullptr);
    EXPECT_EQ(container.Count(), 3);
    EXPECT_EQ(container.entityToIndex.count(99), 0u);
    ExpectMapsConsistent(container);
}

TEST(ComponentContainer, CloneIsIndependent)
{
    cComponentContainer<Health> container;
    container.AddComponent(1)->Deserialize(rapidjson::Value());
    container.Find(1)->label = "original";
    container.CloneComponent(1, 2);
    container.Find(2)->label = "copy";
    EXPECT_EQ(container.Find(1)->label, "original");
    EXPECT_EQ(container.Find(2)->label, "copy");
}

TEST(ComponentContainer, SecondAddReturnsTheExistingComponent)
{
    cComponentContainer<Health> container;
    ISerializable* first = container.AddComponent(4);
    container.Find(4)->value = 7;
    ISerializable* second = container.AddComponent(4);
    EXPECT_EQ(first, second);
    EXPECT_EQ(container.Count(), 1);
    EXPECT_EQ(container.Find(4)->value, 7);
}

TEST(ComponentContainer, ClearThenAddReusesSlotZeroWithDefaults)
{
    cComponentContainer<Health> container;
    FillThree(container);
    container.Clear();
    EXPECT_EQ(container.Count(), 0);
    container.AddComponent(3);
    EXPECT_EQ(container.entityToIndex.at(3), 0);
    EXPECT_EQ(container.Find(3)->value, 100);
}

TEST(ComponentManager, IdsFollowRegistrationAndErrorsNameTheType)
{
    ComponentManager manager;
    manager.RegisterComponent<Health>();
    manager.RegisterComponent<Speed>();
    EXPECT_EQ(manager.GetComponentType<Health>(), 0);
    EXPECT_EQ(manager.GetComponentType("class Speed"), 1);
    EXPECT_EQ(AssertMessageOf([&] { manager.RegisterComponent<Health>(); }), "DOUBLE REGISTRATION");
    EXPECT_EQ(AssertMessageOf([&] { manager.GetComponentType("class Nope"); }),
              "FINDING COMPONENT class Nope WITHOUT REGISTERING");
    EXPECT_EQ(manager.FindContainer("Health"), nullptr) << "names carry the class prefix";
    EXPECT_NE(manager.FindContainer("class Health"), nullptr);
}

