#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearch.h"
#include "game/squad/bUniqueGrid.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// A 64 by 36 path grid (64-unit cells over a 4096 by 2304 level) with rooms: long walls with
// doorways, their '.' margins as the grid's owner builds them.
std::unique_ptr<bUniqueGrid> LevelGrid(bool encloseGoal)
{
    const int columns = 64;
    const int rows = 36;
    std::vector<std::string> map(rows, std::string(columns, ' '));
    for (int x = 0; x < columns; ++x)
        if (x % 20 != 5)
        {
            map[12][static_cast<std::size_t>(x)] = '1';
            map[24][static_cast<std::size_t>(x)] = '1';
        }
    for (int y = 0; y < rows; ++y)
        if (y % 12 != 6)
        {
            map[static_cast<std::size_t>(y)][20] = '1';
            map[static_cast<std::size_t>(y)][42] = '1';
        }
    if (encloseGoal)
        for (int y = 28; y <= 34; ++y)
            for (int x = 52; x <= 62; ++x)
                if (y == 28 || y == 34 || x == 52 || x == 62)
                    map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '1';
    auto owner = std::make_unique<bUniqueGrid>();
    owner->Grid = std::make_unique<GridSpec>(4096, 2304, 0.0f, 0.0f, columns, rows);
    for (const std::string& row : map)
        owner->OccupancyMap.insert(owner->OccupancyMap.end(), row.begin(), row.end());
    // The margin: free cells next to a blocked one.
    std::vector<char>& cells = owner->OccupancyMap;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
        {
            char& cell = cells[static_cast<std::size_t>(y * columns + x)];
            if (cell != ' ')
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < columns && ny < rows && cells[static_cast<std::size_t>(ny * columns + nx)] == '1')
                        cell = '.';
                }
        }
    return owner;
}

void FindPathTypical(benchmark::State& state)
{
    const auto grid = LevelGrid(false);
    Path path;
    for (auto _ : state)
    {
        // Across two rooms, through a doorway.
        FindPath(*grid, path, {3, 3}, {33, 18});
        benchmark::DoNotOptimize(path);
    }
    state.counters["cells"] = static_cast<double>(std::distance(path.begin(), path.end()));
}
BENCHMARK(FindPathTypical)->Unit(benchmark::kMicrosecond);

void FindPathAcrossTheLevel(benchmark::State& state)
{
    const auto grid = LevelGrid(false);
    Path path;
    for (auto _ : state)
    {
        FindPath(*grid, path, {2, 2}, {60, 33});
        benchmark::DoNotOptimize(path);
    }
    state.counters["cells"] = static_cast<double>(std::distance(path.begin(), path.end()));
}
BENCHMARK(FindPathAcrossTheLevel)->Unit(benchmark::kMicrosecond);

void FindPathWorstCaseNoPath(benchmark::State& state)
{
    // The goal is walled in: the search floods the level until its 801 rounds are spent.
    const auto grid = LevelGrid(true);
    Path path;
    for (auto _ : state)
    {
        FindPath(*grid, path, {2, 2}, {57, 31});
        benchmark::DoNotOptimize(path);
    }
    state.counters["cells"] = static_cast<double>(std::distance(path.begin(), path.end()));
}
BENCHMARK(FindPathWorstCaseNoPath)->Unit(benchmark::kMicrosecond);
}
