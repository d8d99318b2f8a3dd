#include "support/PhysicsWorld.h"
#include "support/RecordingBehaviour.h"

#include "game/squad/LineOfSight.h"

#include <gtest/gtest.h>

namespace
{
// A zombie at (0, 0) and a soldier at (300, 0), with whatever a case puts between them.
struct SightLine
{
    PhysicsWorld world;
    Entity zombie = world.Collider("Zombie", ColliderCircle, {0, 0}, {40, 40}, {}, {"ENEMY"});
    Entity soldier = world.Collider("Player_1", ColliderCircle, {300, 0}, {40, 40}, {}, {"PLAYER"});
    std::shared_ptr<RecordingBehaviour> caller = world.Attach<RecordingBehaviour>(zombie);

    Entity Put(Vector2 at, Vector2 size, const std::vector<std::string>& tags, bool trigger)
    {
        const Entity entity = world.Collider("Obstacle", ColliderRectangle, at, size, {}, tags);
        world.CollisionOf(entity).isTrigger = trigger;
        return entity;
    }
    void Place() { world.collision->RebuildGrid(world.coordinator, world.Grid()); }
    bool Between() { return HasLineOfSightBetween(world.coordinator, zombie, soldier, world.Grid()); }
    bool From(Vector2 point) { return HasLineOfSight(*caller, world.coordinator, point, soldier); }
};
}

TEST(LineOfSight, WhatBlocksThePlainZombieAndWhatBlocksTheOthers)
{
    const struct
    {
        const char* between;
        std::vector<std::string> tags;
        bool trigger;
        bool plainSees;
        bool othersSee;
    } cases[] = {
        {"a wall", {"WALL"}, false, false, false},         {"a trigger", {"ATRIG"}, true, true, true},
        {"another zombie", {"ENEMY"}, false, false, true}, {"a pickup", {"PICKUP", "AMMO"}, false, false, true},
        {"a crate", {"CRATE"}, false, false, false},       {"an untagged solid", {}, false, false, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.between);
        SightLine line;
        line.Put({150, 0}, {20, 60}, c.tags, c.trigger);
        line.Place();
        EXPECT_EQ(line.Between(), c.plainSees);
        EXPECT_EQ(line.From({0, 0}), c.othersSee);
    }
}

TEST(LineOfSight, TheEndsNeverBlockAndNothingBesideTheLineDoes)
{
    SightLine line;
    line.Put({150, 80}, {20, 60}, {"WALL"}, false); // beside the line
    line.Place();
    EXPECT_TRUE(line.Between());
    EXPECT_TRUE(line.From({0, 0}));
    // A start inside the soldier's own collider: its owner is ignored.
    EXPECT_TRUE(line.From({295, 5}));

    // Both ends on one point: nothing is crossed.
    line.world.TransformOf(line.soldier).position = {0, 0};
    line.Place();
    EXPECT_TRUE(line.Between());
    EXPECT_TRUE(line.From({0, 0}));
}

TEST(LineOfSight, AHidingSpotIsJudgedFromItsOwnPoint)
{
    SightLine line;
    line.Put({150, 0}, {20, 60}, {"WALL"}, false);
    line.Place();
    EXPECT_FALSE(line.From({0, 0}));
    EXPECT_TRUE(line.From({0, 200})) << "from above the wall the soldier is in view";
}
