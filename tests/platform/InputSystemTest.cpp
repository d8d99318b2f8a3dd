#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/sInputSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTransitionScreen.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr int LeftButton = 1;
constexpr int MiddleButton = 4;
constexpr int KeyA = 65;

// The menu fixture: the camera (entity 0, at 960, 540) carries a bCameraBehaviour; the cursor
// prefab is the last entity.
struct InputTest : testing::Test
{
    TestGame game{TestGame::Fixture("scenes/MenuScene.json")};
    Coordinator& coordinator = *game.coordinator;

    Transform& Camera() { return *coordinator.GetComponent<Transform>(coordinator.CameraEntity); }
    Transform& Cursor() { return *coordinator.GetComponent<Transform>(coordinator.CursorEntity); }
};

// A level in its Playing state behind open doors: the camera controls run.
struct CameraControlTest : InputTest
{
    bGameLogic logic;
    bTransitionScreen transition;

    void SetUp() override
    {
        logic.CurrentState = GameState::Playing;
        GameLogicInstance() = &logic;
        TransitionScreenInstance() = &transition;
        coordinator.AspectRatio = 1920.0f / 1080.0f;
        // Bounds far away, so that only the control under test moves the camera.
        coordinator.CameraBounds[0] = -10000.0f;
        coordinator.CameraBounds[1] = -10000.0f;
        coordinator.CameraBounds[2] = 10000.0f;
        coordinator.CameraBounds[3] = 10000.0f;
        game.platform.SetCursor(960, 540);
        game.RunFrames(1);
    }

    bCameraBehaviour& CameraBehaviour() { return *coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity); }
};

struct KeyScript
{
    const char* name;
    std::vector<bool> down;   // the key in each frame
    std::vector<int> answers; // GetKeyState after each frame
};
}

TEST_F(InputTest, KeyStatesRunTheirStateMachineOnePollPerFrame)
{
    const KeyScript scripts[] = {
        {"one-frame click", {1, 0, 0, 0, 0}, {1, 3, 4, 0, 0}},
        {"long press", {1, 1, 1, 0, 0}, {1, 2, 2, 4, 0}},
        {"a press while settled is not seen", {1, 0, 0, 1, 0, 1}, {1, 3, 4, 4, 0, 1}},
        {"a press while released is not seen; the key must be up again", {1, 0, 1, 1, 1, 0, 0, 1}, {1, 3, 3, 3, 3, 4, 0, 1}},
    };
    for (const KeyScript& script : scripts)
        for (int key : {KeyA, LeftButton})
        {
            // Settle the key from the previous script.
            game.platform.SetKeyDown(key, false);
            game.RunFrames(3);
            ASSERT_EQ(game.KeyState(key), 0);
            std::vector<int> answers;
            for (bool down : script.down)
            {
                game.platform.SetKeyDown(key, down);
                game.RunFrames(1);
                answers.push_back(game.KeyState(key));
            }
            EXPECT_EQ(answers, script.answers) << script.name << ", key " << key;
        }
}

TEST(InputStartUp, AKeyHeldWhenTheGameStartsCountsOnlyAfterItWasSeenUp)
{
    TestGame game(TestGame::Fixture("scenes/MenuScene.json"));
    // Before the first frame every polled key reads 0, and codes never polled always do.
    EXPECT_EQ(game.coordinator->KeyStates.size(), Coordinator::KeyCodes.size());
    EXPECT_EQ(game.KeyState(13), 0);
    game.platform.SetKeyDown(KeyA, true);
    game.RunFrames(2);
    EXPECT_EQ(game.KeyState(KeyA), 0);
    game.platform.SetKeyDown(KeyA, false);
    game.RunFrames(1);
    game.Press(KeyA);
    EXPECT_EQ(game.KeyState(KeyA), 1);
}

TEST_F(InputTest, NothingIsReadWhileAnotherWindowIsInFront)
{
    game.platform.SetCursor(100, 100);
    game.RunFrames(1);
    const CursorPoint before = *coordinator.WorldCursor;
    game.platform.SetFocused(false);
    game.platform.SetCursor(500, 500);
    game.Press(KeyA);
    EXPECT_EQ(game.KeyState(KeyA), 0);
    EXPECT_EQ(coordinator.WorldCursor->x, before.x);
    EXPECT_EQ(coordinator.WorldCursor->y, before.y);
}

TEST_F(InputTest, CursorPointsAreYUpAndTheWorldPointIsTruncatedTowardZero)
{
    coordinator.AspectRatio = 1920.0f / 1080.0f;
    coordinator.ViewHeight = 2160.0f;
    coordinator.CameraBounds[0] = coordinator.CameraBounds[1] = -10000.0f;
    coordinator.CameraBounds[2] = coordinator.CameraBounds[3] = 10000.0f;
    Camera().position = {960.5f, 540.0f};

    // Window pixel (0, 270), y down: y up it is 810; the view is 3840 by 2160 around the camera.
    game.platform.SetCursor(0, 270);
    game.RunFrames(1);
    EXPECT_EQ(coordinator.ScreenCursor->x, 0);
    EXPECT_EQ(coordinator.ScreenCursor->y, 810);
    // x: 0 + (960.5 - 1920) = -959.5, truncated toward zero; y: 0.75 x 2160 + (540 - 1080).
    EXPECT_EQ(coordinator.WorldCursor->x, -959);
    EXPECT_EQ(coordinator.WorldCursor->y, 1080);
    EXPECT_EQ(Cursor().position.x, -959.0f);
    EXPECT_EQ(Cursor().position.y, 1080.0f);

    // While the middle button is down the world point stays in pixels and the cursor sprite
    // takes the untruncated world point.
    game.platform.SetKeyDown(MiddleButton, true);
    game.RunFrames(1);
    EXPECT_EQ(coordinator.WorldCursor->x, 0);
    EXPECT_EQ(coordinator.WorldCursor->y, 810);
    EXPECT_EQ(Cursor().position.x, -959.5f);
    EXPECT_EQ(Cursor().previousPosition.x, -959.0f);
}

TEST_F(InputTest, AFailedCursorQueryLeavesBothPointsAndTheCursorAlone)
{
    game.platform.SetCursor(300, 400);
    game.RunFrames(1);
    const CursorPoint world = *coordinator.WorldCursor;
    const Vector2 cursor = Cursor().position;
    game.platform.SetCursorAvailable(false);
    game.platform.SetCursor(10, 10);
    game.RunFrames(1);
    EXPECT_EQ(coordinator.WorldCursor->x, world.x);
    EXPECT_EQ(coordinator.ScreenCursor->y, 1080 - 400);
    EXPECT_EQ(Cursor().position.x, cursor.x);
}

TEST_F(InputTest, WithoutBoundsTheViewIsHeldAtItsHalfSize)
{
    // A scene without a camera behaviour leaves every bound at 0.
    coordinator.AspectRatio = 1920.0f / 1080.0f;
    Camera().position = {-300.0f, 4000.0f};
    game.RunFrames(1);
    EXPECT_FLOAT_EQ(Camera().position.x, 960.0f);
    EXPECT_FLOAT_EQ(Camera().position.y, 540.0f);
}

TEST_F(InputTest, CameraControlsWaitForAPlayingLevelBehindOpenDoors)
{
    coordinator.AspectRatio = 1920.0f / 1080.0f;
    coordinator.CameraBounds[0] = coordinator.CameraBounds[1] = -10000.0f;
    coordinator.CameraBounds[2] = coordinator.CameraBounds[3] = 10000.0f;
    bGameLogic logic;
    bTransitionScreen transition;
    GameLogicInstance() = &logic;
    TransitionScreenInstance() = &transition;

    // Paused: a wheel notch stays stored and edge panning does nothing.
    logic.CurrentState = GameState::Paused;
    game.platform.SetCursor(0, 540);
    game.platform.Scroll(1);
    game.RunFrames(2);
    EXPECT_EQ(coordinator.ViewHeight, 1080.0f);
    EXPECT_EQ(WindowState::wheelOffset, 1);
    EXPECT_EQ(Camera().position.x, 960.0f);

    // Playing, but the doors move: still nothing.
    logic.CurrentState = GameState::Playing;
    transition.DoorsMoving = true;
    game.RunFrames(1);
    EXPECT_EQ(coordinator.ViewHeight, 1080.0f);

    // Doors open: the stored notch zooms one step, and the edge pans.
    transition.DoorsMoving = false;
    game.RunFrames(1);
    EXPECT_EQ(coordinator.ViewHeight, 1030.0f);
    EXPECT_EQ(WindowState::wheelOffset, 0);
    EXPECT_EQ(Camera().position.x, 945.0f);
}

TEST_F(CameraControlTest, WheelZoomsOneStepPerSingleNotchWithinItsLimits)
{
    struct Step
    {
        double scroll;
        float viewHeight;
        int offsetLeft;
    };
    const Step steps[] = {
        {1, 1030.0f, 0},  {2, 1030.0f, 2},  {-1, 1080.0f, 0}, {-1, 1130.0f, 0},
        {1, 1080.0f, 0},
    };
    for (const Step& step : steps)
    {
        game.platform.Scroll(step.scroll);
        game.RunFrames(1);
        EXPECT_EQ(coordinator.ViewHeight, step.viewHeight) << step.scroll;
        EXPECT_EQ(WindowState::wheelOffset, step.offsetLeft) << step.scroll;
    }

    coordinator.ViewHeight = 900.0f;
    game.platform.Scroll(1);
    game.RunFrames(1);
    EXPECT_EQ(coordinator.ViewHeight, 900.0f);
    coordinator.ViewHeight = 2000.0f;
    game.platform.Scroll(-1);
    game.RunFrames(1);
    EXPECT_EQ(coordinator.ViewHeight, 2000.0f);
    // The cursor sprite keeps its size on screen (from the view before the notch).
    EXPECT_FLOAT_EQ(coordinator.GetComponent<Renderer>(coordinator.CursorEntity)->scaleX, 2000.0f / 1080.0f * 20.0f);
}

TEST_F(CameraControlTest, MiddleDragMovesTheViewWithTheHandInPixels)
{
    coordinator.ViewHeight = 2000.0f; // the drag is one unit per pixel at every zoom
    game.platform.SetCursor(100, 100);
    game.platform.SetKeyDown(MiddleButton, true);
    game.RunFrames(1);
    EXPECT_EQ(game.Input().DragStartScreen.x, 100.0f);
    EXPECT_EQ(game.Input().DragStartScreen.y, 980.0f);

    game.platform.SetCursor(150, 120);
    game.RunFrames(1);
    EXPECT_EQ(Camera().position.x, 910.0f);
    EXPECT_EQ(Camera().position.y, 560.0f);

    // Released: the view stays where the hand left it.
    game.platform.SetKeyDown(MiddleButton, false);
    game.platform.SetCursor(400, 400);
    game.RunFrames(2);
    EXPECT_EQ(Camera().position.x, 910.0f);
    EXPECT_EQ(Camera().position.y, 560.0f);
}

TEST_F(CameraControlTest, EdgePanningSteersFromTheReferenceCentre)
{
    // Left edge at the centre's height: straight toward negative x at the sensitivity.
    game.platform.SetCursor(0, 540);
    game.RunFrames(1);
    EXPECT_EQ(Camera().position.x, 945.0f);
    EXPECT_EQ(Camera().position.y, 540.0f);

    // The top edge (y up: 1080), off centre: along the normalised direction.
    sInputSystem::CameraSensitivity() = 10.0f;
    game.platform.SetCursor(1260, 0);
    const Vector2 before = Camera().position;
    game.RunFrames(1);
    const float length = std::sqrt(300.0f * 300.0f + 540.0f * 540.0f);
    EXPECT_NEAR(Camera().position.x - before.x, 300.0f / length * 10.0f, 1e-4);
    EXPECT_NEAR(Camera().position.y - before.y, 540.0f / length * 10.0f, 1e-4);

    // Inside the band's limits nothing pans.
    game.platform.SetCursor(960, 500);
    const Vector2 still = Camera().position;
    game.RunFrames(3);
    EXPECT_EQ(Camera().position.x, still.x);
    EXPECT_EQ(Camera().position.y, still.y);
}

TEST_F(CameraControlTest, ACursorOnTheCentreInsideTheBandDoesNotPan)
{
    // A window so narrow that its right edge band holds the reference centre.
    WindowState::width = 961;
    game.platform.SetCursor(960, 540);
    const Vector2 before = Camera().position;
    game.RunFrames(2);
    EXPECT_FALSE(std::isnan(Camera().position.x));
    EXPECT_EQ(Camera().position.x, before.x);
    EXPECT_EQ(Camera().position.y, before.y);
}

TEST_F(CameraControlTest, AScriptedMoveBlocksDragAndPanUntilTheCursorLeavesTheEdge)
{
    // A long scripted move that stays where the camera is: busy, but never moving it.
    CameraBehaviour().QueueMove(coordinator, 10.0f, Camera().position);
    game.platform.SetCursor(0, 540);
    game.RunFrames(2);
    EXPECT_EQ(Camera().position.x, 960.0f);
    EXPECT_TRUE(game.Input().EdgePanBlocked);

    // Dragging while busy does nothing either.
    game.platform.SetCursor(300, 300);
    game.platform.SetKeyDown(MiddleButton, true);
    game.RunFrames(1);
    game.platform.SetCursor(500, 300);
    game.RunFrames(1);
    EXPECT_EQ(Camera().position.x, 960.0f);
    game.platform.SetKeyDown(MiddleButton, false);
    game.RunFrames(2);

    // The move is over, but the cursor rests in the band: no pan until it has left once.
    CameraBehaviour().Moves.clear();
    CameraBehaviour().CurrentMove = CameraMove{};
    CameraBehaviour().MoveElapsed = 0.0f;
    game.platform.SetCursor(0, 540);
    game.RunFrames(2);
    EXPECT_EQ(Camera().position.x, 960.0f);
    game.platform.SetCursor(500, 540);
    game.RunFrames(1);
    game.platform.SetCursor(0, 540);
    game.RunFrames(1);
    EXPECT_EQ(Camera().position.x, 945.0f);
}

TEST_F(InputTest, PointerFlagsMarkTheLeftButtonDownFromTheFrameAfterThePress)
{
    std::vector<int> flags;
    game.RunFrames(1); // the button is seen up first
    game.Click(10, 10);
    flags.push_back(game.Input().PointerFlags);
    for (int i = 0; i < 3; ++i)
    {
        game.RunFrames(1);
        flags.push_back(game.Input().PointerFlags);
    }
    EXPECT_EQ(flags, (std::vector<int>{1, 3, 3, 1}));
}
