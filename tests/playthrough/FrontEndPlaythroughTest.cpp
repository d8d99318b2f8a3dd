#include "support/FrontEndGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Renderer.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTransitionScreen.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <gtest/gtest.h>

// The game's front end played as a player plays it, from the logo, with keys and clicks only.

namespace
{
const std::string Logo = "Resources/LogoScene.json";
const std::string MainMenu = "Resources/mainMenu.json";
constexpr int SpaceKey = 32;
constexpr int FullScreenKey = 122;

// Past the logo with a key, once the logo listens.
void EnterMainMenu(TestGame& game)
{
    game.RunFrames(10);
    game.Tap(SpaceKey);
    ASSERT_EQ(game.coordinator->CurrentScene, MainMenu);
}

bool ButtonShown(TestGame& game, const std::string& name)
{
    const auto button = game.Behaviour<bUIButtonBehaviour>(name);
    return button != nullptr && button->active && IsDrawn(game, name);
}
}

TEST(FrontEndPlaythrough, FromTheLogoThroughANewGameAndItsCutsceneIntoTheFirstLevel)
{
    const auto game = StartFrontEnd(Logo, {{"Unlocked Farmhouse", "true"},
                                           {"First Cutscene Cleared", "true"},
                                           {"Second Cutscene Cleared", "true"},
                                           {"Tutorial 1 Cleared", "true"}});

    // A key in the logo's first tenth of a second is the one that started the game: ignored.
    game->Hold(SpaceKey);
    game->RunFrames(1);
    game->Release(SpaceKey);
    game->RunFrames(4);
    EXPECT_EQ(game->coordinator->CurrentScene, Logo);
    EXPECT_NE(game->Find("Logo"), NO_ENTITY);
    EnterMainMenu(*game);
    // Entered from the logo: no doors to open.
    EXPECT_FALSE(IsDrawn(*game, "ScreenLeftDoor"));
    EXPECT_EQ(TransitionScreenInstance()->DoorMode, bTransitionScreen::DoorsIdle);

    // New Game, confirmed: the progress starts over in the settings file at once, and the first
    // cutscene follows once the doors have closed.
    ClickOn(*game, "NewGame_Button");
    game->RunFrames(1);
    EXPECT_TRUE(ButtonShown(*game, "NewGame_Yes_Button"));
    ClickOn(*game, "NewGame_Yes_Button");
    EXPECT_EQ(SettingsMember(*game, "Unlocked Farmhouse"), "false");
    EXPECT_EQ(SettingsMember(*game, "Second Cutscene Cleared"), "false");
    EXPECT_EQ(SettingsMember(*game, "Tutorial 1 Cleared"), "false");
    EXPECT_EQ(SettingsMember(*game, "First Cutscene Cleared"), "true");
    EXPECT_TRUE(TransitionScreenInstance()->DoorsMoving || TransitionScreenInstance()->DoorMode == bTransitionScreen::DoorsClosing);
    const int closing = RunUntilScene(*game, "Resources/Cutscene.json", 120);
    EXPECT_GT(closing, 60) << "the doors close first";

    // Clicked through: a click completes the line being typed, Skip leaves the cutscene.
    game->RunFrames(120);
    game->ClickAndSettle(960, 540);
    ClickOn(*game, "Cutscene_Skip_Button");
    ASSERT_GE(RunUntilScene(*game, "Resources/LevelSelect.json", 120), 0);

    // Only the first level is open.
    EXPECT_TRUE(ButtonShown(*game, "AbandonedHouse_Button"));
    EXPECT_FALSE(IsDrawn(*game, "AbandonedHouse_Locked"));
    for (const char* level : {"Farmhouse", "Warehouse", "TownHall"})
    {
        EXPECT_FALSE(IsDrawn(*game, std::string(level) + "_Button")) << level;
        EXPECT_TRUE(IsDrawn(*game, std::string(level) + "_Locked")) << level;
    }
    EXPECT_FALSE(IsDrawn(*game, "ScreenLeftDoor")) << "entered from a cutscene: no doors to open";

    ClickOn(*game, "AbandonedHouse_Button");
    ASSERT_GE(RunUntilScene(*game, "Resources/Level_AbandonedHouse.json", 120), 0);
    EXPECT_TRUE(ThirdStageLoaded(*game->coordinator));
    EXPECT_TRUE(IsDrawn(*game, "ScreenLeftDoor")) << "a level opens behind its doors";
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST(FrontEndPlaythrough, FullScreenAndMuteSurviveARestart)
{
    std::string saved;
    {
        const auto game = StartFrontEnd(Logo);
        EnterMainMenu(*game);
        ClickOn(*game, "Settings_Menu_Button");
        game->RunFrames(1);
        ClickOn(*game, "FullscreenButton");
        ClickOn(*game, "MuteButton");
        ASSERT_TRUE(WindowState::fullScreen);
        ASSERT_TRUE(game->Sound().Muted);
        ASSERT_TRUE(game->ShutDown());
        saved = game->SettingsText();
    }

    const auto again = TestGame::WithSettings(saved);
    EXPECT_TRUE(WindowState::fullScreen);
    again->RunFrames(1);
    EXPECT_TRUE(again->Sound().Muted);
    EXPECT_TRUE(again->Sound().MutedByUser);
    EnterMainMenu(*again);
    ClickOn(*again, "Settings_Menu_Button");
    again->RunFrames(1);
    EXPECT_EQ(again->Component<Renderer>("FullscreenButton")->textureName, "Toggle_On");
    EXPECT_EQ(again->Component<Renderer>("MuteButton")->textureName, "Toggle_On");

    // Unmuted, the volume the player had comes back.
    ClickOn(*again, "MuteButton");
    EXPECT_FALSE(again->Sound().Muted);
    EXPECT_FLOAT_EQ(again->Sound().MasterVolume, 1.0f);
}

TEST(FrontEndPlaythrough, QuitFromTheMenuEndsTheGameWithTheSettingsWritten)
{
    const auto game = StartFrontEnd(Logo);
    EnterMainMenu(*game);
    // Switched to full screen with its key, which saves nothing by itself.
    game->Tap(FullScreenKey);
    ASSERT_TRUE(WindowState::fullScreen);
    EXPECT_EQ(SettingsMember(*game, "EnableFullScreen"), "false");

    ClickOn(*game, "Quit_Button");
    game->RunFrames(1);
    EXPECT_FALSE(WindowState::closeRequested) << "asked to confirm first";
    ClickOn(*game, "Quit_Yes_Button");
    EXPECT_TRUE(WindowState::closeRequested);
    // The frame loop ends here; the game shuts down as the entry does.
    EXPECT_TRUE(game->ShutDown());
    EXPECT_EQ(SettingsMember(*game, "EnableFullScreen"), "true");
}
