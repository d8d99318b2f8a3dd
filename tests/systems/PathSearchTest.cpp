#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearch.h"
#include "game/squad/bUniqueGrid.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <list>
#include <random>
#include <string>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
// A path grid whose cells are cellSize units wide, from the map's rows (row 0 first).
std::unique_ptr<bUniqueGrid> MakeGrid(const std::vector<std::string>& rows, std::uint32_t cellSize = 10)
{
    auto owner = std::make_unique<bUniqueGrid>();
    const auto columns = static_cast<std::uint32_t>(rows.front().size());
    const auto count = static_cast<std::uint32_t>(rows.size());
    owner->Grid = std::make_unique<GridSpec>(columns * cellSize, count * cellSize, 0.0f, 0.0f, columns, count);
    for (const std::string& row : rows)
        owner->OccupancyMap.insert(owner->OccupancyMap.end(), row.begin(), row.end());
    return owner;
}

std::vector<Cell> Search(const bUniqueGrid& grid, Cell start, Cell goal)
{
    Path path;
    path.push_front({99, 99}); // emptied first
    FindPath(grid, path, start, goal);
    return {path.begin(), path.end()};
}

std::vector<Cell> Cells(std::initializer_list<std::pair<int, int>> cells)
{
    std::vector<Cell> out;
    for (const auto& [x, y] : cells)
        out.push_back({x, y});
    return out;
}

// The search exactly as first written: linked lists searched linearly, the open list stably
// re-sorted every round, new nodes pushed at its front.
struct Node
{
    int x, y, h, f, px, py, g;
};

std::list<Node> ReferenceExpand(const Node& current, Cell goal, const std::vector<char>& map, int columns, int rows,
                                const std::list<Node>* closed)
{
    std::list<Node> found;
    auto consider = [&](int x, int y, bool diagonal) {
        const char c = map[static_cast<std::size_t>(y * columns + x)];
        if (c == '1')
            return;
        if (closed && std::any_of(closed->begin(), closed->end(), [&](const Node& n) { return n.x == x && n.y == y; }))
            return;
        const int cost = diagonal ? (c == '.' ? 4 : 2) : (c == '.' ? 2 : 0);
        found.push_front({x, y, std::abs(goal.x - x) + std::abs(goal.y - y), 0, current.x, current.y, current.g + cost});
    };
    const int x = current.x;
    const int y = current.y;
    if (x > 0)
    {
        consider(x - 1, y, false);
        if (y > 0)
            consider(x - 1, y - 1, true);
        if (y < rows - 1)
            consider(x - 1, y + 1, true);
    }
    if (x < columns - 1)
    {
        consider(x + 1, y, false);
        if (y > 0)
            consider(x + 1, y - 1, true);
        if (y < rows - 1)
            consider(x + 1, y + 1, true);
    }
    if (y > 0)
        consider(x, y - 1, false);
    if (y < rows - 1)
        consider(x, y + 1, false);
    return found;
}

std::vector<Cell> ReferenceFindPath(const std::vector<char>& map, int columns, int rows, Cell start, Cell goal,
                                    bool& exhausted)
{
    exhausted = false;
    if (start == goal || map[static_cast<std::size_t>(goal.y * columns + goal.x)] == '1')
        return {};
    std::list<Node> closed = {{start.x, start.y, 0, 0, 0, 0, 0}};
    std::list<Node> open = ReferenceExpand(closed.front(), goal, map, columns, rows, nullptr);
    for (int round = 0;; ++round)
    {
        exhausted = round > 800;
        if (round > 800 || open.empty())
            return {};
        for (Node& n : open)
            n.f = n.g + n.h;
        open.sort([](const Node& a, const Node& b) { return a.f < b.f; });
        const Node current = open.front();
        open.pop_front();
        closed.push_front(current);
        if (current.x == goal.x && current.y == goal.y)
        {
            std::list<Cell> path;
            Node node = current;
            while (true)
            {
                path.push_front({node.x, node.y});
                if (node.px == start.x && node.py == start.y)
                    break;
                node = *std::find_if(closed.begin(), closed.end(),
                                     [&](const Node& n) { return n.x == node.px && n.y == node.py; });
            }
            return {path.begin(), path.end()};
        }
        for (const Node& added : ReferenceExpand(current, goal, map, columns, rows, &closed))
        {
            auto same = std::find_if(open.begin(), open.end(), [&](const Node& n) { return n.x == added.x && n.y == added.y; });
            if (same == open.end())
                open.push_front(added);
            else if (added.g + added.h < same->g + same->h)
            {
                same->h = added.h;
                same->px = added.px;
                same->py = added.py;
                same->g = added.g;
            }
        }
    }
}
}

TEST(PathSearchTest, TableOfSearches)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> map;
        Cell start;
        Cell goal;
        std::vector<Cell> path;
    };
    const Case cases[] = {
        {"start equals goal", {"   ", "   "}, {1, 1}, {1, 1}, {}},
        {"blocked goal", {"   ", "  1"}, {0, 0}, {2, 1}, {}},
        {"open floor: ranked by the heuristic alone", {"       ", "       ", "       "}, {0, 0}, {5, 0},
         Cells({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}})},
        {"only through a margin cell", {"  1  ", "  .  ", "  1  "}, {0, 1}, {4, 1},
         Cells({{1, 1}, {2, 1}, {3, 1}, {4, 1}})},
        {"around a margin cell when f allows", {"   ", " . ", "   "}, {0, 1}, {2, 1},
         Cells({{0, 2}, {1, 2}, {2, 2}, {2, 1}})},
        {"diagonally between two blocked corners", {" 1", "1 "}, {0, 0}, {1, 1}, Cells({{1, 1}})},
        {"walled off", {"  1  ", "  1  ", "  1  "}, {0, 1}, {4, 1}, {}},
        {"start outside the grid", {"   "}, {-1, 0}, {2, 0}, {}},
        {"goal outside the grid", {"   "}, {0, 0}, {3, 0}, {}},
    };
    for (const Case& c : cases)
    {
        const auto grid = MakeGrid(c.map);
        EXPECT_EQ(Search(*grid, c.start, c.goal), c.path) << c.what;
    }
}

TEST(PathSearchTest, GivesUpAfter801Rounds)
{
    // In a one-row corridor every round takes the next cell: the goal at column n - 1 is taken
    // in round n - 2, so 802 columns are the longest corridor still searched to its end.
    const auto reached = MakeGrid({std::string(802, ' ')}, 1);
    EXPECT_EQ(Search(*reached, {0, 0}, {801, 0}).size(), 801u);
    const auto exhausted = MakeGrid({std::string(803, ' ')}, 1);
    EXPECT_THAT(Search(*exhausted, {0, 0}, {802, 0}), IsEmpty());
}

TEST(PathSearchTest, WithoutAUsableMapNothingIsFound)
{
    bUniqueGrid empty;
    EXPECT_THAT(Search(empty, {0, 0}, {1, 0}), IsEmpty());
    EXPECT_FALSE(WorldToCell(empty, {5, 5}).found);
    auto shortMap = MakeGrid({"   ", "   "});
    shortMap->OccupancyMap.pop_back();
    EXPECT_THAT(Search(*shortMap, {0, 0}, {2, 1}), IsEmpty());
    EXPECT_FALSE(WorldToCell(*shortMap, {5, 5}).found);
}

TEST(PathSearchTest, WorldToCellTakesTheFirstFreeNeighbourOfABlockedCell)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> map;
        Vector2 point;
        CellLookup expected;
    };
    const Case cases[] = {
        {"free cell", {"   ", "   ", "   "}, {15, 15}, {true, 1, 1}},
        {"blocked: right first", {"   ", " 1 ", "   "}, {15, 15}, {true, 2, 1}},
        {"then left", {"   ", " 11", "   "}, {15, 15}, {true, 0, 1}},
        {"then the row above (row + 1)", {"   ", "111", "   "}, {15, 15}, {true, 1, 2}},
        {"then the row below", {"   ", "111", " 1 "}, {15, 15}, {true, 1, 0}},
        {"none free: not found, the cell kept", {" 1 ", "111", " 1 "}, {15, 15}, {false, 1, 1}},
        {"the last column cannot look right", {"   ", "  1", "   "}, {25, 15}, {true, 1, 1}},
        {"the far corner is the last cell", {"   ", "   ", "   "}, {30, 30}, {true, 2, 2}},
        {"clamped from outside", {"   ", "   ", "   "}, {-50, 500}, {true, 0, 2}},
        {"NaN", {"   "}, {std::numeric_limits<float>::quiet_NaN(), 0}, {false, 0, 0}},
    };
    for (const Case& c : cases)
    {
        const auto grid = MakeGrid(c.map);
        const CellLookup found = WorldToCell(*grid, c.point);
        EXPECT_EQ(found.found, c.expected.found) << c.what;
        EXPECT_EQ(found.column, c.expected.column) << c.what;
        EXPECT_EQ(found.row, c.expected.row) << c.what;
    }
    // Cells that round to zero units cannot be indexed.
    const auto tiny = MakeGrid({"   ", "   "}, 1);
    tiny->Grid->width = 2;
    EXPECT_FALSE(WorldToCell(*tiny, {1, 1}).found);
}

TEST(PathSearchTest, ExpandNeighboursListsNewNodesInReverseOrderWithTheirCosts)
{
    const auto grid = MakeGrid({"  1", " ..", "   "});
    PathNode centre;
    centre.x = 1;
    centre.y = 1;
    centre.g = 5;
    const std::vector<PathNode> closed = {centre, PathNode{0, 2, 0, 0, 0, 0, 0}};
    const std::vector<PathNode> found = ExpandNeighbours(centre, {2, 2}, *grid, &closed);
    // Generated: (0,1) straight, (0,0) diagonal, [(0,2) closed], (2,1) straight '.',
    // [(2,0) blocked], (2,2) diagonal, (1,0) straight, (1,2) straight.
    std::vector<std::tuple<int, int, int, int>> seen; // x, y, g, h
    for (const PathNode& node : found)
    {
        seen.emplace_back(node.x, node.y, node.g, node.h);
        EXPECT_EQ(node.parentX, 1);
        EXPECT_EQ(node.parentY, 1);
    }
    EXPECT_THAT(seen, ElementsAre(std::make_tuple(1, 2, 5, 1), std::make_tuple(1, 0, 5, 3), std::make_tuple(2, 2, 7, 0),
                                  std::make_tuple(2, 1, 7, 1), std::make_tuple(0, 0, 7, 4), std::make_tuple(0, 1, 5, 3)));
    EXPECT_EQ(ExpandNeighbours(centre, {2, 2}, *grid, nullptr).size(), 7u);
}

TEST(PathSearchTest, FindsTheSamePathsAsTheLiteralSearchOnRandomMaps)
{
    std::mt19937 random(2024);
    const std::vector<std::pair<int, int>> sizes = {{64, 36}, {64, 36}, {20, 12}, {7, 5}, {1, 30}, {30, 1}, {40, 40}};
    int found = 0;
    int empty = 0;
    int exhaustedCount = 0;
    for (int trial = 0; trial < 1000; ++trial)
    {
        const auto [columns, rows] = sizes[static_cast<std::size_t>(trial) % sizes.size()];
        const float blocked = std::uniform_real_distribution<float>(0.0f, 0.5f)(random);
        const float margin = std::uniform_real_distribution<float>(0.0f, 0.3f)(random);
        std::vector<std::string> map(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), ' '));
        for (std::string& row : map)
            for (char& cell : row)
            {
                const float roll = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
                cell = roll < blocked ? '1' : (roll < blocked + margin ? '.' : ' ');
            }
        std::uniform_int_distribution<int> column(0, columns - 1);
        std::uniform_int_distribution<int> row(0, rows - 1);
        const Cell start = {column(random), row(random)};
        const Cell goal = {column(random), row(random)};
        // Every fourth goal sits in a walled pocket, sometimes with a door on its far side: the
        // search then floods the map and often runs out of rounds.
        if (trial % 4 == 0)
        {
            const int door = static_cast<int>(random() % 2) == 0 ? -1 : static_cast<int>(random() % 8);
            int side = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                {
                    const int x = goal.x + dx;
                    const int y = goal.y + dy;
                    if ((std::abs(dx) == 2 || std::abs(dy) == 2) && x >= 0 && y >= 0 && x < columns && y < rows)
                        map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = side++ == door ? ' ' : '1';
                    else if (x >= 0 && y >= 0 && x < columns && y < rows && std::abs(dx) < 2 && std::abs(dy) < 2)
                        map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = ' ';
                }
        }
        const auto grid = MakeGrid(map);
        bool exhausted = false;
        const std::vector<Cell> expected = ReferenceFindPath(grid->OccupancyMap, columns, rows, start, goal, exhausted);
        ASSERT_EQ(Search(*grid, start, goal), expected) << "trial " << trial;
        (expected.empty() ? empty : found)++;
        exhaustedCount += exhausted ? 1 : 0;
    }
    EXPECT_GT(found, 300);
    EXPECT_GT(empty, 100);
    EXPECT_GT(exhaustedCount, 10) << "some searches must run out of rounds";
}
