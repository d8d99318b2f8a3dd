#include "SquadControlScenes.h"

#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"

// ControlRules.json: level rules that stay in the state the test sets, Player_1 at (400, 600),
// Player_2 at (600, 600), Player_3 at (1400, 300) with two grenades and a molotov.

class SquadKeysTest : public SquadControlTest
{
protected:
    void StartPlaying()
    {
        Start("ControlRules.json");
        rules = GameLogicInstance();
        ASSERT_NE(rules, nullptr);
        rules->CurrentState = GameState::Playing;
        rules->PreviousState = GameState::Deploy;
    }

    // Both of the first two soldiers wounded, with a health pack and a part-used magazine.
    void WoundFirstTwo()
    {
        for (int number : {1, 2})
        {
            auto soldier = SoldierBehaviour(number);
            soldier->CurrentHealth = 40.0f;
            soldier->HealthPacks = 1;
            soldier->ClipRounds = 5;
        }
    }

    bGameLogic* rules = nullptr;
};

TEST_F(SquadKeysTest, OrderKeysReachOnlyTheSelectedSoldiers)
{
    StartPlaying();
    WoundFirstTwo();
    Key('5');
    RightClickWorld({1040, 900});
    game->RunFrames(5);
    ASSERT_TRUE(SoldierBehaviour(1)->IsMoving(World()));
    ASSERT_TRUE(SoldierBehaviour(2)->IsMoving(World()));
    Key('1');

    Key('S');
    EXPECT_FALSE(SoldierBehaviour(1)->IsMoving(World()));
    EXPECT_TRUE(SoldierBehaviour(2)->IsMoving(World()));

    Key('E');
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 90.0f);
    EXPECT_EQ(SoldierBehaviour(1)->HealthPacks, 0);
    EXPECT_EQ(SoldierBehaviour(2)->CurrentHealth, 40.0f);

    Key('R');
    EXPECT_EQ(SoldierBehaviour(1)->ActionState, bPlayerBehaviour::ActionReloading);
    EXPECT_NE(SoldierBehaviour(2)->ActionState, bPlayerBehaviour::ActionReloading);

    // Q finds no grenade on the selected soldier; with the third selected it aims, and W cancels.
    Key('Q');
    EXPECT_EQ(controller->ThrowMode, 0);
    Key('3');
    Key('Q');
    EXPECT_EQ(controller->ThrowMode, 1);
    EXPECT_EQ(controller->Thrower, Soldier(3));
    EXPECT_EQ(SoldierBehaviour(3)->ActionState, bPlayerBehaviour::ActionAiming);
    Key('W');
    EXPECT_EQ(controller->ThrowMode, 0);
    EXPECT_EQ(SoldierBehaviour(3)->ActionState, bPlayerBehaviour::ActionIdle);
}

TEST_F(SquadKeysTest, OnlyTheFirstOrderKeyOfAFrameActsAndAHeldKeyBlocksNothing)
{
    StartPlaying();
    WoundFirstTwo();
    Key('1');
    // S comes before E in the order list: pressed in the same frame, E is not seen.
    game->Hold('S');
    game->Hold('E');
    game->RunFrames(1);
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 40.0f);
    game->Release('E');
    game->RunFrames(3);
    // S is now only held: E acts.
    Key('E');
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 90.0f);
    game->Release('S');
    game->RunFrames(2);
}

TEST_F(SquadKeysTest, DeployLetsOnlyEscapeThroughAndEscapePausesAndResumes)
{
    StartPlaying();
    WoundFirstTwo();
    Key('1');
    rules->CurrentState = GameState::Deploy;
    Key('2');
    Key('E');
    RightClickWorld({1040, 900});
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 40.0f);
    EXPECT_FALSE(SoldierBehaviour(1)->IsMoving(World()));
    EXPECT_TRUE(controller->MoveMarkersInUse.none());

    const VoiceHandle before = LatestPlay("Click9_false_SFX_");
    Key(27);
    EXPECT_EQ(rules->CurrentState, GameState::Paused);
    EXPECT_EQ(rules->PreviousState, GameState::Deploy);
    EXPECT_FALSE(LatestPlay("Click9_false_SFX_") == before);
    Key(27);
    EXPECT_EQ(rules->CurrentState, GameState::Deploy);

    // While playing: Escape pauses, nothing but Escape acts while paused, Escape resumes.
    rules->CurrentState = GameState::Playing;
    Key(27);
    EXPECT_EQ(rules->CurrentState, GameState::Paused);
    EXPECT_EQ(rules->PreviousState, GameState::Playing);
    Key('2');
    Key('E');
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    EXPECT_EQ(SoldierBehaviour(1)->CurrentHealth, 40.0f);
    Key(27);
    EXPECT_EQ(rules->CurrentState, GameState::Playing);
    EXPECT_EQ(rules->PreviousState, GameState::Paused);

    // A won or lost level takes no input at all, Escape included.
    for (GameState end : {GameState::Win, GameState::Lose})
    {
        rules->CurrentState = end;
        Key(27);
        Key('2');
        EXPECT_EQ(rules->CurrentState, end);
        EXPECT_EQ(Selection(), (std::vector<int>{1}));
    }
}

TEST_F(SquadKeysTest, TCentresTheCameraOnTheSelection)
{
    StartPlaying();
    auto camera = World().GetBehaviourAs<bCameraBehaviour>(World().CameraEntity);
    ASSERT_NE(camera, nullptr);
    Key('T');
    EXPECT_EQ(camera->CurrentMove.Duration, 0.0f) << "nobody selected: no pan";
    Key('3');
    Key('T');
    if (camera->CurrentMove.Duration == 0.0f)
        FAIL() << "the camera behaviour started no move";
    game->RunFrames(70);
    EXPECT_NEAR(PositionOf(World().CameraEntity).x, 1400.0f, 1.0f);
    EXPECT_NEAR(PositionOf(World().CameraEntity).y, 300.0f, 1.0f);

    // The first two share their y: no pair differs in both coordinates, so the pan goes between
    // the first and the last of them, never to the origin.
    DragWorld(LeftButton, {350, 650}, {650, 550});
    ASSERT_EQ(Selection(), (std::vector<int>{1, 2}));
    Key('T');
    game->RunFrames(70);
    EXPECT_NEAR(PositionOf(World().CameraEntity).x, 500.0f, 1.0f);
    EXPECT_NEAR(PositionOf(World().CameraEntity).y, 600.0f, 1.0f);
    EXPECT_NEAR(World().ViewHeight, 1080.0f, 1.0f);
}
