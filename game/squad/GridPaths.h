#pragma once
#include "engine/components/Vector2.h"
#include "engine/systems/PathSearch.h"

class Coordinator;
class GridSpec;
class bUniqueGrid;

// How the soldiers and the path-following zombies read the path grid. Cell sizes are whole
// numbers, as every user of the grid takes them.

// The centre of a cell.
Vector2 CellCentre(const GridSpec& grid, const Cell& cell);

// The cell a path starts from: the position clamped into the grid's rectangle, divided by the
// cell size and truncated; a position on the far edge counts as the last column or row. False
// for a NaN position or cells that round to nothing.
bool StartCellOf(const GridSpec& grid, const Vector2& position, Cell& cell);

// One frame's step along a path. The first cell is dropped once within reach (squared distance;
// the goal cell has its own reach): dropping the goal ends the walk (Reached); otherwise, while a
// cell remains, `direction` is the unit vector to its centre ((0, 0) when there is none) and the
// answer is Steer; an empty path is None.
enum class PathStep
{
    None,
    Reached,
    Steer
};
PathStep StepAlongPath(const GridSpec& grid, Path& path, const Cell& goal, const Vector2& position,
                       float waypointReach, float goalReach, Vector2& direction);

// The scene's path grid owner, the behaviour of the entity named "PathfindingGrid" (null when
// that entity has none); asserts "PATHFINDING GRID NOT FOUND" without such an entity. Looked up
// at every zombie's Start, so each scene uses its own grid.
bUniqueGrid* FindPathGrid(Coordinator& coordinator);
