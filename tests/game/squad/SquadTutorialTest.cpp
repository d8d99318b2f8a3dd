#include "SquadControlScenes.h"

#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTutorialLogic.h"

// ControlTutorial.json: ControlRules.json with a tutorial that stays at the step the test sets.
// Each step lets through only what it or an earlier step teaches.
TEST_F(SquadControlTest, TheTutorialStepGatesTheSquadsInput)
{
    Start("ControlTutorial.json");
    bTutorialLogic* tutorial = TutorialLogicInstance();
    ASSERT_NE(tutorial, nullptr);
    GameLogicInstance()->CurrentState = GameState::Playing;
    for (int number : {1, 2})
    {
        SoldierBehaviour(number)->CurrentHealth = 40.0f;
        SoldierBehaviour(number)->HealthPacks = 1;
    }

    tutorial->TutorialStep = 1;
    Key('1');
    EXPECT_TRUE(Selection().empty()) << "step 1 teaches the box, not the keys";

    // Step 4: a right drag gives neither an arrow nor a facing, and a click moves nobody.
    tutorial->TutorialStep = 4;
    Key('1');
    ASSERT_EQ(Selection(), (std::vector<int>{1}));
    const float facing = World().GetComponent<Transform>(Soldier(1))->rotation;
    const CursorPoint from = game->WindowPointOf(900, 300);
    game->Drag(RightButton, from.x, from.y, from.x, from.y - 200);
    game->RunFrames(1);
    RightClickWorld({1200, 900});
    EXPECT_FALSE(controller->ArrowShown);
    EXPECT_EQ(World().GetComponent<Transform>(Soldier(1))->rotation, facing);
    EXPECT_TRUE(controller->MoveMarkersInUse.none());
    EXPECT_FALSE(SoldierBehaviour(1)->IsMoving(World()));

    // Step 9 allows healing but not reloading: R pressed with E still ends the key list.
    tutorial->TutorialStep = 9;
    game->Hold('R');
    game->Hold('E');
    game->RunFrames(1);
    game->Release('R');
    game->Release('E');
    game->RunFrames(3);
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 40.0f);
    Key('E');
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 90.0f);

    // Step 13: aiming starts, but the buttons wait for step 14; Q still cancels.
    tutorial->TutorialStep = 13;
    Key('3');
    Key('Q');
    ASSERT_EQ(controller->ThrowMode, 1);
    MoveCursorTo({1600, 500});
    game->ClickAndSettle(PixelOf({1600, 500}).x, PixelOf({1600, 500}).y);
    game->RunFrames(1);
    EXPECT_EQ(controller->ThrowMode, 1);
    EXPECT_EQ(SoldierBehaviour(3)->Grenades, 2);
    Key('Q');
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_EQ(SoldierBehaviour(3)->ActionState, bPlayerBehaviour::ActionIdle);
}
