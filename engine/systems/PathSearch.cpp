#include "engine/systems/PathSearch.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearchSpace.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
// The grid's map when it can be read safely: one character per cell of the grid.
const std::vector<char>* UsableMap(const bUniqueGrid& owner)
{
    const GridSpec* grid = owner.Grid.get();
    if (grid == nullptr || grid->columns == 0 || grid->rows == 0)
        return nullptr;
    if (owner.OccupancyMap.size() != static_cast<std::size_t>(grid->columns) * grid->rows)
        return nullptr;
    return &owner.OccupancyMap;
}

bool Inside(const GridSpec& grid, Cell cell)
{
    return cell.x >= 0 && cell.y >= 0 && static_cast<std::uint32_t>(cell.x) < grid.columns &&
           static_cast<std::uint32_t>(cell.y) < grid.rows;
}

// The cost of entering a cell by a straight or a diagonal step.
int StepCost(char cell, bool diagonal)
{
    const int margin = cell == '.' ? 2 : 0;
    return (diagonal ? 2 : 0) + margin;
}

// The neighbours of (x, y) inside the grid, in the search's fixed order.
template <class Visit>
void ForEachNeighbour(int x, int y, int columns, int rows, Visit&& visit)
{
    if (x > 0)
    {
        visit(x - 1, y, false);
        if (y > 0)
            visit(x - 1, y - 1, true);
        if (y < rows - 1)
            visit(x - 1, y + 1, true);
    }
    if (x < columns - 1)
    {
        visit(x + 1, y, false);
        if (y > 0)
            visit(x + 1, y - 1, true);
        if (y < rows - 1)
            visit(x + 1, y + 1, true);
    }
    if (y > 0)
        visit(x, y - 1, false);
    if (y < rows - 1)
        visit(x, y + 1, false);
}
}

CellLookup WorldToCell(const bUniqueGrid& owner, const Vector2& position)
{
    const std::vector<char>* map = UsableMap(owner);
    if (map == nullptr || std::isnan(position.x) || std::isnan(position.y))
        return {};
    const GridSpec& grid = *owner.Grid;
    const std::uint32_t cellHeight = grid.height / grid.rows;
    const std::uint32_t cellWidth = grid.width / grid.columns;
    if (cellHeight == 0 || cellWidth == 0)
        return {};
    const float y = std::clamp(position.y, grid.originY, grid.originY + static_cast<float>(grid.height));
    const float x = std::clamp(position.x, grid.originX, grid.originX + static_cast<float>(grid.width));
    const int rows = static_cast<int>(grid.rows);
    const int columns = static_cast<int>(grid.columns);
    const int row = std::min(static_cast<int>((y - grid.originY) / static_cast<float>(cellHeight)), rows - 1);
    const int column = std::min(static_cast<int>((x - grid.originX) / static_cast<float>(cellWidth)), columns - 1);
    auto free = [&](int c, int r) { return (*map)[static_cast<std::size_t>(r * columns + c)] != '1'; };
    if (free(column, row))
        return {true, column, row};
    if (column + 1 < columns && free(column + 1, row))
        return {true, column + 1, row};
    if (column > 0 && free(column - 1, row))
        return {true, column - 1, row};
    if (row + 1 < rows && free(column, row + 1))
        return {true, column, row + 1};
    if (row > 0 && free(column, row - 1))
        return {true, column, row - 1};
    return {false, column, row};
}

void FindPath(const bUniqueGrid& owner, Path& path, Cell start, Cell goal)
{
    path.clear();
    const std::vector<char>* map = UsableMap(owner);
    if (map == nullptr || start == goal || !Inside(*owner.Grid, start) || !Inside(*owner.Grid, goal))
        return;
    if ((*map)[static_cast<std::size_t>(goal.y) * owner.Grid->columns + static_cast<std::size_t>(goal.x)] == '1')
        return;
    // The owner keeps the working arrays, so that searches after the first allocate nothing but
    // the path.
    if (!owner.SearchSpace)
        owner.SearchSpace = std::make_unique<PathSearchSpace>();
    owner.SearchSpace->Run(*map, static_cast<int>(owner.Grid->columns), static_cast<int>(owner.Grid->rows), start, goal,
                           path);
}

std::vector<PathNode> ExpandNeighbours(const PathNode& current, Cell goal, const bUniqueGrid& owner,
                                       const std::vector<PathNode>* closed)
{
    std::vector<PathNode> found;
    const std::vector<char>* map = UsableMap(owner);
    if (map == nullptr || !Inside(*owner.Grid, {current.x, current.y}))
        return found;
    const int columns = static_cast<int>(owner.Grid->columns);
    const int rows = static_cast<int>(owner.Grid->rows);
    ForEachNeighbour(current.x, current.y, columns, rows, [&](int x, int y, bool diagonal) {
        const char look = (*map)[static_cast<std::size_t>(y * columns + x)];
        if (look == '1')
            return;
        if (closed != nullptr &&
            std::any_of(closed->begin(), closed->end(), [&](const PathNode& node) { return node.x == x && node.y == y; }))
            return;
        PathNode node;
        node.x = x;
        node.y = y;
        node.h = std::abs(goal.x - x) + std::abs(goal.y - y);
        node.parentX = current.x;
        node.parentY = current.y;
        node.g = current.g + StepCost(look, diagonal);
        found.push_back(node);
    });
    std::reverse(found.begin(), found.end());
    return found;
}
