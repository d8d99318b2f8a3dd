#include "engine/systems/GridSpec.h"
#include "engine/core/Assert.h"
#include "engine/systems/ShapeTests.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
void CheckId(Entity entity)
{
    if (entity >= MAX_ENTITIES)
        throw std::out_of_range("invalid bitset position");
}

bool IsNaN(const Vector2& v)
{
    return std::isnan(v.x) || std::isnan(v.y);
}

}

GridSpec::GridSpec(std::uint32_t width, std::uint32_t height, float originX, float originY, std::uint32_t columns,
                   std::uint32_t rows)
    : width(width), height(height), originX(originX), originY(originY), columns(columns), rows(rows)
{
    AssertFail(columns == 0 || rows == 0, "GRID NEEDS AT LEAST ONE ROW AND ONE COLUMN");
    rowBits.resize(rows);
    columnBits.resize(columns);
    for (std::uint32_t row = 0; row < rows; ++row)
    {
        const Band band = RowBand(row);
        rowLow.push_back(band.min.y);
        rowHigh.push_back(band.min.y + band.size.y);
    }
    for (std::uint32_t column = 0; column < columns; ++column)
    {
        const Band band = ColumnBand(column);
        columnLow.push_back(band.min.x);
        columnHigh.push_back(band.min.x + band.size.x);
    }
    reach.Cover(originX, originY, static_cast<float>(width), static_cast<float>(height));
}

GridSpec::Band GridSpec::RowBand(std::uint32_t row) const
{
    return {{originX, originY + static_cast<float>((row * height) / rows)},
            {static_cast<float>(width), static_cast<float>(height / rows)}};
}

GridSpec::Band GridSpec::ColumnBand(std::uint32_t column) const
{
    return {{originX + static_cast<float>((column * width) / columns), originY},
            {static_cast<float>(width / columns), static_cast<float>(height)}};
}

void GridSpec::Insert(Entity entity, const Vector2& min, const Vector2& size)
{
    CheckId(entity);
    // The band edges are the ones RowBand and ColumnBand give, worked out once.
    const float farX = min.x + size.x;
    const float farY = min.y + size.y;
    const float gridLeft = originX;
    const float gridRight = originX + static_cast<float>(width);
    const float gridBottom = originY;
    const float gridTop = originY + static_cast<float>(height);
    if (gridRight > min.x && farX > gridLeft)
        for (std::uint32_t row = 0; row < rows; ++row)
            if (rowHigh[row] > min.y && farY > rowLow[row])
            {
                rowBits[row].Set(entity);
            }
    if (gridTop > min.y && farY > gridBottom)
        for (std::uint32_t column = 0; column < columns; ++column)
            if (columnHigh[column] > min.x && farX > columnLow[column])
            {
                columnBits[column].Set(entity);
            }
    ids.Set(entity);
    // Whatever was known of the collider's reach may no longer hold.
    reach.Forget(entity);
}

void GridSpec::Remove(Entity entity)
{
    CheckId(entity);
    for (EntityBits& band : rowBits)
        band.Reset(entity);
    for (EntityBits& band : columnBits)
        band.Reset(entity);
    ids.Reset(entity);
    reach.Forget(entity);
}

void GridSpec::Clear()
{
    for (EntityBits& band : rowBits)
        band.Clear();
    for (EntityBits& band : columnBits)
        band.Clear();
    ids.Clear();
    reach.Clear();
}

void GridSpec::KnowReach(Entity entity, const Box& box)
{
    if (entity >= MAX_ENTITIES || !ids.Test(entity))
        return;
    reach.Record(entity, box);
}

void GridSpec::KnowLineReach(Entity entity, const Box& box, const Vector2& direction)
{
    if (entity >= MAX_ENTITIES || !ids.Test(entity))
        return;
    reach.RecordLine(entity, box, direction.x, direction.y);
}

void GridSpec::ForgetReach(Entity entity)
{
    if (entity < MAX_ENTITIES)
        reach.Forget(entity);
}

EntityBits GridSpec::QueryPoint(const Vector2& point) const
{
    const std::uint32_t cellHeight = height / rows;
    const std::uint32_t cellWidth = width / columns;
    if (IsNaN(point) || cellHeight == 0 || cellWidth == 0)
        return {};
    const float y = std::clamp(point.y, originY, originY + static_cast<float>(height));
    const float x = std::clamp(point.x, originX, originX + static_cast<float>(width));
    const std::uint32_t row = std::min(static_cast<std::uint32_t>((y - originY) / static_cast<float>(cellHeight)), rows - 1);
    const std::uint32_t column =
        std::min(static_cast<std::uint32_t>((x - originX) / static_cast<float>(cellWidth)), columns - 1);
    return rowBits[row] & columnBits[column];
}

template <class Visit>
void GridSpec::ForEachBandCrossedBySegment(const Vector2& from, const Vector2& to, Visit&& visit) const
{
    if (IsNaN(from) || IsNaN(to))
        return;
    // A band lying clearly beside the segment's span cannot be crossed; its clip is skipped. The
    // slack dwarfs the clip's rounding for coordinates within the reach limit, beyond which every
    // band is clipped.
    const float low = std::min(from.y, to.y);
    const float high = std::max(from.y, to.y);
    const float left = std::min(from.x, to.x);
    const float right = std::max(from.x, to.x);
    const bool skipping = ReachIndex::Usable(low) && ReachIndex::Usable(high) && ReachIndex::Usable(left) &&
                          ReachIndex::Usable(right);
    const float slack = 1.0f + 1.0e-4f * std::max({std::abs(low), std::abs(high), std::abs(left), std::abs(right)});
    for (std::uint32_t row = 0; row < rows; ++row)
    {
        if (skipping && (rowHigh[row] < low - slack || rowLow[row] > high + slack))
            continue;
        const Band band = RowBand(row);
        if (SegmentCrossesBox(band.min, band.size, from, to))
            visit(rowBits[row]);
    }
    for (std::uint32_t column = 0; column < columns; ++column)
    {
        if (skipping && (columnHigh[column] < left - slack || columnLow[column] > right + slack))
            continue;
        const Band band = ColumnBand(column);
        if (SegmentCrossesBox(band.min, band.size, from, to))
            visit(columnBits[column]);
    }
}

template <class Visit>
void GridSpec::ForEachBandOverlappingCircle(const Vector2& centre, float radius, Visit&& visit) const
{
    if (IsNaN(centre) || std::isnan(radius))
        return;
    const float rowHalfWidth = static_cast<float>(width) * 0.5f;
    const float rowHalfHeight = static_cast<float>(height / rows) * 0.5f;
    for (std::uint32_t row = 0; row < rows; ++row)
    {
        const float bcy = originY + static_cast<float>((row * height) / rows) + rowHalfHeight;
        if (CircleOverlapsBox(centre, radius, {originX + rowHalfWidth, bcy}, rowHalfWidth, rowHalfHeight))
            visit(rowBits[row]);
    }
    const float columnHalfWidth = static_cast<float>(width / columns) * 0.5f;
    const float columnHalfHeight = static_cast<float>(height) * 0.5f;
    for (std::uint32_t column = 0; column < columns; ++column)
    {
        const float bcx = originX + static_cast<float>((column * width) / columns) + columnHalfWidth;
        if (CircleOverlapsBox(centre, radius, {bcx, originY + columnHalfHeight}, columnHalfWidth, columnHalfHeight))
            visit(columnBits[column]);
    }
}

std::vector<EntityBits> GridSpec::QuerySegment(const Vector2& from, const Vector2& to) const
{
    std::vector<EntityBits> bands;
    ForEachBandCrossedBySegment(from, to, [&](const EntityBits& band) { bands.push_back(band); });
    return bands;
}

std::vector<EntityBits> GridSpec::QueryCircle(const Vector2& centre, float radius) const
{
    std::vector<EntityBits> bands;
    bands.reserve(static_cast<std::size_t>(rows) * columns);
    ForEachBandOverlappingCircle(centre, radius, [&](const EntityBits& band) { bands.push_back(band); });
    return bands;
}

EntityBits GridSpec::SegmentCandidates(const Vector2& from, const Vector2& to) const
{
    EntityBits all;
    ForEachBandCrossedBySegment(from, to, [&](const EntityBits& band) { all |= band; });
    return all;
}

EntityBits GridSpec::CircleCandidates(const Vector2& centre, float radius) const
{
    EntityBits all;
    ForEachBandOverlappingCircle(centre, radius, [&](const EntityBits& band) { all |= band; });
    return all;
}

std::vector<Entity> BitsetToEntities(const EntityBits& bits)
{
    std::vector<Entity> entities;
    entities.reserve(20);
    bits.ForEach([&](Entity entity) { entities.push_back(entity); });
    return entities;
}
