#include "engine/components/PhysicsCollision.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PhysicsCollision, EveryCopyAndMovePointsAtItsOwnShape)
{
    PhysicsCollision original;
    original.shapeData.size = {100, 20};
    original.handled = {4};
    original.ignoreTag = "WALL";

    PhysicsCollision copied(original);
    EXPECT_EQ(copied.shape, &copied.shapeData);
    EXPECT_EQ(copied.shape->size.x, 100.0f);
    EXPECT_EQ(copied.ignoreTag, "WALL");
    copied.shape->size.x = 5;
    EXPECT_EQ(original.shapeData.size.x, 100.0f) << "independent";

    PhysicsCollision assigned;
    assigned = original;
    EXPECT_EQ(assigned.shape, &assigned.shapeData);

    PhysicsCollision moved(std::move(copied));
    EXPECT_EQ(moved.shape, &moved.shapeData);
    EXPECT_EQ(moved.shape->size.x, 5.0f);

    PhysicsCollision moveAssigned;
    moveAssigned = std::move(moved);
    EXPECT_EQ(moveAssigned.shape, &moveAssigned.shapeData);
    EXPECT_EQ(moveAssigned.handled.size(), 1u);

    assigned = assigned; // self-assignment keeps everything
    EXPECT_EQ(assigned.shape, &assigned.shapeData);
    EXPECT_EQ(assigned.ignoreTag, "WALL");
}

TEST(PhysicsCollision, AComponentMovedByTheStoreKeepsItsOwnShape)
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    Entity ids[3];
    for (int i = 0; i < 3; ++i)
    {
        ids[i] = coordinator.CreateEntity();
        coordinator.AddComponent<PhysicsCollision>(ids[i])->shapeData.layer = i;
    }
    coordinator.DestroyEntity(ids[0]);
    coordinator.ProcessDestroyedEntities();

    PhysicsCollision* last = coordinator.GetComponent<PhysicsCollision>(ids[2]);
    EXPECT_EQ(last, &coordinator.ComponentManager.GetContainer<PhysicsCollision>().Slot(0)) << "moved into the hole";
    EXPECT_EQ(last->shape, &last->shapeData);
    EXPECT_EQ(last->shape->layer, 2);
    PhysicsCollision& vacated = coordinator.ComponentManager.GetContainer<PhysicsCollision>().Slot(2);
    EXPECT_EQ(vacated.shape, &vacated.shapeData);
}

TEST(PhysicsCollision, WritesUnrotatedExtentsOnlyAtTheExactQuarterTurns)
{
    struct Row
    {
        float angle;
        double width;
        double height;
    };
    for (const Row& row : {Row{1.5707964f, 100, 20}, Row{4.712389f, 100, 20}, Row{1.5707963f, 20, 100}})
    {
        PhysicsCollision collider;
        collider.shapeData.size = {20, 100}; // as stored once placed at a quarter turn
        collider.shapeData.angle = row.angle;
        rapidjson::Document document(rapidjson::kObjectType);
        rapidjson::Value written(rapidjson::kObjectType);
        collider.Serialize(written, document.GetAllocator());
        EXPECT_EQ(written["cWidth"].GetDouble(), row.width) << row.angle;
        EXPECT_EQ(written["cHeight"].GetDouble(), row.height) << row.angle;
    }
}
