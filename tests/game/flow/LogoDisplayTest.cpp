#include "support/FrontEndGame.h"
#include "support/SquadGame.h"

#include "engine/components/Transform.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bLogoDisplay.h"

#include <gtest/gtest.h>

// Two logos on their own (no key touched): one spawns a prefab at 3 s, one only leaves at 1.5 s.

namespace
{
// The frame in which the logo's clock, run by the frames' time, reaches the seconds; the first
// frame of a game has no time.
int FrameReaching(float seconds, float frameTime)
{
    float timer = 0.0f;
    int frame = 1;
    while (timer < seconds)
    {
        timer += frameTime;
        ++frame;
    }
    return frame;
}
}

TEST(LogoDisplay, ALogoLeftAloneChangesWhenItsTimeIsUp)
{
    TestGame game(TestGame::Fixture("scenes/frontend/Logos.json"), GamePrefabFile());
    const float frameTime = 1.0f / 60.0f;
    const int plainGoes = FrameReaching(1.5f, frameTime);
    const int spawningGoes = FrameReaching(3.0f, frameTime);
    int plainGone = 0;
    int spawningGone = 0;
    for (int frame = 1; frame <= spawningGoes + 2; ++frame)
    {
        game.RunFrames(1);
        if (plainGone == 0 && game.Find("Logo_Plain") == NO_ENTITY)
            plainGone = frame;
        if (spawningGone == 0 && game.Find("Logo_Spawning") == NO_ENTITY)
            spawningGone = frame;
    }
    EXPECT_EQ(plainGone, plainGoes);
    EXPECT_EQ(spawningGone, spawningGoes);
    // Only the spawning one spawned its prefab; the logo grew 0.1 a frame until it went.
    EXPECT_NE(game.Find("ScreenLeftDoor"), NO_ENTITY);
    EXPECT_EQ(game.Find("ScreenLeftDoor1"), NO_ENTITY);
    EXPECT_TRUE(game.coordinator->PendingScene.empty());
}

TEST(LogoDisplay, TheLogoGrowsEveryFrameAndIgnoresKeysForATenthOfASecond)
{
    TestGame game(TestGame::Fixture("scenes/frontend/Logos.json"), GamePrefabFile());
    game.RunFrames(1);
    // Held from the second frame: still held and released within the first tenth.
    game.Hold(32);
    game.RunFrames(2);
    game.Release(32);
    game.RunFrames(2);
    EXPECT_NE(game.Find("Logo_Plain"), NO_ENTITY);
    const Transform& grown = *game.Component<Transform>("Logo_Plain");
    EXPECT_NEAR(grown.scale.x, 1.5f, 1e-5f);
    EXPECT_NEAR(grown.scale.y, 1.5f, 1e-5f);

    // A key held later makes both logos go at once, as soon as it reads held.
    game.RunFrames(1);
    game.Hold(32);
    int frames = 0;
    while (game.Find("Logo_Plain") != NO_ENTITY && frames < 5)
    {
        game.RunFrames(1);
        ++frames;
    }
    game.Release(32);
    EXPECT_EQ(frames, 2) << "pressed, then held";
    EXPECT_EQ(game.Find("Logo_Plain"), NO_ENTITY);
    EXPECT_EQ(game.Find("Logo_Spawning"), NO_ENTITY);
    EXPECT_NE(game.Find("ScreenLeftDoor"), NO_ENTITY);
}

TEST(LogoDisplay, TheLogoRestartsTheCamerasSlowZoom)
{
    TestGame game(TestGame::Fixture("scenes/frontend/Logos.json"), GamePrefabFile());
    const auto camera = game.Behaviour<bCameraBehaviour>("Camera");
    ASSERT_NE(camera, nullptr);
    game.RunFrames(100);
    EXPECT_TRUE(camera->ZoomActive);
    EXPECT_NEAR(camera->ZoomTimer, 2.5f - 9.0f / 60.0f, 0.02f) << "restarted by the first logo, at 1.5 s";
}
