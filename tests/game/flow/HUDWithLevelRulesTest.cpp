#include "support/FrontEndGame.h"
#include "support/HudGame.h"

#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The HUD under the real level rules, used with the mouse: the pause button and the pause menu
// hide and restore the HUD, and the win and lose pop-ups appear.

namespace
{
// The HUD's groups that the level rules hide while paused.
const std::vector<std::string> HudGroups = {"HUD_Bar", "ZombieCounter", "Player1_DP", "Player2_DP", "Player_HUD",
                                            "HealthBar", "Player_AmmoClip", "HUD_Key_Reload", "Pause_Button"};

// A level under real rules, or null (the test skips) where the rules do not run yet.
std::unique_ptr<TestGame> RealRulesLevel()
{
    auto game = HudGame("RealRules.json");
    if (GameLogicInstance() == nullptr)
        return nullptr;
    return game;
}

void RunUntilPlaying(TestGame& game)
{
    for (int frame = 0; frame < 600 && GameLogicInstance()->CurrentState != GameState::Playing; ++frame)
        game.RunFrames(1);
    ASSERT_EQ(GameLogicInstance()->CurrentState, GameState::Playing);
    game.RunFrames(2);
}

void ExpectDrawn(TestGame& game, const std::vector<std::string>& names, bool drawn)
{
    for (const std::string& name : names)
        EXPECT_EQ(IsDrawn(game, name), drawn) << name;
}
}

TEST(HudWithLevelRules, ThePauseButtonAndMenuHideAndRestoreTheHud)
{
    const auto game = RealRulesLevel();
    if (game == nullptr)
        FAIL() << "the level rules did not publish themselves";
    RunUntilPlaying(*game);
    ExpectDrawn(*game, HudGroups, true);
    ExpectDrawn(*game, {"Pause_Menu", "Resume_Game_Button"}, false);

    ClickOn(*game, "Pause_Button");
    game->RunFrames(2);
    EXPECT_EQ(GameLogicInstance()->CurrentState, GameState::Paused);
    ExpectDrawn(*game, HudGroups, false);
    ExpectDrawn(*game, {"Pause_Overlay", "Pause_Menu", "Resume_Game_Button", "Settings_Button"}, true);

    // The settings page opens over the paused level and leads back to the menu.
    ClickOn(*game, "Settings_Button");
    game->RunFrames(1);
    ExpectDrawn(*game, {"SoundSetting", "SliderButtonMaster", "MuteButton", "Settings_Back_Button"}, true);
    ExpectDrawn(*game, {"Pause_Menu", "Resume_Game_Button"}, false);
    ClickOn(*game, "Settings_Back_Button");
    game->RunFrames(1);
    ExpectDrawn(*game, {"SoundSetting", "SliderButtonMaster"}, false);

    ClickOn(*game, "Resume_Game_Button");
    game->RunFrames(2);
    EXPECT_EQ(GameLogicInstance()->CurrentState, GameState::Playing);
    ExpectDrawn(*game, HudGroups, true);
    ExpectDrawn(*game, {"Pause_Overlay", "Pause_Menu", "Resume_Game_Button", "Settings_Button"}, false);
}

TEST(HudWithLevelRules, WinAndLoseShowTheirPopUpsAfterTheFade)
{
    for (const GameState verdict : {GameState::Win, GameState::Lose})
    {
        const auto game = RealRulesLevel();
        if (game == nullptr)
            FAIL() << "the level rules did not publish themselves";
        const bool won = verdict == GameState::Win;
        SCOPED_TRACE(won ? "win" : "lose");
        if (won)
            GameLogicInstance()->Win(*game->coordinator);
        else
            GameLogicInstance()->Lose(*game->coordinator, false);
        const std::string popup = won ? "WinPopup" : "LosePopup";
        const std::string other = won ? "LosePopup" : "WinPopup";
        game->RunFrames(20);
        EXPECT_TRUE(IsDrawn(*game, "FadeIn_Overlay"));
        EXPECT_FALSE(IsDrawn(*game, popup));
        game->RunFrames(60);
        ExpectDrawn(*game, {popup, won ? "Win_Continue" : "Lose_Continue", won ? "Win_Playagain" : "Lose_Playagain"},
                    true);
        EXPECT_FALSE(IsDrawn(*game, other));
    }
}
