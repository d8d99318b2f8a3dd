#include "engine/systems/PathSearch.h"
#include "engine/systems/GridSpec.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
constexpr int RoundLimit = 800;

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

// The search on flat per-cell arrays. The open list's order (f, then list position) is carried
// by a sequence key per open node, so that a binary heap pops exactly the node the list's stable
// sort would put first:
// - nodes joining in front of the list take keys below every key in use, ascending in the order
//   they join;
// - a node whose f dropped keeps its list place, which after the next sort lies behind every node
//   that already had that f; it takes a key above every key in use (several in one round keep
//   their previous relative order).
class Search
{
public:
    Search(const GridSpec& grid, const std::vector<char>& map, Cell goal)
        : map(map), columns(static_cast<int>(grid.columns)), rows(static_cast<int>(grid.rows)), goal(goal),
          state(map.size(), Unseen), g(map.size(), 0), parent(map.size(), -1), key(map.size(), 0)
    {
    }

    void Run(Cell start, Path& path)
    {
        const int startIndex = Index(start);
        state[startIndex] = Closed;
        // The start's neighbours form the first open list as returned, in reverse order.
        Expand(startIndex);
        std::reverse(joined.begin(), joined.end());
        Admit();
        for (int round = 0;; ++round)
        {
            if (round > RoundLimit)
                return;
            const int current = PopOpen();
            if (current < 0)
                return;
            state[current] = Closed;
            if (current == Index(goal))
            {
                for (int node = current; node != startIndex; node = parent[node])
                    path.push_front({node % columns, node / columns});
                return;
            }
            Expand(current);
            Admit();
        }
    }

private:
    enum : std::uint8_t
    {
        Unseen,
        Open,
        Closed
    };
    struct Entry
    {
        int f;
        int key;
        int cell;
    };
    struct Lowered
    {
        int oldF;
        int oldKey;
        int cell;
    };

    int Index(Cell cell) const { return cell.y * columns + cell.x; }
    int H(int cell) const { return std::abs(goal.x - cell % columns) + std::abs(goal.y - cell / columns); }

    void Expand(int current)
    {
        joined.clear();
        lowered.clear();
        ForEachNeighbour(current % columns, current / columns, columns, rows, [&](int x, int y, bool diagonal) {
            const int cell = y * columns + x;
            const char look = map[static_cast<std::size_t>(cell)];
            if (look == '1' || state[cell] == Closed)
                return;
            const int newG = g[current] + StepCost(look, diagonal);
            if (state[cell] == Open)
            {
                if (newG < g[cell])
                {
                    lowered.push_back({g[cell] + H(cell), key[cell], cell});
                    g[cell] = newG;
                    parent[cell] = current;
                }
                return;
            }
            state[cell] = Open;
            g[cell] = newG;
            parent[cell] = current;
            joined.push_back(cell);
        });
    }

    // Gives this round's joined and lowered nodes their keys and puts them on the heap.
    void Admit()
    {
        const int count = static_cast<int>(joined.size());
        for (int i = 0; i < count; ++i)
            Push(joined[static_cast<std::size_t>(i)], lowestKey - count + i);
        lowestKey -= count;
        std::sort(lowered.begin(), lowered.end(), [](const Lowered& a, const Lowered& b) {
            return a.oldF != b.oldF ? a.oldF < b.oldF : a.oldKey < b.oldKey;
        });
        for (const Lowered& node : lowered)
            Push(node.cell, highestKey++);
    }

    void Push(int cell, int newKey)
    {
        key[cell] = newKey;
        heap.push_back({g[cell] + H(cell), newKey, cell});
        std::push_heap(heap.begin(), heap.end(), Later);
    }

    // The first node of the sorted open list, or -1 when it is empty. Entries left behind by a
    // node's earlier key are skipped.
    int PopOpen()
    {
        while (!heap.empty())
        {
            std::pop_heap(heap.begin(), heap.end(), Later);
            const Entry top = heap.back();
            heap.pop_back();
            if (state[top.cell] == Open && key[top.cell] == top.key)
                return top.cell;
        }
        return -1;
    }

    static bool Later(const Entry& a, const Entry& b) { return a.f != b.f ? a.f > b.f : a.key > b.key; }

    const std::vector<char>& map;
    const int columns;
    const int rows;
    const Cell goal;
    std::vector<std::uint8_t> state;
    std::vector<int> g;
    std::vector<int> parent;
    std::vector<int> key;
    std::vector<Entry> heap;
    std::vector<int> joined;
    std::vector<Lowered> lowered;
    int lowestKey = 0;
    int highestKey = 1;
};
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
    Search(*owner.Grid, *map, goal).Run(start, path);
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
