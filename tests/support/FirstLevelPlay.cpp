#include "support/FirstLevelPlay.h"

#include "support/FrontEndGame.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// Game time the level may take: a careful player needs minutes, not hours.
constexpr int MinutesOfPlay = 60 * 60;

Vector2 FirstHintMarker(LevelPlayer& player)
{
    const bTutorialLogic* tutorial = TutorialLogicInstance();
    if (tutorial == nullptr || tutorial->HintMarkers.empty())
        return player.SquadCentre();
    return player.PositionOf(tutorial->HintMarkers.front());
}
}

void PlayTheAbandonedHouseByItsTutorial(TestGame& game, LevelPlayer& player)
{
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
    EXPECT_FALSE(game.coordinator->IsAlive(frontDoor));
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
    EXPECT_EQ(SettingsMember(game, "Tutorial 1 Cleared"), "true");

    ASSERT_EQ(player.HuntZombies(MinutesOfPlay), GameState::Win);
}
