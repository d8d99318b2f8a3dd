#include "ScreenElementTesting.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

// Buttons driven by the cursor and the left mouse button over fixture scenes: the menu button
// sits at (960, 540), the slow one at (400, 800), the camera-bound one at (200, 150) of the
// reference view, the one hidden at start at (960, 300).

namespace
{
constexpr int LeftButton = 1;

// Runs one frame and tells whether a button took a click in it.
bool FrameTakesClick(TestGame& game)
{
    const VoiceHandle before = ClickVoice(game);
    game.RunFrames(1);
    return !(ClickVoice(game) == before);
}

bool SettledClickTaken(TestGame& game, float x, float y)
{
    const VoiceHandle before = ClickVoice(game);
    ClickWorld(game, x, y);
    return !(ClickVoice(game) == before);
}
}

TEST(ButtonBehaviour, TheHoverLookOutlastsTheCursorByFiveHundredthsOfASecond)
{
    const auto game = StartScreenScene("Buttons.json");
    const Renderer* look = game->Component<Renderer>("Menu_Button");
    ASSERT_EQ(look->textureName, "MM_NewGame");
    const CursorPoint over = game->WindowPointOf(960, 540);
    game->MoveCursor(over.x, over.y);
    game->RunFrames(3);
    EXPECT_EQ(look->textureName, "MM_NewGame_Hover");

    // Away from every button: 0.05 s is three frames of 1/60 s.
    game->MoveCursor(5, 5);
    std::vector<std::string> looks;
    for (int frame = 0; frame < 5; ++frame)
    {
        game->RunFrames(1);
        looks.push_back(look->textureName);
    }
    EXPECT_THAT(looks, ElementsAre("MM_NewGame_Hover", "MM_NewGame_Hover", "MM_NewGame_Hover", "MM_NewGame",
                                   "MM_NewGame"));
}

TEST(ButtonBehaviour, AClickLandsOnceInTheFrameThePressCompletes)
{
    const auto game = StartScreenScene("Buttons.json");
    const CursorPoint over = game->WindowPointOf(960, 540);
    game->MoveCursor(over.x, over.y);

    // A held press completes when it is let go.
    game->Hold(LeftButton);
    std::vector<bool> taken;
    for (int frame = 0; frame < 4; ++frame)
        taken.push_back(FrameTakesClick(*game));
    game->Release(LeftButton);
    for (int frame = 0; frame < 3; ++frame)
        taken.push_back(FrameTakesClick(*game));
    EXPECT_THAT(taken, ElementsAre(false, false, false, false, true, false, false));
    EXPECT_EQ(game->KeyState(LeftButton), 0);

    // A short press: pressed, released, completed one frame later.
    game->Hold(LeftButton);
    taken = {FrameTakesClick(*game)};
    game->Release(LeftButton);
    for (int frame = 0; frame < 3; ++frame)
        taken.push_back(FrameTakesClick(*game));
    EXPECT_THAT(taken, ElementsAre(false, false, true, false));
}

TEST(ButtonBehaviour, AReclickDelayIgnoresClicksUntilItHasPassed)
{
    const auto game = StartScreenScene("Buttons.json");
    ASSERT_TRUE(SettledClickTaken(*game, 400, 800));
    // Disarmed from the click's frame; re-armed in the 31st frame after it, once 30 fixed steps
    // (0.5 s) have been counted.
    game->RunFrames(27);
    EXPECT_FALSE(SettledClickTaken(*game, 400, 800)) << "completed 30 frames after the first";
    EXPECT_TRUE(SettledClickTaken(*game, 400, 800)) << "completed 33 frames after the first";
    EXPECT_FALSE(SettledClickTaken(*game, 400, 800)) << "completed 3 frames after the second";

    // Without a delay every completed press counts.
    EXPECT_TRUE(SettledClickTaken(*game, 960, 540));
    EXPECT_TRUE(SettledClickTaken(*game, 960, 540));
}

TEST(ButtonBehaviour, AButtonHiddenAtStartJoinsDrawingAndPickingOnlyWhenShown)
{
    const auto game = StartScreenScene("Buttons.json");
    Coordinator& coordinator = *game->coordinator;
    const Entity hidden = game->Find("Hidden_Button");
    EXPECT_FALSE(IsInSystem<sRendererSystem>(coordinator, hidden));
    EXPECT_FALSE(IsInSystem<sPhysicsCollision>(coordinator, hidden));
    EXPECT_FALSE(SettledClickTaken(*game, 960, 300));

    // The menu button's click shows it; it joins its systems in its own next Update.
    ASSERT_TRUE(SettledClickTaken(*game, 960, 540));
    EXPECT_TRUE(game->Behaviour<bUIButtonBehaviour>("Hidden_Button")->active);
    game->RunFrames(1);
    EXPECT_TRUE(IsInSystem<sRendererSystem>(coordinator, hidden));
    EXPECT_TRUE(IsInSystem<sPhysicsCollision>(coordinator, hidden));
    EXPECT_TRUE(SettledClickTaken(*game, 960, 300));
}

TEST(ButtonBehaviour, ACameraBoundButtonFollowsTheCameraAndIsClickedWhereItShows)
{
    const auto game = StartScreenScene("Buttons.json");
    const Vector2 home = PlaceOf(*game, "Hud_Button");
    EXPECT_FLOAT_EQ(home.x, 200.0f);
    EXPECT_FLOAT_EQ(home.y, 150.0f);

    // Nothing in this scene moves the camera but the test; a level's camera behaviour would
    // widen its bounds to the level's.
    const float levelBounds[4] = {-630.0f, -700.0f, 3250.0f, 1440.0f};
    std::copy(std::begin(levelBounds), std::end(levelBounds), game->coordinator->CameraBounds);
    game->Component<Transform>("Camera")->position = {1500.0f, 900.0f};
    game->RunFrames(1);
    const Vector2 moved = PlaceOf(*game, "Hud_Button");
    EXPECT_FLOAT_EQ(moved.x, 1500.0f - 760.0f);
    EXPECT_FLOAT_EQ(moved.y, 900.0f - 390.0f);

    const VoiceHandle before = ClickVoice(*game);
    ClickScreen(*game, 200, 150);
    EXPECT_FALSE(ClickVoice(*game) == before);
}

TEST(ButtonBehaviour, AnUnavailableButtonTakesNeitherTheClickNorItsSound)
{
    const auto game = StartScreenScene("Squad.json");
    const auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    const auto note = game->Behaviour<bFontBehaviour>("Portrait_Note");
    const Renderer* look = game->Component<Renderer>("Portrait_Button");
    ASSERT_NE(soldier, nullptr);

    // A dead soldier's portrait (nothing on these screens kills a soldier, so the test does).
    soldier->active = false;
    game->RunFrames(1);
    EXPECT_EQ(look->textureName, "Btn_No");
    EXPECT_FALSE(SettledClickTaken(*game, 1500, 200));
    game->RunFrames(1);
    EXPECT_FALSE(note->active) << "its screens were not switched";

    // Alive again: the normal look returns once the hover has run out, and the click counts.
    soldier->active = true;
    game->MoveCursor(5, 5);
    game->RunFrames(5);
    EXPECT_EQ(look->textureName, "Btn_Yes");
    EXPECT_TRUE(SettledClickTaken(*game, 1500, 200));
    game->RunFrames(1);
    EXPECT_TRUE(note->active);
    EXPECT_TRUE(note->inSystems);
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST(ButtonBehaviour, AFadeAuthoredDownwardFadesDownThenReleasesItsQueuedEntity)
{
    const auto game = StartScreenScene("Buttons.json");
    const Renderer* look = game->Component<Renderer>("Fading_Button");
    const auto after = game->Behaviour<bImageBehaviour>("After_Fade");
    game->RunFrames(30);
    EXPECT_NEAR(look->opacity, 0.5f, 0.02f) << "half way down after half its second";
    EXPECT_FALSE(after->active);
    // Its effect time runs by the frame: one second is about 60 frames.
    int frames = 30;
    while (!after->active && frames < 90)
    {
        game->RunFrames(1);
        ++frames;
    }
    EXPECT_GE(frames, 60);
    EXPECT_LE(frames, 62);
    EXPECT_NEAR(look->opacity, 0.0f, 0.02f);
}
