#include "ScreenElementTesting.h"
#include "support/FrontEndGame.h"
#include "support/SoundProbe.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTransitionScreen.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <gtest/gtest.h>

// The doors between scenes, played through the fixture's button at (960, 540): a scene opens
// behind them, a click closes them, and the destination is requested (with its resource stage)
// once they have been shut long enough.

namespace
{
const std::string Doors = "scenes/frontend/Doors.json";

std::unique_ptr<TestGame> StartDoors(const std::string& scene = Doors)
{
    return StartFrontEnd(TestGame::Fixture(scene));
}

bTransitionScreen& ScreenOf(TestGame& game)
{
    return *game.Behaviour<bTransitionScreen>("Transition");
}

float DoorX(TestGame& game, Entity door)
{
    return game.coordinator->GetComponent<Transform>(door)->position.x;
}

// The first frame after a click in which the doors' timer, run by the frame's time, has passed
// the seconds.
int FramesUntilPast(float seconds, float frameTime)
{
    float timer = 0.0f;
    int frames = 0;
    while (!(timer > seconds))
    {
        timer += frameTime;
        ++frames;
    }
    return frames;
}

void WaitUntilIdle(TestGame& game)
{
    for (int frame = 0; frame < 120 && ScreenOf(game).DoorMode != bTransitionScreen::DoorsIdle; ++frame)
        game.RunFrames(1);
}
}

TEST(TransitionScreen, ASceneOpensBehindItsDoorsAndPublishesItsScreen)
{
    const auto game = StartDoors();
    bTransitionScreen& screen = ScreenOf(*game);
    EXPECT_EQ(TransitionScreenInstance(), &screen);
    EXPECT_EQ(screen.DoorMode, bTransitionScreen::DoorsOpening);
    // Shut across the view for 0.4 s, each door covering its half.
    EXPECT_FLOAT_EQ(DoorX(*game, screen.LeftDoor), 480.0f);
    EXPECT_FLOAT_EQ(DoorX(*game, screen.RightDoor), 1440.0f);
    EXPECT_TRUE(screen.DoorsMoving);
    EXPECT_TRUE(IsDrawn(*game, "ScreenLeftDoor"));

    WaitUntilIdle(*game);
    game->RunFrames(1);
    EXPECT_FALSE(screen.DoorsMoving);
    EXPECT_FALSE(IsDrawn(*game, "ScreenLeftDoor"));
    EXPECT_FALSE(IsDrawn(*game, "ScreenRightDoor"));

    // Without a transition there is nothing published.
    const auto bare = StartFrontEnd(TestGame::Fixture("scenes/frontend/NoDoors.json"));
    EXPECT_EQ(TransitionScreenInstance(), nullptr);
}

TEST(TransitionScreen, AClickClosesTheDoorsAndTheSceneSwapsOnceTheyHaveBeenShut)
{
    const auto game = StartDoors();
    bTransitionScreen& screen = ScreenOf(*game);
    // A request while the doors still open is dropped: they open, and nothing follows.
    ClickScreen(*game, 960, 540);
    EXPECT_EQ(screen.DoorMode, bTransitionScreen::DoorsOpening);
    WaitUntilIdle(*game);
    game->RunFrames(10);
    EXPECT_EQ(game->coordinator->CurrentScene, TestGame::Fixture(Doors));
    EXPECT_TRUE(game->coordinator->PendingScene.empty());

    // The same request once they stand open: they close from outside the view, the slam sounds
    // once they are shut, and the scene swaps in the frame after they have been shut 0.4 s.
    SoundProbe slam(game->Sound(), "Slam_false_SFX_");
    game->MoveCursor(960, 540);
    game->Hold(1);
    game->RunFrames(1);
    game->Release(1);
    game->RunFrames(2);
    ASSERT_EQ(screen.DoorMode, bTransitionScreen::DoorsClosing);
    EXPECT_FLOAT_EQ(DoorX(*game, screen.LeftDoor), 480.0f - 1060.0f);
    EXPECT_FLOAT_EQ(DoorX(*game, screen.RightDoor), 1440.0f + 1060.0f);
    EXPECT_TRUE(game->Behaviour<bImageBehaviour>("Note")->active) << "the click's screens switch in the old scene";

    const float frameTime = game->coordinator->DeltaTime;
    const int shut = FramesUntilPast(1.0f, frameTime);
    // The request leaves in the frame after the doors have been shut 0.4 s; the swap ends it.
    const int swap = FramesUntilPast(1.4f, frameTime) + 1;
    int frames = 0;
    int slammed = 0;
    while (game->coordinator->CurrentScene == TestGame::Fixture(Doors) && frames < 200)
    {
        game->RunFrames(1);
        ++frames;
        if (slammed == 0 && slam.Played())
            slammed = frames;
        if (frames == shut)
        {
            EXPECT_FLOAT_EQ(DoorX(*game, screen.LeftDoor), 480.0f);
            EXPECT_FLOAT_EQ(DoorX(*game, screen.RightDoor), 1440.0f);
        }
    }
    EXPECT_EQ(slammed, shut);
    EXPECT_EQ(frames, swap);
    EXPECT_EQ(game->coordinator->CurrentScene, "Resources/LevelSelect.json");
}

TEST(TransitionScreen, WithoutTheClosingAnimationTheRequestGoesOutAtOnce)
{
    const auto game = StartDoors("scenes/frontend/DoorsWithoutClosing.json");
    EXPECT_FALSE(IsDrawn(*game, "ScreenLeftDoor")) << "no opening either";
    game->MoveCursor(960, 540);
    game->Hold(1);
    game->RunFrames(1);
    game->Release(1);
    game->RunFrames(1);
    EXPECT_EQ(game->KeyState(1), 3);
    // The completed click's frame ends with the swap.
    game->RunFrames(1);
    EXPECT_EQ(game->coordinator->CurrentScene, "Resources/LevelSelect.json");
    EXPECT_FALSE(SecondStageLoaded(*game->coordinator)) << "no stage is loaded without the doors";
}

TEST(TransitionScreen, EachDestinationGetsTheResourceStageItNeeds)
{
    const struct
    {
        const char* destination;
        bool second;
        bool third;
    } cases[] = {
        {"Resources/LevelSelect.json", true, false},
        {"Resources/Cutscene.json", true, false},
        {"Resources/mainMenu.json", false, false},
        {"Resources/credits.json", false, false},
        // Anything named a level takes the third stage, and the second with it.
        {"Resources/CutsceneLevel1.json", true, true},
        {"Resources/Level_AbandonedHouse.json", true, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.destination);
        const auto game = StartDoors();
        WaitUntilIdle(*game);
        game->Behaviour<bUIButtonBehaviour>("Go_Button")->LevelToTarget = c.destination;
        ClickScreen(*game, 960, 540);
        EXPECT_FALSE(SecondStageLoaded(*game->coordinator));
        ASSERT_GE(RunUntilScene(*game, c.destination, 120), 0);
        EXPECT_EQ(SecondStageLoaded(*game->coordinator), c.second);
        EXPECT_EQ(ThirdStageLoaded(*game->coordinator), c.third);
    }
}

TEST(TransitionScreen, TheDoorsAreSizedAndPlacedForTheViewHeight)
{
    const auto game = StartDoors();
    bTransitionScreen& screen = ScreenOf(*game);
    WaitUntilIdle(*game);
    // Zoomed out twice (no menu input zooms; a level's wheel does), the camera left where it is.
    const float wide[4] = {-10000.0f, -10000.0f, 10000.0f, 10000.0f};
    std::copy(std::begin(wide), std::end(wide), game->coordinator->CameraBounds);
    game->coordinator->ViewHeight = 2160.0f;
    ClickWorld(*game, 960, 540);
    ASSERT_EQ(screen.DoorMode, bTransitionScreen::DoorsClosing);
    for (const Entity door : {screen.LeftDoor, screen.RightDoor})
    {
        const Renderer& look = *game->coordinator->GetComponent<Renderer>(door);
        EXPECT_FLOAT_EQ(look.scaleX, 2.0f * screen.DoorScale.x);
        EXPECT_FLOAT_EQ(look.scaleY, 2.0f * screen.DoorScale.y);
    }
    EXPECT_FLOAT_EQ(DoorX(*game, screen.LeftDoor), 960.0f - 960.0f - 2120.0f);
    EXPECT_FLOAT_EQ(DoorX(*game, screen.RightDoor), 960.0f + 960.0f + 2120.0f);
}
