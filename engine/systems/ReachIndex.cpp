#include "engine/systems/ReachIndex.h"

#include <algorithm>
#include <cmath>

namespace
{
// Beyond this a coordinate's rounding outgrows the margins below; such queries and colliders take
// the whole-band walk instead.
constexpr float UsableLimit = 1.0e6f;
// About this many units to a cell, and no more cells than this along an axis.
constexpr float WantedCellSize = 128.0f;
constexpr int MostCellsPerAxis = 64;
// A reach spanning more cells than this is offered to every query instead.
constexpr int MostCellsPerReach = 24;

constexpr float Pi = 3.14159265f;
}

bool ReachIndex::Usable(float value)
{
    return std::abs(value) <= UsableLimit;
}

void ReachIndex::Cover(float x, float y, float width, float height)
{
    originX = x;
    originY = y;
    cellsX = std::clamp(static_cast<int>(std::ceil(width / WantedCellSize)), 1, MostCellsPerAxis);
    cellsY = std::clamp(static_cast<int>(std::ceil(height / WantedCellSize)), 1, MostCellsPerAxis);
    cellWidth = width > 0.0f ? width / static_cast<float>(cellsX) : 1.0f;
    cellHeight = height > 0.0f ? height / static_cast<float>(cellsY) : 1.0f;
    if (!(cellWidth > 0.0f) || !std::isfinite(cellWidth))
        cellWidth = 1.0f;
    if (!(cellHeight > 0.0f) || !std::isfinite(cellHeight))
        cellHeight = 1.0f;
    inverseCellWidth = 1.0f / cellWidth;
    inverseCellHeight = 1.0f / cellHeight;
}

int ReachIndex::CellX(float x) const
{
    const float at = (x - originX) * inverseCellWidth;
    if (!(at >= 0.0f))
        return 0;
    return at >= static_cast<float>(cellsX) ? cellsX - 1 : static_cast<int>(at);
}

int ReachIndex::CellY(float y) const
{
    const float at = (y - originY) * inverseCellHeight;
    if (!(at >= 0.0f))
        return 0;
    return at >= static_cast<float>(cellsY) ? cellsY - 1 : static_cast<int>(at);
}

ReachIndex::Range ReachIndex::RangeOf(const Box& box) const
{
    return {static_cast<std::uint16_t>(CellX(box.minX)), static_cast<std::uint16_t>(CellY(box.minY)),
            static_cast<std::uint16_t>(CellX(box.maxX)), static_cast<std::uint16_t>(CellY(box.maxY))};
}

int ReachIndex::DirectionOf(float x, float y)
{
    float angle = std::atan2(y, x);
    if (angle < 0.0f)
        angle += Pi;
    const int step = static_cast<int>(angle * (static_cast<float>(DirectionCount) / Pi));
    return std::clamp(step, 0, DirectionCount - 1);
}

bool ReachIndex::Record(Entity entity, const Box& reach)
{
    Forget(entity);
    return RecordBox(entity, reach);
}

bool ReachIndex::RecordLine(Entity entity, const Box& reach, float directionX, float directionY)
{
    Forget(entity);
    if (!std::isfinite(directionX) || !std::isfinite(directionY) || !RecordBox(entity, reach))
        return false;
    if (byDirection.empty())
    {
        byDirection.resize(DirectionCount);
        directions.resize(MAX_ENTITIES);
    }
    const int direction = DirectionOf(directionX, directionY);
    directions[entity] = static_cast<std::uint8_t>(direction);
    byDirection[static_cast<std::size_t>(direction)].Set(entity);
    lines.Set(entity);
    return true;
}

bool ReachIndex::RecordBox(Entity entity, const Box& reach)
{
    if (!Usable(reach.minX) || !Usable(reach.minY) || !Usable(reach.maxX) || !Usable(reach.maxY) ||
        !(reach.minX <= reach.maxX) || !(reach.minY <= reach.maxY))
        return false;
    if (cells.empty())
    {
        cells.resize(static_cast<std::size_t>(cellsX) * static_cast<std::size_t>(cellsY));
        used.resize(cells.size());
        usedList.reserve(cells.size());
        reaches.resize(MAX_ENTITIES);
        ranges.resize(MAX_ENTITIES);
    }
    reaches[entity] = reach;
    known.Set(entity);
    const Range range = RangeOf(reach);
    ranges[entity] = range;
    if ((range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1) > MostCellsPerReach ||
        reach.maxX - reach.minX > WideExtent || reach.maxY - reach.minY > WideExtent)
    {
        wide.Set(entity);
        return true;
    }
    for (int y = range.y0; y <= range.y1; ++y)
        for (int x = range.x0; x <= range.x1; ++x)
        {
            const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(cellsX) + static_cast<std::size_t>(x);
            cells[index].Set(entity);
            if (used[index] == 0)
            {
                used[index] = 1;
                usedList.push_back(static_cast<std::uint32_t>(index));
            }
        }
    return true;
}

void ReachIndex::Forget(Entity entity)
{
    if (!known.Test(entity))
        return;
    known.Reset(entity);
    if (lines.Test(entity))
    {
        lines.Reset(entity);
        byDirection[directions[entity]].Reset(entity);
    }
    if (wide.Test(entity))
    {
        wide.Reset(entity);
        return;
    }
    const Range& range = ranges[entity];
    for (int y = range.y0; y <= range.y1; ++y)
        for (int x = range.x0; x <= range.x1; ++x)
            Cell(x, y).Reset(entity);
}

void ReachIndex::Clear()
{
    for (std::uint32_t index : usedList)
    {
        cells[index].Clear();
        used[index] = 0;
    }
    usedList.clear();
    known.Clear();
    wide.Clear();
    if (lines.Any())
        for (EntityBits& direction : byDirection)
            direction.Clear();
    lines.Clear();
}

void ReachIndex::OrRow(EntityBits& into, int y, int x0, int x1) const
{
    const EntityBits* row = &cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(cellsX)];
    for (int x = x0; x <= x1; ++x)
        into |= row[x];
}

EntityBits ReachIndex::Near(const Box& box, float margin) const
{
    EntityBits found = wide;
    if (cells.empty())
        return found;
    const int x0 = CellX(box.minX - margin);
    const int x1 = CellX(box.maxX + margin);
    const int y0 = CellY(box.minY - margin);
    const int y1 = CellY(box.maxY + margin);
    for (int y = y0; y <= y1; ++y)
        OrRow(found, y, x0, x1);
    return found;
}

EntityBits ReachIndex::Along(float fromX, float fromY, float toX, float toY, float margin) const
{
    EntityBits found = wide;
    if (cells.empty())
        return found;
    const float dx = toX - fromX;
    const float dy = toY - fromY;
    const float lowY = std::min(fromY, toY);
    const float highY = std::max(fromY, toY);
    const float marginY = margin;
    const float marginX = margin;
    const int y0 = CellY(lowY - marginY);
    const int y1 = CellY(highY + marginY);
    for (int y = y0; y <= y1; ++y)
    {
        // The part of the segment within this row of cells, widened by the margin; the outer rows
        // reach out beyond the rectangle.
        float left = std::min(fromX, toX);
        float right = std::max(fromX, toX);
        if (dy != 0.0f && y0 != y1)
        {
            const float bottom = y == 0 ? lowY : originY + static_cast<float>(y) * cellHeight - marginY;
            const float top = y == cellsY - 1 ? highY : originY + static_cast<float>(y + 1) * cellHeight + marginY;
            const float tA = std::clamp((bottom - fromY) / dy, 0.0f, 1.0f);
            const float tB = std::clamp((top - fromY) / dy, 0.0f, 1.0f);
            const float xA = fromX + dx * tA;
            const float xB = fromX + dx * tB;
            left = std::min(xA, xB);
            right = std::max(xA, xB);
        }
        OrRow(found, y, CellX(left - marginX), CellX(right + marginX));
    }
    return found;
}

EntityBits ReachIndex::Parallel(float directionX, float directionY) const
{
    EntityBits found;
    if (byDirection.empty() || !std::isfinite(directionX) || !std::isfinite(directionY))
        return lines;
    const int direction = DirectionOf(directionX, directionY);
    // The step of the direction and both neighbours (wrapping at a half turn): every line within
    // one step, about 0.049 radian, of the direction.
    for (int offset = -1; offset <= 1; ++offset)
        found |= byDirection[static_cast<std::size_t>((direction + offset + DirectionCount) % DirectionCount)];
    return found;
}
