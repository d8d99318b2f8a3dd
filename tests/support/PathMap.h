#pragma once
#include "engine/components/Vector2.h"

#include <vector>

class bUniqueGrid;

// A player's reading of the level's path grid as it stands (breached doors open): how many
// straight steps over unblocked cells lead from the nearest of some starting points to each cell,
// and which way to go. A scripted player picks its next zombie by this walk, not by the straight
// line that may run through a wall.
class PathMap
{
public:
    // The walk from the cells under the starting points (a blocked one gives way to a free
    // neighbour). A grid without cells reaches nothing.
    PathMap(const bUniqueGrid& grid, const std::vector<Vector2>& from);

    // Steps to the cell under the point (or a free neighbour of it); -1 when unreachable.
    int Steps(Vector2 to) const;
    // The centre of the cell `steps` steps along a shortest walk toward the point (the point
    // itself when it is nearer than that); the point when it is unreachable.
    Vector2 Toward(Vector2 to, int steps) const;
    // The centre of the free cell nearest by the walk under or beside the point (its near side
    // when the point is a door); the point when there is none.
    Vector2 NearSide(Vector2 to) const;
    // Whether the straight line between the points crosses no blocked cell (what a thrown
    // grenade needs not to bounce back).
    bool ClearLine(Vector2 from, Vector2 to) const;

private:
    // The cell under the point, or a free neighbour of it when it is blocked; -1 when neither.
    int FreeCellAt(Vector2 point) const;
    bool Blocked(int cell) const;
    Vector2 Centre(int cell) const;

    const bUniqueGrid& grid;
    int columns = 0;
    int rows = 0;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;
    std::vector<int> steps;
    std::vector<int> cameFrom;
};
