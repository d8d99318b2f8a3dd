#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/GridSpec.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// A 1920 by 1088 grid of 64-unit cells; a wall stands at x 940 to 980 from y 200 up, so the way
// from the soldier's side (it starts at (400, 600)) to the other leads below it.
struct SoldierMove : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Move.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    std::shared_ptr<bUniqueGrid> grid = game->Behaviour<bUniqueGrid>("PathfindingGrid");
    Transform* transform = nullptr;
    PhysicsMovement* movement = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(soldier && grid);
        transform = coordinator.GetComponent<Transform>(soldier->entity);
        movement = coordinator.GetComponent<PhysicsMovement>(soldier->entity);
        game->RunFrames(1);
    }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    bool HasMoveForce() const
    {
        return std::any_of(movement->forces.begin(), movement->forces.end(),
                           [](const Force& force) { return force.name == "Move"; });
    }
    std::size_t WaypointCount() const
    {
        return static_cast<std::size_t>(std::distance(soldier->Waypoints.begin(), soldier->Waypoints.end()));
    }
    static Vector2 Centre(const Cell& cell) { return {cell.x * 64.0f + 32.0f, cell.y * 64.0f + 32.0f}; }
    static float DistanceSq(const Vector2& a, const Vector2& b)
    {
        return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
    }
};
}

TEST_F(SoldierMove, AnOpenWayIsAStraightRunToThePoint)
{
    soldier->MoveTo(coordinator, {600.0f, 600.0f});
    EXPECT_TRUE(soldier->StraightMove);
    EXPECT_TRUE(soldier->Waypoints.empty());
    EXPECT_TRUE(HasMoveForce());
    EXPECT_EQ(movement->velocity.x, 150.0f);
    EXPECT_EQ(movement->velocity.y, 0.0f);
    EXPECT_TRUE(soldier->IsMoving(coordinator));
    game->RunFrames(120);
    EXPECT_FALSE(soldier->IsMoving(coordinator)) << "the run's force lasts as long as the run takes";
    // The speed halves every step once the force has ended: a few units of coasting.
    EXPECT_NEAR(transform->position.x, 600.0f, 6.0f);
    EXPECT_NEAR(transform->position.y, 600.0f, 0.01f);
}

TEST_F(SoldierMove, AWallInTheWayGivesAPathFollowedCellByCellToTheDestination)
{
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    ASSERT_FALSE(soldier->Waypoints.empty());
    EXPECT_FALSE(HasMoveForce()) << "a path brings no straight-run force";
    EXPECT_FALSE(soldier->StraightMove);
    const Cell destination = soldier->DestinationCell;
    EXPECT_EQ(destination, (Cell{21, 9}));
    for (const Cell& cell : soldier->Waypoints)
        EXPECT_NE(grid->OccupancyMap[static_cast<std::size_t>(cell.y) * 30 + static_cast<std::size_t>(cell.x)], '1');

    // Waypoints are passed within sqrt(200) of their centre, the destination within sqrt(50).
    Vector2 before = transform->position;
    std::size_t count = WaypointCount();
    int frames = 0;
    while (!soldier->Waypoints.empty() && frames++ < 1200)
    {
        const Cell aim = soldier->Waypoints.front();
        game->RunFrames(1);
        if (WaypointCount() < count)
        {
            EXPECT_LT(DistanceSq(before, Centre(aim)), aim == destination ? 50.0f : 200.0f)
                << "cell " << aim.x << "," << aim.y;
            count = WaypointCount();
        }
        EXPECT_FALSE(transform->position.x > 940.0f - 20.0f && transform->position.x < 980.0f + 20.0f &&
                     transform->position.y > 200.0f - 20.0f)
            << "through the wall at " << transform->position.x << "," << transform->position.y;
        before = transform->position;
    }
    ASSERT_TRUE(soldier->Waypoints.empty());
    game->RunFrames(60);
    EXPECT_LT(DistanceSq(transform->position, Centre(destination)), 15.0f * 15.0f) << "it comes to rest there";
}

TEST_F(SoldierMove, ASoldierOutsideTheLevelIsPutBackHome)
{
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    game->RunFrames(10);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const Vector2& away : {Vector2{4000.0f, 600.0f}, Vector2{400.0f, -800.0f}, Vector2{nan, 600.0f}})
    {
        SCOPED_TRACE(testing::Message() << away.x << "," << away.y);
        PlaceEntityAt(coordinator, soldier->entity, away);
        game->RunFrames(1);
        EXPECT_EQ(transform->position.x, 400.0f);
        EXPECT_EQ(transform->position.y, 600.0f);
        EXPECT_TRUE(soldier->Waypoints.empty());
        EXPECT_EQ(movement->velocity.x, 0.0f);
        EXPECT_EQ(movement->velocity.y, 0.0f);
    }
}

TEST_F(SoldierMove, AnOrderOntoItsOwnPointStopsItWhereItStands)
{
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    transform->rotation = 1.0f;
    soldier->FacingLocked = false;
    game->RunFrames(5);
    const float facing = transform->rotation;
    const Vector2 here = transform->position;
    soldier->MoveTo(coordinator, here);
    EXPECT_TRUE(soldier->Waypoints.empty());
    EXPECT_FALSE(HasMoveForce());
    EXPECT_EQ(movement->velocity.x, 0.0f);
    EXPECT_EQ(movement->velocity.y, 0.0f);
    EXPECT_EQ(transform->rotation, facing);
    game->RunFrames(30);
    EXPECT_LT(DistanceSq(transform->position, here), 4.0f) << "no run, and not sent home";
}

TEST_F(SoldierMove, AtTheGridsFarEdgeTheStartIsTheLastColumn)
{
    PlaceEntityAt(coordinator, soldier->entity, {1920.0f, 100.0f});
    game->RunFrames(1);
    soldier->MoveTo(coordinator, {400.0f, 600.0f});
    ASSERT_FALSE(soldier->Waypoints.empty()) << "a start beyond the last column would find no path";
    const Cell first = soldier->Waypoints.front();
    EXPECT_GE(first.x, 28);
    EXPECT_LE(first.y, 2);
}

TEST_F(SoldierMove, APointWithoutACellKeepsTheOldPath)
{
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    const std::size_t count = WaypointCount();
    ASSERT_GT(count, 0u);
    // Inside the wall's cells and their neighbours along the row: WorldToCell finds none free.
    grid->OccupancyMap.assign(grid->OccupancyMap.size(), '1');
    soldier->MoveTo(coordinator, {1500.0f, 800.0f});
    EXPECT_EQ(WaypointCount(), count);
}

// A grid narrower than its column count has cells of 0 units: no cell, no path, no division.
TEST_F(SoldierMove, AGridWithoutCellsFindsNoPath)
{
    grid->Columns = 1000;
    grid->Rows = 1000;
    grid->TileSize = 0.5f;
    grid->Awake(coordinator);
    ASSERT_EQ(grid->Grid->width / grid->Grid->columns, 0u);
    EXPECT_FALSE(WorldToCell(*grid, {1400.0f, 600.0f}).found);
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    EXPECT_TRUE(soldier->Waypoints.empty());
    game->RunFrames(30);
}

// The move lesson of the tutorial takes only orders into its first hint marker's circle; with
// no marker placed there is nothing to aim at and every order is taken.
TEST_F(SoldierMove, TheMoveLessonTakesOnlyOrdersIntoItsMarker)
{
    bTutorialLogic tutorial;
    tutorial.TutorialStep = 3;
    TutorialLogicInstance() = &tutorial;

    soldier->MoveTo(coordinator, {500.0f, 600.0f});
    EXPECT_TRUE(soldier->StraightMove) << "no hint marker: the order is taken";
    soldier->StopPath(coordinator);
    soldier->StraightMove = false;
    EXPECT_EQ(tutorial.TutorialStep, 4) << "a taken order ends the lesson";
    tutorial.TutorialStep = 3;

    const Entity marker = InstantiatePrefab(coordinator, "Plus_Icon");
    PlaceEntityAt(coordinator, marker, {700.0f, 600.0f});
    coordinator.GetComponent<Renderer>(marker)->scaleX = 120.0f;
    tutorial.HintMarkers = {marker};
    soldier->MoveTo(coordinator, {1400.0f, 600.0f});
    EXPECT_TRUE(soldier->Waypoints.empty()) << "outside the circle: no path";
    EXPECT_FALSE(soldier->StraightMove);
    EXPECT_EQ(soldier->MoveTarget.x, 500.0f) << "the order is not even noted";
    soldier->MoveTo(coordinator, {819.0f, 600.0f});
    EXPECT_TRUE(soldier->StraightMove) << "inside the circle";

    TutorialLogicInstance() = nullptr;
}
