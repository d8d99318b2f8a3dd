#include "support/TestGame.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The harness's own promises to the game tests: a window pixel it computes for a world point is
// where the input system reads that world point back, and a drag passes through the key states
// a player's drag does.

TEST(TestGameInput, TheWindowPointOfAWorldPointReadsBackAsThatPoint)
{
    TestGame game(TestGame::Fixture("scenes/MenuScene.json"));
    game.RunFrames(1);
    for (const auto& [x, y] : {std::pair{100.0f, 200.0f}, std::pair{960.0f, 540.0f}, std::pair{1800.0f, 1000.0f}})
    {
        const CursorPoint pixel = game.WindowPointOf(x, y);
        game.MoveCursor(pixel.x, pixel.y);
        game.RunFrames(1);
        EXPECT_LE(std::labs(game.coordinator->WorldCursor->x - static_cast<long>(x)), 1) << x << "," << y;
        EXPECT_LE(std::labs(game.coordinator->WorldCursor->y - static_cast<long>(y)), 1) << x << "," << y;
    }
}

TEST(TestGameInput, ADragPressesHoldsAndSettlesTheButton)
{
    TestGame game(TestGame::Fixture("scenes/MenuScene.json"));
    // Keys start unknown: the first frame sees them up, and only then can they go down.
    game.RunFrames(1);
    game.MoveCursor(10, 10);
    game.Hold(1);
    game.RunFrames(1);
    EXPECT_EQ(game.KeyState(1), 1);
    game.RunFrames(1);
    EXPECT_EQ(game.KeyState(1), 2);
    game.Release(1);
    game.RunFrames(1);
    EXPECT_EQ(game.KeyState(1), 4);

    game.Drag(1, 100, 100, 400, 300, 5);
    EXPECT_EQ(game.KeyState(1), 0);
    EXPECT_EQ(game.coordinator->ScreenCursor->x, 400);

    game.Press(2);
    EXPECT_EQ(game.KeyState(2), 1);
    game.RunFrames(1);
    EXPECT_EQ(game.KeyState(2), 3);
    game.RunFrames(1);
    EXPECT_EQ(game.KeyState(2), 4);
}
