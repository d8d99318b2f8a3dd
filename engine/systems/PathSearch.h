#pragma once
#include "engine/components/Vector2.h"

#include <forward_list>
#include <vector>

class bUniqueGrid;

// A* over a path grid's OccupancyMap ('1' blocked, '.' next to a blocked cell, ' ' free).
//
// The search is greedy by design and its choices are part of the game's feel: straight steps on
// free cells cost nothing, so the heuristic alone ranks open floor. Costs per entered cell:
//   straight: ' ' 0, '.' 2;   diagonal: ' ' 2, '.' 4;   h = Manhattan distance to the goal.
// Order, exactly: the open list is stably sorted by f = g + h each round and its first node
// taken; newly reached nodes join in front of it in the order they were generated (the start's
// own neighbours, the first open list, in the reverse order); a reached open node takes the new
// g and parent only when that lowers its f, keeping its place. After 801 rounds it gives up.

// One grid cell: column x, row y.
struct Cell
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Cells from the first step after the start to the goal.
using Path = std::forward_list<Cell>;

// One open or closed entry of the search.
struct PathNode
{
    int x = 0;
    int y = 0;
    int h = 0;
    int f = 0;
    int parentX = 0;
    int parentY = 0;
    int g = 0;
};

struct CellLookup
{
    bool found = false;
    int column = 0;
    int row = 0;
};

// The cell under a world position (clamped into the grid). A blocked cell gives way to its first
// free neighbour among right, left, above (row + 1) and below; none free is not found. Not found
// either without a grid or map, for a NaN position, or when the cell size rounds to 0.
CellLookup WorldToCell(const bUniqueGrid& grid, const Vector2& position);

// Fills path with the cells from the one after start up to and including goal, or leaves it
// empty: start equal to goal, a blocked goal, no route, 801 rounds used up, or either cell
// outside the grid.
void FindPath(const bUniqueGrid& grid, Path& path, Cell start, Cell goal);

// The neighbours of current worth opening, each at the front of the returned list (so in reverse
// order of generation): left column (same row, row - 1, row + 1), right column likewise, then
// row - 1 and row + 1; blocked cells and cells of the closed list (when given) are skipped.
std::vector<PathNode> ExpandNeighbours(const PathNode& current, Cell goal, const bUniqueGrid& grid,
                                       const std::vector<PathNode>* closed);
