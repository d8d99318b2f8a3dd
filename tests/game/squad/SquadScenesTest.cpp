#include "SquadControlScenes.h"

#include "engine/components/Font.h"
#include "engine/systems/sFontSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/SceneMusic.h"

#include <functional>

TEST(SceneMusic, IsChosenByTheSceneEnteredAndTheSceneLeft)
{
    const struct
    {
        const char* entering;
        const char* leaving;
        const char* music;
    } cases[] = {
        {"Resources/mainMenu.json", "Resources/LevelSelect.json", "BGM1_true_gameBGM_"},
        {"Resources/Credits.json", "Resources/mainMenu.json", "BGM1_true_gameBGM_"},
        {"", "Resources/LogoScene.json", "BGM1_true_gameBGM_"},
        {"Resources/Level_Farmhouse.json", "Resources/LogoScene.json", "BGM1_true_gameBGM_"},
        {"Resources/Level_Farmhouse.json", "Resources/LevelSelect.json", "Ambient2_true_gameBGM_"},
        {"Resources/CutsceneLevel1.json", "Resources/LevelSelect.json", "Ambient3_true_gameBGM_"},
        {"Resources/Cutscene.json", "Resources/mainMenu.json", "Ambient3_true_gameBGM_"},
        {"Resources/LevelSelect.json", "Resources/mainMenu.json", "Ambient3_true_gameBGM_"},
        {"Resources/credits.json", "Resources/mainMenu.json", ""},
        {"Resources/LogoScene.json", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SceneMusic(c.entering, c.leaving), c.music) << c.entering << " from " << c.leaving;
}

TEST_F(SquadControlTest, ALeftPressInACutsceneCompletesTypingAndHidesUntimedImages)
{
    Start("CutsceneSkip.json");
    EXPECT_FALSE(bGameController::SquadPresent());
    EXPECT_TRUE(controller->SquadMarkers.empty());
    EXPECT_NE(controller->SelectionArea, 0);
    EXPECT_FALSE(IsDrawn(controller->SelectionArea));
    game->RunFrames(3);
    auto story = game->Behaviour<bFontBehaviour>("Story");
    ASSERT_LT(story->TypedCount, story->FullText.size()) << "still typing";

    game->Press(LeftButton);
    EXPECT_EQ(game->Component<Font>("Story")->message, "THE NIGHT THEY CAME");
    EXPECT_EQ(story->TypedCount, story->FullText.size());
    EXPECT_FALSE(game->Behaviour<bImageBehaviour>("Still")->active);
    EXPECT_TRUE(game->Behaviour<bImageBehaviour>("Fading")->active) << "a timed effect plays on";
    EXPECT_TRUE(game->Behaviour<bImageBehaviour>("Flickering")->active);
    EXPECT_EQ(game->Behaviour<bImageBehaviour>("Flickering")->FXDuration, 0.0f);
    game->RunFrames(3);
    EXPECT_EQ(game->Component<Font>("Story")->message, "THE NIGHT THEY CAME");
}

TEST_F(SquadControlTest, DebugKeysActOnlyWithCheatsAllowed)
{
    Start("ControlRules.json");
    GameLogicInstance()->CurrentState = GameState::Playing;
    auto first = SoldierBehaviour(1);
    auto second = SoldierBehaviour(2);
    second->Invulnerable = true;
    const auto altWith = [&](int digit) {
        game->Hold(18);
        game->RunFrames(2);
        Key(digit);
        game->Release(18);
        game->RunFrames(2);
    };

    // Without cheats Alt changes nothing: the digits select as they always do.
    altWith('1');
    EXPECT_FALSE(first->Invulnerable);
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    altWith('7');
    EXPECT_FALSE(World().LevelUnlocked[3]);

    World().AllowCheats = true;
    Key('5');
    // Each soldier's flag is flipped on its own; a toggle does not also select.
    altWith('1');
    EXPECT_TRUE(first->Invulnerable);
    EXPECT_FALSE(second->Invulnerable);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3}));
    const struct
    {
        int digit;
        std::function<bool(const bPlayerBehaviour&)> flag;
    } toggles[] = {
        {'2', [](const bPlayerBehaviour& s) { return s.WeaponStats.InfiniteAmmo; }},
        {'3', [](const bPlayerBehaviour& s) { return s.WeaponStats.InstantKill; }},
        {'4', [](const bPlayerBehaviour& s) { return s.InfiniteExplosives; }},
    };
    for (const auto& toggle : toggles)
    {
        altWith(toggle.digit);
        for (int number = 1; number <= 3; ++number)
            EXPECT_TRUE(toggle.flag(*SoldierBehaviour(number))) << char(toggle.digit) << " soldier " << number;
        altWith(toggle.digit);
        EXPECT_FALSE(toggle.flag(*first)) << char(toggle.digit) << " flips back";
    }

    // The unlock key opens every level and cutscene and writes the settings at once.
    altWith('7');
    for (const auto& level : World().LevelUnlocked)
        EXPECT_TRUE(level.second) << "level " << level.first;
    for (const auto& cutscene : World().CutsceneCleared)
        EXPECT_TRUE(cutscene.second) << cutscene.first;
    EXPECT_EQ(World().HighestUnlockedLevel, 3);
    EXPECT_TRUE(World().LevelsChanged);
    const std::string written = game->SettingsText();
    for (const char* key : {"\"Unlocked TownHall\"", "\"Fourth Cutscene Cleared\""})
    {
        const std::size_t at = written.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_EQ(written.compare(written.find_first_of("tf", written.find(':', at)), 4, "true"), 0) << key;
    }

    // Paused: the toggles wait.
    GameLogicInstance()->CurrentState = GameState::Paused;
    altWith('1');
    EXPECT_TRUE(first->Invulnerable);
}
