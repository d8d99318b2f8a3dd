#pragma once
#include "engine/components/Vector2.h"
#include "engine/systems/PathSearch.h"

class Coordinator;
class GridSpec;
class bUniqueGrid;

// How the path-following zombies read the path grid. Cell sizes are whole numbers, as every
// user of the grid takes them.

// The centre of a cell.
Vector2 CellCentre(const GridSpec& grid, const Cell& cell);

// The cell a path starts from: the position clamped into the grid's rectangle, divided by the
// cell size and truncated; a position on the far edge counts as the last column or row. False
// for a NaN position or cells that round to nothing.
bool StartCellOf(const GridSpec& grid, const Vector2& position, Cell& cell);

// The scene's path grid owner, the behaviour of the entity named "PathfindingGrid" (null when
// that entity has none); asserts "PATHFINDING GRID NOT FOUND" without such an entity. Looked up
// at every zombie's Start, so each scene uses its own grid.
bUniqueGrid* FindPathGrid(Coordinator& coordinator);
