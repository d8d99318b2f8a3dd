#include "support/SquadGame.h"
#include "support/TestCharacter.h"
#include "support/WorldSanity.h"

#include "engine/components/Transform.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{
// The soldier stands at (400, 400) facing +x, sees 600 units far, all around within 200 and in
// a cone of 51 degrees beyond. Below it run lanes, each crossed 50 to 100 units out by what its
// name says: glass at 200 degrees, a wall at 230, a trigger at 260, glass then a wall at 290,
// glass then a crate at 320.
struct SoldierSight : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Sight.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    std::shared_ptr<TestCharacter> zombie = game->Behaviour<TestCharacter>("Zombie_1");

    void SetUp() override { ASSERT_TRUE(soldier && zombie); }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    // Forgets what the soldier saw and did, and the zombie's mark.
    void Forget()
    {
        soldier->Target = NO_ENTITY;
        soldier->ActionState = bPlayerBehaviour::ActionIdle;
        soldier->RevealedCharacters.clear();
        coordinator.GetComponent<Transform>(soldier->entity)->rotation = 0.0f;
        zombie->RemoveDangerIcon(coordinator);
        zombie->DangerIconShown = false;
    }

    // The zombie at a distance and bearing (degrees) from the soldier; one frame places its
    // collider, then the soldier looks afresh for one frame.
    Vector2 PlaceZombie(float distance, float bearing)
    {
        const float angle = bearing * std::numbers::pi_v<float> / 180.0f;
        const Vector2 point = {400.0f + distance * std::cos(angle), 400.0f + distance * std::sin(angle)};
        PlaceEntityAt(coordinator, zombie->entity, point);
        game->RunFrames(1);
        Forget();
        game->RunFrames(1);
        return point;
    }
};
}

TEST_F(SoldierSight, NearTargetsAreSeenAllAroundFarOnesOnlyInTheFieldOfView)
{
    game->RunFrames(1); // the first frame of a game has no step
    const struct
    {
        float distance;
        float bearing;
        bool targeted;
    } cases[] = {
        {150, 180, true}, {250, 180, false}, // behind: only within the proximity range
        {199, 90, true},  {201, 90, false},  {250, 20, true},
        {250, 25, true},  {250, 26, false},  {250, 30, false}, // the cone's half angle is 25.5
        {590, 0, true},                                        // within the torch's range
        {615, 0, false}, // its collider reaches into sight, but a target beyond the range is dropped
        {0.0f, 0, true}, // on the soldier's own point
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.distance << " units at " << c.bearing << " degrees");
        PlaceZombie(c.distance, c.bearing);
        EXPECT_EQ(soldier->Target == zombie->entity, c.targeted);
        EXPECT_FALSE(zombie->DangerIconShown);
    }
}

TEST_F(SoldierSight, GlassShowsWallsHideAndTriggersAreSeenThrough)
{
    game->RunFrames(1);
    const struct
    {
        const char* lane;
        float bearing;
        int lineOfSight;
        bool targeted;
        bool marked; // gets its danger icon
    } cases[] = {
        {"glass", 200, -1, false, true},
        {"a wall", 230, 0, false, false},
        {"a trigger", 260, 1, true, false},
        {"glass and a wall behind it", 290, 0, false, false},
        {"glass and a crate behind it", 320, -1, false, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lane);
        const Vector2 point = PlaceZombie(150, c.bearing);
        EXPECT_EQ(soldier->LineOfSight(coordinator, *coordinator.BroadphaseGrid, point, zombie->entity), c.lineOfSight);
        EXPECT_EQ(soldier->Target == zombie->entity, c.targeted);
        EXPECT_EQ(zombie->DangerIconShown, c.marked);
        EXPECT_EQ(zombie->DangerIcon != NO_ENTITY, c.marked);
    }
}

TEST_F(SoldierSight, AHeldTargetIsKeptUntilItLeavesTheClearViewNeverSwappedForANearerOne)
{
    game->RunFrames(1);
    PlaceZombie(400, 0);
    ASSERT_EQ(soldier->Target, zombie->entity);

    // Another zombie comes near: the soldier keeps the far one it holds.
    auto nearer = game->Behaviour<TestCharacter>("Zombie_2");
    PlaceEntityAt(coordinator, nearer->entity, {520.0f, 430.0f});
    game->RunFrames(2);
    EXPECT_EQ(soldier->Target, zombie->entity);

    // Behind the wall of its lane the held target is lost at once, and the near one taken.
    const float lane = 230.0f * std::numbers::pi_v<float> / 180.0f;
    PlaceEntityAt(coordinator, zombie->entity, {400.0f + 150.0f * std::cos(lane), 400.0f + 150.0f * std::sin(lane)});
    game->RunFrames(2);
    EXPECT_EQ(soldier->Target, nearer->entity);
}
