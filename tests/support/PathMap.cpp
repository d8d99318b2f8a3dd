#include "support/PathMap.h"

#include "engine/systems/GridSpec.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>

PathMap::PathMap(const bUniqueGrid& grid, const std::vector<Vector2>& from) : grid(grid)
{
    if (grid.Grid == nullptr || grid.Grid->columns == 0 || grid.Grid->rows == 0)
        return;
    columns = static_cast<int>(grid.Grid->columns);
    rows = static_cast<int>(grid.Grid->rows);
    cellWidth = static_cast<float>(grid.Grid->width / grid.Grid->columns);
    cellHeight = static_cast<float>(grid.Grid->height / grid.Grid->rows);
    if (cellWidth <= 0.0f || cellHeight <= 0.0f || grid.OccupancyMap.size() != static_cast<std::size_t>(columns * rows))
    {
        columns = rows = 0;
        return;
    }
    steps.assign(static_cast<std::size_t>(columns * rows), -1);
    cameFrom.assign(steps.size(), -1);
    std::deque<int> todo;
    for (const Vector2& point : from)
        if (const int cell = FreeCellAt(point); cell >= 0 && steps[static_cast<std::size_t>(cell)] < 0)
        {
            steps[static_cast<std::size_t>(cell)] = 0;
            todo.push_back(cell);
        }
    while (!todo.empty())
    {
        const int cell = todo.front();
        todo.pop_front();
        const int c = cell % columns;
        const int r = cell / columns;
        const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
        for (const auto& [nc, nr] : next)
        {
            if (nc < 0 || nr < 0 || nc >= columns || nr >= rows)
                continue;
            const int n = nc + columns * nr;
            if (steps[static_cast<std::size_t>(n)] >= 0 || Blocked(n))
                continue;
            steps[static_cast<std::size_t>(n)] = steps[static_cast<std::size_t>(cell)] + 1;
            cameFrom[static_cast<std::size_t>(n)] = cell;
            todo.push_back(n);
        }
    }
}

bool PathMap::Blocked(int cell) const
{
    return grid.OccupancyMap[static_cast<std::size_t>(cell)] == '1';
}

Vector2 PathMap::Centre(int cell) const
{
    return {grid.Grid->originX + (static_cast<float>(cell % columns) + 0.5f) * cellWidth,
            grid.Grid->originY + (static_cast<float>(cell / columns) + 0.5f) * cellHeight};
}

int PathMap::FreeCellAt(Vector2 point) const
{
    if (columns == 0 || !std::isfinite(point.x) || !std::isfinite(point.y))
        return -1;
    const int c = static_cast<int>(std::floor((point.x - grid.Grid->originX) / cellWidth));
    const int r = static_cast<int>(std::floor((point.y - grid.Grid->originY) / cellHeight));
    if (c >= 0 && r >= 0 && c < columns && r < rows && !Blocked(c + columns * r))
        return c + columns * r;
    // Else the free cell nearest to it, up to two away, and of equally near ones the one nearest
    // by the walk (a door's cells have free cells on both sides, and the near side is the one
    // that counts).
    const auto reach = [&](int of) { return steps.empty() ? -1 : steps[static_cast<std::size_t>(of)]; };
    int found = -1;
    for (int ring = 1; ring <= 2 && (found < 0 || reach(found) < 0); ++ring)
        for (int dr = -ring; dr <= ring; ++dr)
            for (int dc = -ring; dc <= ring; ++dc)
            {
                const int nc = c + dc;
                const int nr = r + dr;
                if (std::max(std::abs(dc), std::abs(dr)) != ring || nc < 0 || nr < 0 || nc >= columns || nr >= rows ||
                    Blocked(nc + columns * nr))
                    continue;
                const int cell = nc + columns * nr;
                if (found < 0 || (reach(cell) >= 0 && (reach(found) < 0 || reach(cell) < reach(found))))
                    found = cell;
            }
    return found;
}

Vector2 PathMap::NearSide(Vector2 to) const
{
    const int cell = FreeCellAt(to);
    return cell < 0 ? to : Centre(cell);
}

int PathMap::Steps(Vector2 to) const
{
    const int cell = FreeCellAt(to);
    return cell < 0 ? -1 : steps[static_cast<std::size_t>(cell)];
}

Vector2 PathMap::Toward(Vector2 to, int stepsAlong) const
{
    int cell = FreeCellAt(to);
    if (cell < 0 || steps[static_cast<std::size_t>(cell)] < 0)
        return to;
    if (steps[static_cast<std::size_t>(cell)] <= stepsAlong)
        return to;
    while (steps[static_cast<std::size_t>(cell)] > stepsAlong)
        cell = cameFrom[static_cast<std::size_t>(cell)];
    return Centre(cell);
}

bool PathMap::ClearLine(Vector2 from, Vector2 to) const
{
    if (columns == 0)
        return false;
    const float length = std::hypot(to.x - from.x, to.y - from.y);
    const int samples = std::max(1, static_cast<int>(length / (0.25f * cellWidth)));
    for (int i = 0; i <= samples; ++i)
    {
        const float t = static_cast<float>(i) / static_cast<float>(samples);
        const int c = static_cast<int>(std::floor((from.x + (to.x - from.x) * t - grid.Grid->originX) / cellWidth));
        const int r = static_cast<int>(std::floor((from.y + (to.y - from.y) * t - grid.Grid->originY) / cellHeight));
        if (c < 0 || r < 0 || c >= columns || r >= rows || Blocked(c + columns * r))
            return false;
    }
    return true;
}
