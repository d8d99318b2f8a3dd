#include "engine/systems/GridSpec.h"
#include "support/AssertCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
// The broadphase the entry builds: columns 485 wide; rows 267 high starting at 0, 267, 535, 802,
// 1070, 1337, 1605, 1872 above the origin (one-unit gaps above rows 1, 3, 5 and 7's end at 2139).
GridSpec Broadphase()
{
    return GridSpec(3880, 2140, -630.0f, -700.0f, 8, 8);
}

std::vector<std::uint32_t> RowsHolding(const GridSpec& grid, Entity entity)
{
    std::vector<std::uint32_t> rows;
    for (std::uint32_t row = 0; row < grid.rows; ++row)
        if (grid.rowBits[row].Test(entity))
            rows.push_back(row);
    return rows;
}

std::vector<std::uint32_t> ColumnsHolding(const GridSpec& grid, Entity entity)
{
    std::vector<std::uint32_t> columns;
    for (std::uint32_t column = 0; column < grid.columns; ++column)
        if (grid.columnBits[column].Test(entity))
            columns.push_back(column);
    return columns;
}

struct InsertCase
{
    const char* what;
    Vector2 min; // relative to the grid's origin
    Vector2 size;
    std::vector<std::uint32_t> rows;
    std::vector<std::uint32_t> columns;
};
}

TEST(GridSpecTest, InsertSetsTheBandsTheBoxOverlapsStrictly)
{
    const InsertCase cases[] = {
        {"inside one cell", {10, 10}, {20, 20}, {0}, {0}},
        {"ends exactly where row 1 and column 1 begin", {400, 200}, {85, 67}, {0}, {0}},
        {"one unit further reaches them", {400, 200}, {86, 68}, {0, 1}, {0, 1}},
        {"starts exactly at a band's end", {485, 267}, {10, 10}, {1}, {1}},
        {"wholly inside the gap between rows 1 and 2", {10, 534.2f}, {5, 0.6f}, {}, {0}},
        {"spans the gap", {10, 530}, {5, 10}, {1, 2}, {0}},
        {"in the last unit the last row misses", {10, 2139.2f}, {5, 0.5f}, {}, {0}},
        {"covers the whole grid", {-1, -1}, {4000, 3000}, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"outside the grid", {-100, -100}, {50, 50}, {}, {}},
        {"a zero-size box inside a cell is in it", {10, 10}, {0, 0}, {0}, {0}},
        {"a zero-size box on a column edge is in neither column", {485, 10}, {0, 0}, {0}, {}},
    };
    for (const InsertCase& c : cases)
    {
        GridSpec grid = Broadphase();
        grid.Insert(7, {grid.originX + c.min.x, grid.originY + c.min.y}, c.size);
        EXPECT_EQ(RowsHolding(grid, 7), c.rows) << c.what;
        EXPECT_EQ(ColumnsHolding(grid, 7), c.columns) << c.what;
        EXPECT_TRUE(grid.Holds(7)) << c.what << ": recorded even without a band";
    }
}

TEST(GridSpecTest, PointQueriesClampIntoTheGridAndUseUniformBands)
{
    GridSpec grid = Broadphase();
    // One id in every cell: id = row * 8 + column, each box well inside its cell.
    for (std::uint32_t row = 0; row < 8; ++row)
        for (std::uint32_t column = 0; column < 8; ++column)
            grid.Insert(static_cast<Entity>(row * 8 + column),
                        {grid.originX + column * 485.0f + 100.0f, grid.originY + (row * 2140u) / 8 + 50.0f}, {10, 10});

    struct PointCase
    {
        const char* what;
        Vector2 point;
        Entity expected;
    };
    const PointCase cases[] = {
        {"left of and below the grid: row 0, column 0", {-5000, -5000}, 0},
        {"the origin", {-630, -700}, 0},
        {"the far corner maps to the last row and column", {3250, 1440}, 63},
        {"beyond the far corner", {9000, 9000}, 63},
        {"left of the grid at row 2's height", {-5000, -700 + 600}, 16},
        {"x 485 above the origin starts column 1", {-630 + 485, -700}, 1},
        // Uniform bands of 267: y 534 above the origin is in row 2 for the query, although row 2's
        // band begins at 535 for inserts.
        {"uniform row start differs from the band start", {-630, -700 + 534}, 16},
        {"y 2138 is past 7 uniform rows and clamps to row 7", {-630, -700 + 2138}, 56},
    };
    for (const PointCase& c : cases)
    {
        const std::vector<Entity> found = BitsetToEntities(grid.QueryPoint(c.point));
        EXPECT_THAT(found, ElementsAre(c.expected)) << c.what;
    }
}

TEST(GridSpecTest, DegeneratePointsAndCellSizesFindNothing)
{
    GridSpec grid = Broadphase();
    grid.Insert(3, {-630, -700}, {4000, 3000});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(grid.QueryPoint({nan, 0}).None());
    EXPECT_TRUE(grid.QueryPoint({0, nan}).None());
    EXPECT_TRUE(grid.SegmentCandidates({nan, 0}, {100, 100}).None());
    EXPECT_TRUE(grid.CircleCandidates({0, 0}, nan).None());

    // 5 units cut into 8 columns: the uniform cell size is 0.
    GridSpec narrow(5, 2140, 0.0f, 0.0f, 8, 8);
    narrow.Insert(3, {0, 0}, {5, 2140});
    EXPECT_TRUE(narrow.QueryPoint({2, 2}).None());
    EXPECT_TRUE(narrow.QueryPoint({1.0e9f, -1.0e9f}).None());
}

TEST(GridSpecTest, RemoveClearsEveryBandAndTheId)
{
    GridSpec grid = Broadphase();
    grid.Insert(4, {0, 0}, {600, 600});
    grid.Insert(5, {0, 0}, {600, 600});
    grid.Remove(4);
    EXPECT_THAT(RowsHolding(grid, 4), IsEmpty());
    EXPECT_THAT(ColumnsHolding(grid, 4), IsEmpty());
    EXPECT_FALSE(grid.Holds(4));
    EXPECT_THAT(RowsHolding(grid, 5), ElementsAre(2, 3, 4));
    EXPECT_TRUE(grid.Holds(5));

    const GridSpec before = grid;
    grid.Remove(9); // never inserted
    for (std::uint32_t i = 0; i < 8; ++i)
    {
        EXPECT_EQ(grid.rowBits[i], before.rowBits[i]);
        EXPECT_EQ(grid.columnBits[i], before.columnBits[i]);
    }
}

TEST(GridSpecTest, ClearKeepsTheBandCountsAndGeometry)
{
    GridSpec grid(640, 320, 0.0f, 0.0f, 10, 5);
    grid.Insert(1, {0, 0}, {640, 320});
    grid.Clear();
    EXPECT_EQ(grid.rowBits.size(), 5u);
    EXPECT_EQ(grid.columnBits.size(), 10u);
    EXPECT_EQ(grid.width, 640u);
    for (const EntityBits& band : grid.rowBits)
        EXPECT_TRUE(band.None());
    EXPECT_FALSE(grid.Holds(1));
}

TEST(GridSpecTest, IdsBeyondTheEntityLimitAndEmptyGridsAreRejected)
{
    GridSpec grid = Broadphase();
    EXPECT_THROW(grid.Insert(1000, {0, 0}, {10, 10}), std::out_of_range);
    EXPECT_THROW(grid.Remove(1000), std::out_of_range);
    grid.Insert(999, {0, 0}, {10, 10});
    EXPECT_TRUE(grid.Holds(999));
    EXPECT_EQ(AssertMessageOf([] { GridSpec(100, 100, 0, 0, 0, 4); }), "GRID NEEDS AT LEAST ONE ROW AND ONE COLUMN");
    EXPECT_EQ(AssertMessageOf([] { GridSpec(100, 100, 0, 0, 4, 0); }), "GRID NEEDS AT LEAST ONE ROW AND ONE COLUMN");
}

TEST(GridSpecTest, SegmentAndCircleQueriesReturnRowBandsThenColumnBands)
{
    GridSpec grid = Broadphase();
    for (Entity row = 0; row < 8; ++row)
        grid.rowBits[row].Set(row);
    for (Entity column = 0; column < 8; ++column)
        grid.columnBits[column].Set(static_cast<Entity>(100 + column));

    // A horizontal segment inside row 0 from column 0 into column 2.
    std::vector<Entity> bandIds;
    for (const EntityBits& band : grid.QuerySegment({-600, -650}, {400, -650}))
        band.ForEach([&](Entity e) { bandIds.push_back(e); });
    EXPECT_THAT(bandIds, ElementsAre(0, 100, 101, 102));

    // A circle of radius 10 around the corner shared by rows 0/1 and columns 0/1.
    bandIds.clear();
    for (const EntityBits& band : grid.QueryCircle({-630 + 485, -700 + 267}, 10))
        band.ForEach([&](Entity e) { bandIds.push_back(e); });
    EXPECT_THAT(bandIds, ElementsAre(0, 1, 100, 101));
    EXPECT_EQ(grid.CircleCandidates({-630 + 485, -700 + 267}, 10).Count(), 4u);
}

TEST(GridSpecTest, BitsetToEntitiesListsIdsAscending)
{
    EntityBits bits;
    for (Entity e : {999, 0, 64, 63, 500})
        bits.Set(e);
    EXPECT_THAT(BitsetToEntities(bits), ElementsAre(0, 63, 64, 500, 999));
    EXPECT_THAT(BitsetToEntities(EntityBits{}), IsEmpty());
}
