#include "support/FlowFixtureGame.h"
#include "support/SoundProbe.h"
#include "support/WorldSanity.h"

#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Transform.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/DoorButtonPool.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <gtest/gtest.h>

namespace
{
// A wall at x 900 across the whole grid with three gaps, each closed by a door (y 200, 540,
// 880; reach 150). Door_1 names the lights Room_Light_A, Room_Light_B and one that does not
// exist; every light starts switched off. One soldier stands at (400, 540), out of every reach.
struct Doors : testing::Test
{
    std::unique_ptr<TestGame> game = FlowFixtureGame("Doors.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");

    void SetUp() override
    {
        ASSERT_TRUE(soldier);
        game->RunFrames(1);
    }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    std::shared_ptr<bDoorBehaviour> Door(int number) { return game->Behaviour<bDoorBehaviour>("Door_" + std::to_string(number)); }
    void PutSoldierAt(Vector2 point)
    {
        PlaceEntityAt(coordinator, soldier->entity, point);
        game->RunFrames(2);
    }
    std::shared_ptr<IBehaviour> ButtonBehaviour(Entity button)
    {
        std::shared_ptr<IBehaviour> behaviour;
        coordinator.GetBehaviour(button, behaviour);
        return behaviour;
    }
    char CellAt(float x, float y)
    {
        const auto grid = game->Behaviour<bUniqueGrid>("PathfindingGrid");
        const auto column = static_cast<std::size_t>(x / grid->TileSize);
        const auto row = static_cast<std::size_t>(y / grid->TileSize);
        return grid->OccupancyMap[column + grid->Columns * row];
    }
    // The pool holds four live "Door_Button"s, none lent, each hidden.
    void ExpectFreshPool()
    {
        ASSERT_EQ(DoorButtonPool().size(), 4u);
        for (const auto& [button, lent] : DoorButtonPool())
        {
            ASSERT_TRUE(coordinator.IsAlive(button));
            EXPECT_EQ(coordinator.GetComponent<Identifier>(button)->name.rfind("Door_Button", 0), 0u);
            EXPECT_FALSE(lent);
            EXPECT_FALSE(ButtonBehaviour(button)->active);
        }
    }
};
}

TEST_F(Doors, FourButtonsServeThreeDoorsLentWhileASoldierIsInReach)
{
    EXPECT_EQ(LiveDoorCount(), 3);
    ExpectFreshPool();
    const Entity first = DoorButtonPool().begin()->first;

    PutSoldierAt({820.0f, 200.0f});
    ASSERT_EQ(Door(1)->Button, first) << "the first free button goes to the door in reach";
    EXPECT_TRUE(DoorButtonPool()[first]);
    EXPECT_TRUE(ButtonBehaviour(first)->active);
    EXPECT_EQ(ButtonBehaviour(first)->boundEntity, Door(1)->entity);
    EXPECT_EQ(Door(2)->Button, NO_ENTITY);
    game->RunFrames(1);
    EXPECT_FLOAT_EQ(coordinator.GetComponent<Transform>(first)->position.x, 900.0f) << "the button sits on its door";

    // Soldiers hand back the buttons of doors they see out of reach.
    PutSoldierAt({750.0f, 300.0f});
    EXPECT_EQ(Door(1)->Button, NO_ENTITY) << "a door out of every reach hands its button back";
    ExpectFreshPool();
    PutSoldierAt({820.0f, 540.0f});
    EXPECT_EQ(Door(2)->Button, first);
    EXPECT_TRUE(DoorButtonPool()[first]);

    PutSoldierAt({700.0f, 540.0f});
    EXPECT_EQ(Door(2)->Button, NO_ENTITY);
    ExpectFreshPool();
}

TEST_F(Doors, ABreachOpensTheWayLightsTheRoomAndAdvancesTheDoorLessonOnce)
{
    PutSoldierAt({820.0f, 200.0f});
    // Held by id only: the test must not keep the door's behaviour alive.
    const Entity door = Door(1)->entity;
    const Entity button = Door(1)->Button;
    ASSERT_NE(button, NO_ENTITY);
    EXPECT_EQ(CellAt(900.0f, 200.0f), '1');
    soldier->MoveTo(coordinator, {1100.0f, 200.0f});
    EXPECT_TRUE(soldier->Waypoints.empty()) << "no path leads through a closed door";

    bTutorialLogic lesson;
    lesson.TutorialLevel = 1;
    lesson.TutorialStep = 7;
    TutorialLogicInstance() = &lesson;
    SoundProbe kick(game->Sound(), "DoorKick_false_SFX_");

    soldier->Breach(coordinator);
    game->RunFrames(1);
    EXPECT_FALSE(coordinator.IsAlive(door));
    EXPECT_TRUE(kick.Played());
    // The walls beside the gap still put their margin on it.
    EXPECT_EQ(CellAt(900.0f, 200.0f), '.') << "the door's cells are open in the same frame";
    EXPECT_TRUE(game->Component<Lighting>("Room_Light_A")->enabled);
    EXPECT_TRUE(game->Component<Lighting>("Room_Light_B")->enabled);
    EXPECT_FALSE(game->Component<Lighting>("Room_Light_C")->enabled) << "only the lights the door names";
    EXPECT_FALSE(DoorButtonPool()[button]);
    EXPECT_FALSE(ButtonBehaviour(button)->active);
    EXPECT_EQ(LiveDoorCount(), 2);
    game->RunFrames(3);
    EXPECT_EQ(lesson.TutorialStep, 8) << "advanced once";
    EXPECT_FALSE(kick.Played());
    TutorialLogicInstance() = nullptr;

    soldier->MoveTo(coordinator, {1100.0f, 200.0f});
    for (int frame = 0; frame < 400 && game->Component<Transform>("Player_1")->position.x < 1050.0f; ++frame)
        game->RunFrames(1);
    EXPECT_GE(game->Component<Transform>("Player_1")->position.x, 1050.0f) << "the soldier walks through";
}

TEST_F(Doors, TheLastDoorEmptiesThePoolAndTheNextSceneSpawnsFreshButtons)
{
    for (int number : {1, 2, 3})
        Door(number)->active = false;
    game->RunFrames(1);
    EXPECT_EQ(LiveDoorCount(), 0);
    EXPECT_TRUE(DoorButtonPool().empty());

    for (int load = 0; load < 2; ++load)
    {
        SCOPED_TRACE(load == 0 ? "after every door was breached" : "leaving a scene with its doors closed");
        coordinator.PendingScene = coordinator.CurrentScene;
        game->RunFrames(2);
        EXPECT_EQ(LiveDoorCount(), 3);
        ExpectFreshPool();
    }
}
