#include "SquadControlScenes.h"

#include "engine/components/Renderer.h"

#include <cmath>

// Throw.json: Player_1 (two grenades, a molotov) at (300, 900) with Player_2 and a wall that
// blocks nothing ("WALL" only) ahead of it in row 900; a wall across row 540 with its face at
// x 700; a corridor from x 1000 to 1800 between an "UNPATHABLE" floor at y 100 and a "DOOR"
// ceiling at y 200. Its camera has no camera behaviour, so aiming pans nothing.

namespace
{
struct Leg
{
    Vector2 from;
    Vector2 to;
};
} // namespace

class SquadThrowTest : public SquadControlTest
{
protected:
    // The path the shown segments draw: each segment's end, from its middle and its start.
    std::vector<Vector2> DrawnPath()
    {
        std::vector<Vector2> path;
        Vector2 from = PositionOf(controller->Thrower);
        for (Entity segment : controller->TrajectorySegments)
        {
            if (!World().GetBehaviourAs<IBehaviour>(segment)->active)
                break;
            const Vector2 middle = PositionOf(segment);
            const Vector2 to = {2.0f * middle.x - from.x, 2.0f * middle.y - from.y};
            const float half = World().GetComponent<Renderer>(segment)->scaleX;
            EXPECT_NEAR(half, std::hypot(to.x - from.x, to.y - from.y) * 0.5f, 0.01f);
            path.push_back(to);
            from = to;
        }
        return path;
    }

    Vector2 Indicator() { return PositionOf(*controller->AoeIndicators.begin()); }

    void AimFrom(Vector2 thrower, Vector2 cursor)
    {
        StandAt(Soldier(1), thrower);
        MoveCursorTo(cursor);
        game->RunFrames(1);
    }
};

TEST_F(SquadThrowTest, ThePathStopsOnlyAtBlockingSurfacesAndEndsAtTheThirdBounce)
{
    Start("Throw.json");
    Key('1');
    Key('Q');
    ASSERT_EQ(controller->ThrowMode, 1);
    ASSERT_EQ(controller->Thrower, Soldier(1));

    const struct
    {
        const char* what;
        Vector2 thrower;
        Vector2 cursor;
        std::vector<Vector2> path;
        float facing;
    } cases[] = {
        {"open ground, past a soldier and a wall without a blocking tag: one leg of 600",
         {300, 900}, {1300, 900}, {{900, 900}}, 0.0f},
        {"short of the wall: the leg ends at the cursor", {500, 540}, {600, 540}, {{600, 540}}, 0.0f},
        {"into the wall: back 400 units the way it came", {500, 540}, {1500, 540}, {{700, 540}, {300, 540}}, 0.0f},
        {"up the corridor: the third bounce ends the path", {1100, 150}, {1400, 450},
         {{1150, 200}, {1250, 100}, {1350, 200}}, 0.7853982f},
    };
    for (const auto& c : cases)
    {
        AimFrom(c.thrower, c.cursor);
        const std::vector<Vector2> path = DrawnPath();
        ASSERT_EQ(path.size(), c.path.size()) << c.what;
        for (std::size_t i = 0; i < path.size(); ++i)
        {
            EXPECT_NEAR(path[i].x, c.path[i].x, 0.05f) << c.what << ", point " << i;
            EXPECT_NEAR(path[i].y, c.path[i].y, 0.05f) << c.what << ", point " << i;
        }
        EXPECT_NEAR(Indicator().x, c.path.back().x, 0.05f) << c.what;
        EXPECT_NEAR(Indicator().y, c.path.back().y, 0.05f) << c.what;
        EXPECT_TRUE(IsDrawn(*controller->AoeIndicators.begin())) << c.what;
        EXPECT_NEAR(World().GetComponent<Transform>(Soldier(1))->rotation, c.facing, 1e-5f) << c.what;
    }

    // The cursor right on the thrower has no direction: the last aim, path and facing stay.
    AimFrom({1100, 150}, {1100, 150});
    const std::vector<Vector2> kept = DrawnPath();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_NEAR(kept[2].x, 1350.0f, 0.05f);
    EXPECT_NEAR(World().GetComponent<Transform>(Soldier(1))->rotation, 0.7853982f, 1e-5f);
}

TEST_F(SquadThrowTest, ALeftClickThrowsAlongThePathAndUsesUpOneGrenade)
{
    Start("Throw.json");
    Key('1');
    StandAt(Soldier(1), {500, 540});
    MoveCursorTo({1500, 540});
    Key('Q');
    game->Press(LeftButton);
    EXPECT_TRUE(controller->MouseConsumed);
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_EQ(SoldierBehaviour(1)->Grenades, 1);
    EXPECT_EQ(SoldierBehaviour(1)->Molotovs, 1);
    EXPECT_EQ(SoldierBehaviour(1)->ActionState, bPlayerBehaviour::ActionThrowing);
    const Entity grenade = game->Find("Grenade");
    ASSERT_NE(grenade, NO_ENTITY);
    game->RunFrames(2);
    for (Entity segment : controller->TrajectorySegments)
        EXPECT_FALSE(IsDrawn(segment));
    EXPECT_FALSE(IsDrawn(*controller->AoeIndicators.begin()));
}

TEST_F(SquadThrowTest, ThrowKeysAndARightClickCancelAndTheThrowerIsTheFirstWhoHasOne)
{
    Start("Throw.json");
    auto first = SoldierBehaviour(1);
    auto second = SoldierBehaviour(2);
    first->Grenades = 0;
    second->Grenades = 2;
    Key('5');

    // The first selected soldier without grenades is passed over.
    Key('Q');
    ASSERT_EQ(controller->Thrower, Soldier(2));
    EXPECT_EQ(controller->ThrowKind, 0);
    // W while a grenade is aimed stops aiming; it does not switch to a molotov.
    Key('W');
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_EQ(second->ActionState, bPlayerBehaviour::ActionIdle);
    Key('W');
    EXPECT_EQ(controller->Thrower, Soldier(1)) << "the first with a molotov";
    EXPECT_EQ(controller->ThrowKind, 1);

    // A right press cancels at once; its release then reaches the move order as a short click.
    const Vector2 stay = first->MoveTarget;
    MoveCursorTo({900, 704});
    game->Press(RightButton);
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_TRUE(controller->MouseConsumed);
    EXPECT_EQ(first->ActionState, bPlayerBehaviour::ActionIdle);
    EXPECT_EQ(first->MoveTarget.x, stay.x) << "no move order in the cancelling frame";
    game->RunFrames(1);
    EXPECT_EQ(first->MoveTarget.x, 900.0f);
    EXPECT_EQ(first->MoveTarget.y, 704.0f);
    game->RunFrames(1);

    // Infinite explosives: aiming without any, throwing without using one up.
    Key('1');
    first->InfiniteExplosives = true;
    first->Molotovs = 0;
    Key('W');
    ASSERT_EQ(controller->ThrowMode, 1);
    game->Press(LeftButton);
    EXPECT_EQ(first->Molotovs, 0);
    EXPECT_NE(game->Find("Molotov"), NO_ENTITY);
    game->RunFrames(2);
}

TEST_F(SquadThrowTest, AThrowerThatDiesWhileAimingEndsTheAimAndStaysDead)
{
    Start("Throw.json");
    Key('1');
    MoveCursorTo({1300, 900});
    Key('Q');
    ASSERT_EQ(controller->ThrowMode, 1);
    auto thrower = SoldierBehaviour(1);
    thrower->TakeDamage(World(), 1000.0f, NO_ENTITY);
    game->RunFrames(3);
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_EQ(controller->Thrower, NO_ENTITY);
    EXPECT_EQ(thrower->ActionState, bPlayerBehaviour::ActionDead);
    EXPECT_TRUE(Selection().empty());
    for (Entity segment : controller->TrajectorySegments)
        EXPECT_FALSE(IsDrawn(segment));
    EXPECT_FALSE(IsDrawn(*controller->AoeIndicators.begin()));
}
