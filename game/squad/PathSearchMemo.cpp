#include "game/squad/PathSearchMemo.h"

#include "game/squad/bUniqueGrid.h"

bool PathSearchMemo::Repeats(const bUniqueGrid& grid, Cell start, Cell goal) const
{
    return failed && failedGrid == &grid && failedStart == start && failedGoal == goal &&
           failedMap == grid.OccupancyMap;
}

void PathSearchMemo::Find(const bUniqueGrid& grid, Path& path, Cell start, Cell goal)
{
    if (Repeats(grid, start, goal))
    {
        path.clear();
        return;
    }
    FindPath(grid, path, start, goal);
    failed = path.empty();
    if (!failed)
        return;
    failedGrid = &grid;
    failedStart = start;
    failedGoal = goal;
    failedMap.assign(grid.OccupancyMap.begin(), grid.OccupancyMap.end());
}
