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

Vector2 FirstHintMarker(LevelPlayer& player)
{
    const bTutorialLogic* tutorial = TutorialLogicInstance();
    if (tutorial == nullptr || tutorial->HintMarkers.empty())
        return player.SquadCentre();
    return player.PositionOf(tutorial->HintMarkers.front());
}
}

TEST(LevelWin, TheAbandonedHouseByItsTutorial)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(0, false));
    if (const std::string missing = Enter(*game, Levels[0]); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    ASSERT_EQ(player.TutorialStep(), 1);

    // 1: a box around the squad selects it.
    const Vector2 start = player.SquadCentre();
    player.BoxSelect({start.x - 160.5f, start.y - 160.5f}, {start.x + 160.5f, start.y + 160.5f});
    ASSERT_EQ(player.TutorialStep(), 2) << "a box selection";
    // 2: a number key selects one soldier.
    player.Key('1');
    ASSERT_EQ(player.TutorialStep(), 3) << "a selection key";
    // 3: a move order into the circle.
    player.WalkTo(FirstHintMarker(player), 50.0f, 600);
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() >= 4; }, 60)) << "a move into the circle";
    // 4: the windows are shown; the panel closes by itself.
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 5; }, 1800)) << "the windows' panel";
    // 5: a right drag turns the soldier.
    player.Face({1.0f, 0.0f});
    ASSERT_EQ(player.TutorialStep(), 6) << "a facing order";
    // 6: up to the front door, whose button then shows; 7: F kicks it in.
    player.SelectAll();
    const std::vector<Entity> doors = player.Tagged("DOOR");
    ASSERT_FALSE(doors.empty());
    Entity frontDoor = doors.front();
    for (Entity door : doors)
        if (std::hypot(player.PositionOf(door).x - start.x, player.PositionOf(door).y - start.y) <
            std::hypot(player.PositionOf(frontDoor).x - start.x, player.PositionOf(frontDoor).y - start.y))
            frontDoor = door;
    const Vector2 door = player.PositionOf(frontDoor);
    player.WalkTo({door.x - 60.0f, door.y}, 90.0f, 900);
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 7; }, 120)) << "a soldier at the door";
    player.Key('F');
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 8; }, 30)) << "the breach";
    EXPECT_FALSE(game->coordinator->IsAlive(frontDoor));
    // 8: into the house until a zombie's claws reach a soldier.
    player.HuntZombies(MinutesOfPlay, [&] { return player.TutorialStep() != 8; });
    ASSERT_EQ(player.TutorialStep(), 9) << "a soldier took damage";
    // 9: the hurt soldier heals (which closes the panel).
    Entity hurt = NO_ENTITY;
    for (Entity soldier : player.Soldiers())
        if (hurt == NO_ENTITY || player.HealthShare(soldier) < player.HealthShare(hurt))
            hurt = soldier;
    player.SelectOne(hurt);
    player.Key('E');
    player.SelectAll();
    // The trigger in the doorway to the hall takes the tutorial to its last step.
    const std::vector<Entity> triggers = player.Tagged("TUTOR9");
    ASSERT_FALSE(triggers.empty());
    // Through the living room to it, fighting on the way.
    for (int order = 0; order < 60 && player.TutorialStep() == 9 && !player.Soldiers().empty(); ++order)
    {
        player.LookAfterSquad();
        player.WalkTo(player.PositionOf(triggers.front()), 40.0f, 300);
    }
    ASSERT_TRUE(player.RunUntil([&] { return player.TutorialStep() == 10; }, 120))
        << "the trigger at " << player.PositionOf(triggers.front()).x << ", " << player.PositionOf(triggers.front()).y
        << "; squad at " << player.SquadCentre().x << ", " << player.SquadCentre().y << "; step "
        << player.TutorialStep() << "; zombies " << player.Zombies().size();
    // 10: R finishes the tutorial, which is saved as cleared.
    player.Key('R');
    EXPECT_EQ(TutorialLogicInstance(), nullptr);
    EXPECT_EQ(SettingsMember(*game, "Tutorial 1 Cleared"), "true");

    EXPECT_EQ(player.HuntZombies(MinutesOfPlay), GameState::Win);
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
