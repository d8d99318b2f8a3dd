#include "engine/core/Json.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearch.h"
#include "game/squad/bUniqueGrid.h"
#include "support/AssertCapture.h"
#include "support/PhysicsWorld.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

namespace
{
struct UniqueGridTest : testing::Test
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    bUniqueGrid grid;

    void SetUp() override
    {
        grid.RegisterTag = "WALL";
        grid.TileSize = 64.0f;
        grid.Columns = 10;
        grid.Rows = 5;
    }

    std::vector<std::string> MapRows() const
    {
        std::vector<std::string> rows;
        for (std::uint32_t r = 0; r < grid.Grid->rows; ++r)
            rows.emplace_back(grid.OccupancyMap.begin() + r * grid.Grid->columns,
                              grid.OccupancyMap.begin() + (r + 1) * grid.Grid->columns);
        return rows;
    }
};
}

TEST_F(UniqueGridTest, TheGridSpansTheTilesPlusTheOrigin)
{
    grid.Awake(coordinator);
    EXPECT_EQ(grid.Grid->width, 640u);
    EXPECT_EQ(grid.Grid->height, 320u);
    EXPECT_EQ(grid.Grid->width / grid.Grid->columns, 64u);
    EXPECT_EQ(grid.OccupancyMap.size(), 50u);

    grid.GridOrigin_X = 100.0f;
    grid.Awake(coordinator);
    EXPECT_EQ(grid.Grid->width, 740u);
    EXPECT_EQ(grid.Grid->width / grid.Grid->columns, 74u);
    EXPECT_EQ(grid.Grid->originX, 100.0f);

    grid.Columns = 0;
    grid.Rows = 0;
    grid.Awake(coordinator);
    EXPECT_EQ(grid.Grid->columns, 1u);
    EXPECT_EQ(grid.Grid->rows, 1u);
    EXPECT_EQ(grid.OccupancyMap.size(), 1u);
}

TEST_F(UniqueGridTest, TaggedCollidersBlockTheirCellsWithAOneCellMargin)
{
    // x 110..210 (columns 1 to 3), y 40..100 (rows 0 and 1).
    const Entity wall = world.Collider("Wall", ColliderRectangle, {160, 70}, {100, 60}, {}, {"WALL"});
    world.Collider("Crate", ColliderRectangle, {500, 250}, {60, 60}, {}, {"CRATE"});
    grid.Awake(coordinator);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{
                             ".111.     ",
                             ".111.     ",
                             ".....     ",
                             "          ",
                             "          ",
                         }));

    // A door that opens takes itself out of the grid and has the map rebuilt.
    grid.Grid->Remove(wall);
    grid.BuildOccupancyMap();
    for (const std::string& row : MapRows())
        EXPECT_EQ(row, "          ");
}

TEST_F(UniqueGridTest, AwakeForgetsQuarterTurnSwapsBeforeInserting)
{
    const Entity wall = world.Collider("Wall", ColliderRectangle, {320, 32}, {200, 20}, {}, {"WALL"});
    world.TransformOf(wall).rotation = 1.5707964f;
    world.CollisionOf(wall).extentsSwapped = true;
    grid.Awake(coordinator);
    EXPECT_TRUE(world.CollisionOf(wall).extentsSwapped);
    EXPECT_EQ(world.ShapeOf(wall).size.x, 20.0f) << "swapped afresh for the new grid";
}

TEST_F(UniqueGridTest, PathsAvoidTheBlockedCells)
{
    world.Collider("Wall", ColliderRectangle, {288, 128}, {20, 256}, {}, {"WALL"}); // column 4, rows 0..3
    grid.Awake(coordinator);
    const CellLookup start = WorldToCell(grid, {32, 32});
    const CellLookup goal = WorldToCell(grid, {600, 32});
    ASSERT_TRUE(start.found && goal.found);
    Path path;
    FindPath(grid, path, {start.column, start.row}, {goal.column, goal.row});
    ASSERT_FALSE(path.empty());
    bool crossedBelowTheWall = false;
    for (const Cell& cell : path)
    {
        EXPECT_NE(grid.OccupancyMap[static_cast<std::size_t>(cell.y * 10 + cell.x)], '1');
        crossedBelowTheWall |= cell.x == 4 && cell.y == 4;
    }
    EXPECT_TRUE(crossedBelowTheWall);
}

TEST_F(UniqueGridTest, DeserializeReadsTheSixKeys)
{
    rapidjson::Document document;
    document.Parse(R"({"GridOrigin_X": -64, "GridOrigin_Y": 32.5, "TileSize": 48, "Columns": 12, "Rows": 7,
                       "RegisterTag": "OBSTACLE"})");
    bUniqueGrid read;
    read.Deserialize(document);
    EXPECT_EQ(read.GridOrigin_X, -64.0f);
    EXPECT_EQ(read.GridOrigin_Y, 32.5f);
    EXPECT_EQ(read.TileSize, 48.0f);
    EXPECT_EQ(read.Columns, 12u);
    EXPECT_EQ(read.Rows, 7u);
    EXPECT_EQ(read.RegisterTag, "OBSTACLE");

    document.Parse(R"({"GridOrigin_X": 0, "GridOrigin_Y": 0, "TileSize": 48, "Columns": -2, "Rows": 7,
                       "RegisterTag": "OBSTACLE"})");
    EXPECT_EQ(AssertMessageOf([&] { read.Deserialize(document); }), "JSON ERROR");
    document.Parse(R"({"GridOrigin_X": 0, "GridOrigin_Y": 0, "TileSize": 48, "Rows": 7, "RegisterTag": "OBSTACLE"})");
    EXPECT_EQ(AssertMessageOf([&] { read.Deserialize(document); }), "JSON ERROR");
}
