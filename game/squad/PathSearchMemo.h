#pragma once
#include "engine/systems/PathSearch.h"

#include <vector>

class bUniqueGrid;

// A path search that remembers its last failure: asked again for the same cells over the same
// grid with an unchanged occupancy map, it answers "no path" at once instead of searching again.
// Any change of start, goal, grid or map searches afresh, so the answers are those FindPath gives.
class PathSearchMemo
{
public:
    void Find(const bUniqueGrid& grid, Path& path, Cell start, Cell goal);
    void Forget() { failed = false; }

private:
    bool Repeats(const bUniqueGrid& grid, Cell start, Cell goal) const;

    bool failed = false;
    const bUniqueGrid* failedGrid = nullptr;
    Cell failedStart;
    Cell failedGoal;
    // The occupancy map of the failed search (its capacity kept, so remembering allocates once).
    std::vector<char> failedMap;
};
