#include "support/FirstLevelPlay.h"
#include "support/LevelGame.h"
#include "support/LevelPlayer.h"
#include "support/SettingsValidity.h"

#include "game/flow/PublishedInstances.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <gtest/gtest.h>

// The whole game in one sitting, from the logo to the credits, with the mouse and keys only: the
// story's order of menus, cutscenes, level select and levels, the progress kept in the settings
// file across a restart, and the credits after the last level. The first level is played through
// its tutorial; the later ones are won here with the debug key (Alt + 5, the settings allowing
// cheats), since this test is about what leads from one screen to the next, and LevelWinTest
// plays each of them to its win.

namespace
{
constexpr int SpaceKey = 32;
constexpr int AltKey = 18;
const std::string Logo = "Resources/LogoScene.json";
const std::string MainMenu = "Resources/mainMenu.json";
const std::string LevelSelect = "Resources/LevelSelect.json";
// The credits button names its scene in lower case; the file is found whatever its case.
const std::string Credits = "Resources/credits.json";

bool Shown(TestGame& game, const std::string& name)
{
    const auto button = game.Behaviour<bUIButtonBehaviour>(name);
    return IsDrawn(game, name) && (button == nullptr || button->active);
}

// Past the logo with a key once it listens.
void PassTheLogo(TestGame& game)
{
    ASSERT_EQ(game.coordinator->CurrentScene, Logo);
    game.RunFrames(10);
    game.Tap(SpaceKey);
    ASSERT_EQ(game.coordinator->CurrentScene, MainMenu);
}

// A cutscene is skipped once its doors are open; the level select follows.
void SkipCutscene(TestGame& game, const std::string& cutscene)
{
    ASSERT_GE(RunUntilScene(game, cutscene, 200), 0) << cutscene;
    // A click completes the line being typed; Skip leaves.
    game.RunFrames(120);
    game.ClickAndSettle(960, 540);
    ClickOn(game, "Cutscene_Skip_Button");
    ASSERT_GE(RunUntilScene(game, LevelSelect, 200), 0) << "the level select after " << cutscene;
    WaitForOpenDoors(game);
}

// Which levels the level select offers.
void ExpectLevelSelectOffers(TestGame& game, int highest)
{
    for (int level = 0; level < 4; ++level)
    {
        const std::string name = Levels[level].name;
        EXPECT_EQ(Shown(game, name + "_Button"), level <= highest) << name;
        if (level < 3)
        {
            EXPECT_EQ(IsDrawn(game, name + "_Locked"), level > highest) << name;
        }
    }
}

// Continue on the win pop-up, once it shows, with the next level unlocked.
void ContinueFromTheWin(TestGame& game, LevelPlayer& player, int level)
{
    ASSERT_EQ(player.State(), GameState::Win) << Levels[level].name;
    ASSERT_TRUE(player.RunUntil([&] { return Shown(game, "Win_Continue"); }, 300)) << "the win pop-up";
    if (level < 3)
    {
        EXPECT_EQ(SettingsMember(game, Levels[level + 1].unlockKey), "true");
    }
    ClickOn(game, "Win_Continue");
}

// The level, once it plays, won with Alt + 5; then Continue on the win pop-up.
void WinThisLevel(TestGame& game, int level)
{
    LevelPlayer player(game);
    ASSERT_TRUE(player.WaitUntilPlaying()) << Levels[level].name;
    game.Hold(AltKey);
    game.RunFrames(1);
    game.Tap('5');
    game.Release(AltKey);
    game.RunFrames(1);
    ContinueFromTheWin(game, player, level);
}

// Into the level from the level select, and won.
void WinLevel(TestGame& game, int level)
{
    ASSERT_TRUE(EnterLevel(game, Levels[level])) << Levels[level].name;
    WinThisLevel(game, level);
}
}

TEST(WholeGame, FromTheLogoThroughEveryLevelToTheCreditsWithProgressKeptAcrossARestart)
{
    std::string saved;
    {
        const auto game = StartFrontEnd(Logo, {{"Allow Cheats", "true"}});
        game->RasteriseSmall();
        ASSERT_NO_FATAL_FAILURE(PassTheLogo(*game));
        ClickOn(*game, "NewGame_Button");
        game->RunFrames(1);
        ClickOn(*game, "NewGame_Yes_Button");
        ASSERT_NO_FATAL_FAILURE(SkipCutscene(*game, "Resources/Cutscene.json"));
        ASSERT_NO_FATAL_FAILURE(ExpectLevelSelectOffers(*game, 0));

        ASSERT_TRUE(EnterLevel(*game, Levels[0]));
        if (const std::string missing = MissingForPlay(); !missing.empty())
            GTEST_SKIP() << missing;
        // The main menu's pictures are not carried through a level.
        EXPECT_TRUE(game->coordinator->ResourceManager.ImageReleased("MainMenu_Background"));
        // The first level played through its tutorial and won; Continue plays the second
        // cutscene.
        LevelPlayer player(*game);
        ASSERT_NO_FATAL_FAILURE(PlayTheAbandonedHouseByItsTutorial(*game, player));
        ASSERT_NO_FATAL_FAILURE(ContinueFromTheWin(*game, player, 0));
        ASSERT_NO_FATAL_FAILURE(SkipCutscene(*game, "Resources/CutsceneLevel1.json"));
        ASSERT_NO_FATAL_FAILURE(ExpectLevelSelectOffers(*game, 1));

        // The player quits from the main menu.
        ClickOn(*game, "LevelSelect_Back_Button");
        ASSERT_GE(RunUntilScene(*game, MainMenu, 200), 0);
        game->RunFrames(1);
        EXPECT_FALSE(game->coordinator->ResourceManager.ImageReleased("MainMenu_Background")) << "drawn again";
        ASSERT_TRUE(game->ShutDown());
        saved = game->SettingsText();
    }
    ASSERT_TRUE(SettingsFileIsValid(saved));

    // A second game on the same settings file: Continue goes straight to the level select, which
    // still offers the second level; the rest of the story follows.
    const auto game = TestGame::WithSettings(saved);
    game->RasteriseSmall();
    game->RunFrames(1);
    ASSERT_NO_FATAL_FAILURE(PassTheLogo(*game));
    WaitForOpenDoors(*game);
    ClickOn(*game, "Continue_Button");
    ASSERT_GE(RunUntilScene(*game, LevelSelect, 200), 0) << "no cutscene left to see";
    WaitForOpenDoors(*game);
    ASSERT_NO_FATAL_FAILURE(ExpectLevelSelectOffers(*game, 1));

    ASSERT_NO_FATAL_FAILURE(WinLevel(*game, 1));
    ASSERT_NO_FATAL_FAILURE(SkipCutscene(*game, "Resources/CutsceneLevel2.json"));
    ASSERT_NO_FATAL_FAILURE(ExpectLevelSelectOffers(*game, 2));
    ASSERT_NO_FATAL_FAILURE(WinLevel(*game, 2));
    ASSERT_NO_FATAL_FAILURE(SkipCutscene(*game, "Resources/CutsceneLevel3.json"));
    ASSERT_NO_FATAL_FAILURE(ExpectLevelSelectOffers(*game, 3));
    // The last level unlocks nothing more; Continue has no cutscene left.
    ASSERT_NO_FATAL_FAILURE(WinLevel(*game, 3));
    ASSERT_GE(RunUntilScene(*game, LevelSelect, 200), 0);
    WaitForOpenDoors(*game);

    // The credits from the main menu roll by themselves and lead back to it.
    ClickOn(*game, "LevelSelect_Back_Button");
    ASSERT_GE(RunUntilScene(*game, MainMenu, 200), 0);
    WaitForOpenDoors(*game);
    ClickOn(*game, "Credits_Button");
    ASSERT_GE(RunUntilScene(*game, Credits, 200), 0);
    EXPECT_TRUE(IsDrawn(*game, "Credits_Roll"));
    EXPECT_GE(RunUntilScene(*game, MainMenu, 60 * 45), 60 * 20) << "the credits play, then the main menu";
    EXPECT_TRUE(SettingsFileIsValid(game->SettingsText()));
}
