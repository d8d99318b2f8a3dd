#include "support/LevelRulesGame.h"
#include "support/SquadGame.h"

#include "engine/components/Transform.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// Scripted camera motion on a camera alone in the world frame (-630, -700) to (3250, 1440), seen
// 1920 x 1080: the view's centre stays within x 330 to 2290 and y -160 to 900 at that height.

namespace
{
struct CameraGame
{
    CameraGame() : game(LevelRulesGame("Camera.json", false))
    {
        game->RunFrames(1);
    }

    bCameraBehaviour& Camera() const { return *game->Behaviour<bCameraBehaviour>("Camera"); }
    Vector2 Place() const { return game->Component<Transform>("Camera")->position; }
    Coordinator& World() const { return *game->coordinator; }
    // Runs one frame and returns the camera's displacement in it.
    Vector2 Frame() const
    {
        const Vector2 before = Place();
        game->RunFrames(1);
        EXPECT_EQ(World().StepCount, 1) << "one fixed step a frame";
        return {Place().x - before.x, Place().y - before.y};
    }
    // Frames until the camera has neither a move nor one waiting (at most the limit).
    int FramesUntilIdle(int limit = 400) const
    {
        int frames = 0;
        while ((Camera().CurrentMove.Duration != 0.0f || !Camera().Moves.empty()) && frames < limit)
        {
            Frame();
            ++frames;
        }
        return frames;
    }

    std::unique_ptr<TestGame> game;
};
}

TEST(CameraBehaviour, TheSceneSetsTheBoundsTheStartAndTheLargestViewHeight)
{
    const CameraGame world;
    const float* bounds = world.World().CameraBounds;
    EXPECT_EQ(bounds[0], -630.0f);
    EXPECT_EQ(bounds[1], -700.0f);
    EXPECT_EQ(bounds[2], 3250.0f);
    EXPECT_EQ(bounds[3], 1440.0f);
    EXPECT_EQ(world.Place().x, 960.0f);
    EXPECT_EQ(world.Place().y, 540.0f);
    EXPECT_EQ(world.World().ZoomMax, 2000.0f);
    EXPECT_EQ(world.Camera().SavedHeight, 1080.0f);
    EXPECT_FALSE(world.Camera().ZoomActive) << "not the logo scene";
}

TEST(CameraBehaviour, ALinearMoveTakesWholeStepsAndStopsOnItsTarget)
{
    // Time adds up 1/60 at a time in single precision: half a second is 30 steps, one second 61
    // (the last one still a full step).
    const struct
    {
        float seconds;
        int steps;
    } cases[] = {{0.5f, 30}, {1.0f, 61}};
    const CameraGame world;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.seconds);
        const Vector2 start = world.Place();
        const float distance = 600.0f * c.seconds;
        world.Camera().QueueMove(world.World(), c.seconds, {start.x + distance, start.y});
        std::vector<float> steps;
        for (int frame = 0; frame < c.steps + 5; ++frame)
            if (const Vector2 moved = world.Frame(); moved.x != 0.0f || moved.y != 0.0f)
                steps.push_back(moved.x);
        ASSERT_EQ(static_cast<int>(steps.size()), c.steps);
        for (const float step : steps)
            EXPECT_EQ(step, 10.0f);
        EXPECT_EQ(world.Camera().CurrentMove.Duration, 0.0f);
        EXPECT_EQ(world.Camera().MoveElapsed, 0.0f);
        if (c.steps == 30)
        {
            EXPECT_EQ(world.Place().x, start.x + distance) << "exactly on the target";
        }
        world.Camera().QueueMove(world.World(), 1.0f, {960.0f, 540.0f});
        world.FramesUntilIdle();
    }
}

TEST(CameraBehaviour, QueuedMovesChainFromWhereTheLastOneEnds)
{
    const CameraGame world;
    bCameraBehaviour& camera = world.Camera();
    camera.QueueMove(world.World(), 0.5f, {1260.0f, 540.0f});
    camera.QueueMove(world.World(), 0.5f, {1260.0f, 840.0f});
    // Toward the point where the queue already ends, at no speed, in no time: none moves the camera.
    camera.QueueMoveAtSpeed(world.World(), {1260.0f, 840.0f}, 400.0f);
    camera.QueueMoveAtSpeed(world.World(), {2000.0f, 100.0f}, 0.0f);
    camera.QueueMove(world.World(), 0.0f, {2000.0f, 100.0f});
    camera.QueueMoveAtSpeed(world.World(), {1560.0f, 840.0f}, 600.0f);
    EXPECT_EQ(camera.Moves.size(), 6u);

    world.Frame();
    for (int frame = 0; frame < 29; ++frame)
        world.Frame();
    EXPECT_EQ(world.Place().x, 1260.0f);
    EXPECT_EQ(world.Place().y, 540.0f) << "the first move is done after 30 steps";
    for (int frame = 0; frame < 30; ++frame)
        world.Frame();
    EXPECT_EQ(world.Place().x, 1260.0f);
    EXPECT_EQ(world.Place().y, 840.0f) << "the second started where the first ended";

    const int rest = world.FramesUntilIdle();
    EXPECT_TRUE(std::isfinite(world.Place().x) && std::isfinite(world.Place().y));
    EXPECT_EQ(world.Place().x, 1560.0f) << "the moves of no time were dropped unplayed";
    EXPECT_EQ(world.Place().y, 840.0f);
    EXPECT_LE(rest, 33) << "three dropped moves and 30 steps of 10";
}

TEST(CameraBehaviour, AnEasedMoveStartsAndEndsSlowAndLandsOnItsTargetAndHeight)
{
    const CameraGame world;
    bCameraBehaviour& camera = world.Camera();
    camera.StartEasedMove(world.World(), 1.0f, {1460.0f, 740.0f}, 900.0f);
    std::vector<float> steps;
    for (int frame = 0; frame < 70; ++frame)
        steps.push_back(world.Frame().x);
    EXPECT_NEAR(world.Place().x, 1460.0f, 0.5f);
    EXPECT_NEAR(world.Place().y, 740.0f, 0.5f);
    // The zoom is linear: its 61st step goes three units past the height.
    EXPECT_NEAR(world.World().ViewHeight, 900.0f, 3.5f);
    EXPECT_LT(steps.front(), steps[30] / 10.0f) << "slow at the start";
    EXPECT_EQ(steps[60], 0.0f) << "the 61st step gains nothing";
    EXPECT_EQ(camera.CurrentMove.Duration, 0.0f);

    // A new eased move halfway through another starts afresh from where the camera is.
    camera.StartEasedMove(world.World(), 1.0f, {1960.0f, 240.0f}, 1080.0f);
    for (int frame = 0; frame < 30; ++frame)
        world.Frame();
    camera.StartEasedMove(world.World(), 1.0f, {960.0f, 540.0f}, 1080.0f);
    EXPECT_EQ(camera.MoveElapsed, 0.0f);
    for (int frame = 0; frame < 70; ++frame)
        world.Frame();
    EXPECT_NEAR(world.Place().x, 960.0f, 0.5f);
    EXPECT_NEAR(world.Place().y, 540.0f, 0.5f);
    EXPECT_NEAR(world.World().ViewHeight, 1080.0f, 3.5f);
}

TEST(CameraBehaviour, MovesHoldWhileTheLevelIsPausedAndGoOnAfterwards)
{
    const CameraGame world;
    bCameraBehaviour& camera = world.Camera();
    bGameLogic& rules = RulesOf(*world.game);
    camera.QueueMove(world.World(), 0.5f, {1260.0f, 540.0f});
    camera.QueueMove(world.World(), 0.5f, {1560.0f, 540.0f});
    for (int frame = 0; frame < 10; ++frame)
        world.Frame();
    EXPECT_EQ(world.Place().x, 1060.0f);

    rules.SetState(GameState::Paused);
    const float elapsed = camera.MoveElapsed;
    for (int frame = 0; frame < 40; ++frame)
        EXPECT_EQ(world.Frame().x, 0.0f);
    EXPECT_EQ(camera.MoveElapsed, elapsed) << "no time lost";
    EXPECT_EQ(camera.Moves.size(), 1u);

    rules.SetState(rules.PreviousState);
    world.FramesUntilIdle();
    EXPECT_EQ(world.Place().x, 1560.0f);
}

TEST(CameraBehaviour, MovesStopAtTheBounds)
{
    const CameraGame world;
    world.Camera().QueueMove(world.World(), 0.5f, {5000.0f, -2000.0f});
    world.FramesUntilIdle();
    EXPECT_EQ(world.Place().x, 2290.0f) << "right bound less half the view's width";
    EXPECT_EQ(world.Place().y, -160.0f) << "bottom bound plus half the view's height";
}

TEST(CameraBehaviour, AZoomToPansAndZoomsThenSnapsBackToTheStartHeight)
{
    const CameraGame world;
    bCameraBehaviour& camera = world.Camera();
    camera.ZoomTo(world.World(), {1160.0f, 640.0f}, 900.0f, 0.5f);
    EXPECT_EQ(camera.SavedHeight, 1080.0f);
    float lowest = world.World().ViewHeight;
    int frames = 0;
    while (camera.ZoomActive && frames < 100)
    {
        world.Frame();
        if (camera.ZoomActive)
            lowest = std::min(lowest, world.World().ViewHeight);
        ++frames;
    }
    EXPECT_NEAR(frames, 30, 1);
    EXPECT_NEAR(lowest, 900.0f, 6.5f) << "within one frame's zoom of the height";
    EXPECT_EQ(world.World().ViewHeight, 1080.0f) << "snapped back";
    EXPECT_NEAR(world.Place().x, 1160.0f, 0.5f) << "the pan stays where it ended";
    EXPECT_NEAR(world.Place().y, 640.0f, 0.5f);
}

TEST(CameraBehaviour, TheLogoSceneStartsTheSlowZoom)
{
    TestGame game("Resources/LogoScene.json", GamePrefabFile());
    const auto camera = game.Behaviour<bCameraBehaviour>("Camera");
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->ZoomActive);
    EXPECT_FLOAT_EQ(camera->ZoomTimer, 2.5f);
    EXPECT_FLOAT_EQ(camera->ZoomHeightRate, (1080.0f - 900.0f) / 2.5f);
}
