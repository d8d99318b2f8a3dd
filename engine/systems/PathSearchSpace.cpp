#include "engine/systems/PathSearchSpace.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int RoundLimit = 800;

// The cost of entering a cell by a straight or a diagonal step.
int StepCost(char cell, bool diagonal)
{
    const int margin = cell == '.' ? 2 : 0;
    return (diagonal ? 2 : 0) + margin;
}
}

void PathSearchSpace::Begin(std::size_t cells)
{
    if (stamp.size() < cells)
    {
        stamp.resize(cells, 0);
        state.resize(cells);
        g.resize(cells);
        h.resize(cells);
        parent.resize(cells);
        key.resize(cells);
    }
    // Room for everything one search can hold, so that no search grows anything: every cell joins
    // once and each round drops at most eight; f is at most four per step over the rounds' depth
    // plus the widest heuristic.
    const std::size_t rounds = static_cast<std::size_t>(RoundLimit) + 2;
    entries.reserve(cells + 8 * rounds);
    const std::size_t mostF = 4 * (rounds + 1) + static_cast<std::size_t>(columns + rows) + 1;
    if (buckets.size() < mostF)
        buckets.resize(mostF);
    joined.reserve(8);
    dropped.reserve(8);
    entries.clear();
    if (++search == 0)
    {
        // After a wrap an old stamp could pass for this search's.
        std::fill(stamp.begin(), stamp.end(), 0);
        search = 1;
    }
    // Only the buckets the last search used can hold anything.
    for (std::size_t f = firstUsed; f <= lastUsed && f < buckets.size(); ++f)
        buckets[f] = Bucket{};
    firstUsed = NoBucket;
    lastUsed = 0;
    lowest = NoBucket;
    lowestKey = 0;
    highestKey = 1;
}

void PathSearchSpace::Run(const std::vector<char>& cells, int width, int height, Cell start, Cell target, Path& path)
{
    map = &cells;
    columns = width;
    rows = height;
    goal = target;
    Begin(cells.size());

    const int startIndex = start.y * columns + start.x;
    const int goalIndex = goal.y * columns + goal.x;
    stamp[static_cast<std::size_t>(startIndex)] = search;
    state[static_cast<std::size_t>(startIndex)] = Closed;
    g[static_cast<std::size_t>(startIndex)] = 0;
    // The start's neighbours form the first open list as the expansion returns them: in reverse.
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
        state[static_cast<std::size_t>(current)] = Closed;
        if (current == goalIndex)
        {
            for (int node = current; node != startIndex; node = parent[static_cast<std::size_t>(node)])
                path.push_front({node % columns, node / columns});
            return;
        }
        Expand(current);
        Admit();
    }
}

void PathSearchSpace::Expand(int current)
{
    joined.clear();
    dropped.clear();
    const int x = current % columns;
    const int y = current / columns;
    const int base = g[static_cast<std::size_t>(current)];
    // The search's inner loop: kept inline, not a call per neighbour.
    auto visit = [&](int nx, int ny, bool diagonal) __attribute__((always_inline)) {
        const int cell = ny * columns + nx;
        const std::size_t at = static_cast<std::size_t>(cell);
        const char look = (*map)[at];
        if (look == '1')
            return;
        const int newG = base + StepCost(look, diagonal);
        if (Seen(cell))
        {
            if (state[at] == Closed)
                return;
            if (newG < g[at])
            {
                dropped.push_back({g[at] + h[at], key[at], cell});
                g[at] = newG;
                parent[at] = current;
            }
            return;
        }
        stamp[at] = search;
        state[at] = Open;
        g[at] = newG;
        h[at] = std::abs(goal.x - nx) + std::abs(goal.y - ny);
        parent[at] = current;
        joined.push_back(cell);
    };
    // The neighbours in the search's fixed order (see ExpandNeighbours).
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

void PathSearchSpace::Admit()
{
    // This round's new nodes take keys below every key in use, ascending in the order they were
    // found; pushed last to first, the first found ends up first in its bucket.
    const int count = static_cast<int>(joined.size());
    for (int i = count - 1; i >= 0; --i)
        Push(joined[static_cast<std::size_t>(i)], lowestKey - count + i, true);
    lowestKey -= count;
    // Nodes whose f dropped keep their place in the list, which the next sort puts behind every
    // node that had that f already: they take keys above every key in use, in their old order.
    std::sort(dropped.begin(), dropped.end(), [](const Dropped& a, const Dropped& b) {
        return a.oldF != b.oldF ? a.oldF < b.oldF : a.oldKey < b.oldKey;
    });
    for (const Dropped& node : dropped)
        Push(node.cell, highestKey++, false);
}

void PathSearchSpace::Push(int cell, int newKey, bool inFront)
{
    const std::size_t at = static_cast<std::size_t>(cell);
    key[at] = newKey;
    const std::size_t f = static_cast<std::size_t>(g[at] + h[at]);
    if (f >= buckets.size())
        buckets.resize(f + 1);
    Bucket& bucket = buckets[f];
    const int entry = static_cast<int>(entries.size());
    if (inFront)
    {
        entries.push_back({cell, newKey, bucket.front});
        bucket.front = entry;
    }
    else
    {
        entries.push_back({cell, newKey, -1});
        if (bucket.backLast >= 0)
            entries[static_cast<std::size_t>(bucket.backLast)].next = entry;
        else
            bucket.back = entry;
        bucket.backLast = entry;
    }
    lowest = std::min(lowest, f);
    firstUsed = std::min(firstUsed, f);
    lastUsed = std::max(lastUsed, f);
}

int PathSearchSpace::PopOpen()
{
    while (lowest <= lastUsed && lowest < buckets.size())
    {
        Bucket& bucket = buckets[lowest];
        Entry entry;
        if (bucket.front >= 0)
        {
            entry = entries[static_cast<std::size_t>(bucket.front)];
            bucket.front = entry.next;
        }
        else if (bucket.back >= 0)
        {
            entry = entries[static_cast<std::size_t>(bucket.back)];
            bucket.back = entry.next;
            if (bucket.back < 0)
                bucket.backLast = -1;
        }
        else
        {
            ++lowest;
            continue;
        }
        // An entry left behind by a node that has since taken a new key is skipped.
        const std::size_t at = static_cast<std::size_t>(entry.cell);
        if (state[at] == Open && key[at] == entry.key)
            return entry.cell;
    }
    return -1;
}
