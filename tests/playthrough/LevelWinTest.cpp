#include "support/FirstLevelPlay.h"
#include "support/LevelGame.h"
#include "support/LevelPlayer.h"
#include "support/WorldSanity.h"

#include "engine/components/Transform.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"

#include <gtest/gtest.h>

// Every level won by a scripted squad through the mouse and keys alone, entered from the level
// select as a player enters it; and one lost by a squad that charges in. The first two levels
// are played by their tutorials, step by step.

namespace
{
// Game time a level may take: a careful player needs minutes, not hours.
constexpr int MinutesOfPlay = 60 * 60;

// Enters the level from the level select with the progress that reaches it; the reason to skip
// when it cannot be played yet.
std::string Enter(TestGame& game, const LevelEntry& level)
{
    if (!EnterLevel(game, level))
        return std::string(level.file) + " did not load";
    return MissingForPlay();
}

// Won: the level says so, the win pop-up comes up over the faded level, and the next level (if
// any) is unlocked in the settings file.
void ExpectWon(TestGame& game, LevelPlayer& player, int level)
{
    ASSERT_EQ(player.State(), GameState::Win);
    EXPECT_TRUE(player.RunUntil([&] { return IsDrawn(game, "WinPopup"); }, 300)) << "the win pop-up shows";
    if (level + 1 < 4)
        EXPECT_EQ(SettingsMember(game, Levels[level + 1].unlockKey), "true");
    else
        for (int i = 1; i < 4; ++i)
            EXPECT_EQ(SettingsMember(game, Levels[i].unlockKey), "true") << "nothing is locked again";
    EXPECT_TRUE(WorldIsSane(*game.coordinator));
}
}

TEST(LevelWin, TheAbandonedHouseByItsTutorial)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(0, false));
    if (const std::string missing = Enter(*game, Levels[0]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_NO_FATAL_FAILURE(PlayTheAbandonedHouseByItsTutorial(*game, player));
    ExpectWon(*game, player, 0);
}

TEST(LevelWin, TheFarmhouseByItsThrowingTutorial)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(1, false));
    if (const std::string missing = Enter(*game, Levels[1]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    ASSERT_EQ(player.TutorialStep(), 11);
    // 11: the panel on throwing closes by itself; 12: Q aims a grenade at the pen's pack.
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 12; }, 1800)) << "the first panel";
    player.SelectAll();
    const Vector2 pack = player.NearestPack();
    player.AimThrow('Q', pack);
    ASSERT_EQ(player.TutorialStep(), 13) << "aiming began";
    // 13: clicks do nothing until the panel has closed; 14: the click throws.
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 14; }, 1800)) << "the second panel";
    const std::size_t zombies = player.Zombies().size();
    player.ReleaseThrow();
    EXPECT_EQ(TutorialLogicInstance(), nullptr) << "the throw ends the tutorial";
    EXPECT_EQ(SettingsMember(*game, "Tutorial 2 Cleared"), "true");
    player.RunUntil([&] { return player.Zombies().size() < zombies; }, 300);
    EXPECT_LT(player.Zombies().size(), zombies) << "the grenade killed";

    EXPECT_EQ(player.HuntZombies(MinutesOfPlay, {}, true), GameState::Win);
    ExpectWon(*game, player, 1);
}

TEST(LevelWin, TheWarehouse)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(2, true));
    if (const std::string missing = Enter(*game, Levels[2]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    EXPECT_EQ(player.HuntZombies(2 * MinutesOfPlay, {}, true), GameState::Win);
    ExpectWon(*game, player, 2);
}

TEST(LevelWin, TheTownHall)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(3, true));
    if (const std::string missing = Enter(*game, Levels[3]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    EXPECT_EQ(player.HuntZombies(3 * MinutesOfPlay, {}, true), GameState::Win);
    ExpectWon(*game, player, 3);
}

TEST(LevelLoss, ASquadThatChargesInLosesAndSeesTheLosePopup)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(3, true));
    if (const std::string missing = Enter(*game, Levels[3]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    // Straight into the thick of them, breaching whatever is in the way, never reloading or
    // healing.
    ASSERT_EQ(player.ChargeIn(MinutesOfPlay), GameState::Lose) << "the squad died";
    EXPECT_TRUE(player.Soldiers().empty());
    EXPECT_TRUE(player.RunUntil([&] { return IsDrawn(*game, "LosePopup"); }, 300)) << "the lose pop-up shows";
    EXPECT_FALSE(IsDrawn(*game, "WinPopup"));
    EXPECT_EQ(SettingsMember(*game, "Unlocked TownHall"), "true") << "a loss takes no progress away";
}
