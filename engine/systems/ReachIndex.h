#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/systems/EntityBits.h"

#include <cstdint>
#include <vector>

// Fine cells over a grid's rectangle, each holding the ids whose reach (a box around every point
// where a query can meet the collider) overlaps it. The cells along a query hold every collider it
// can meet, so a query that looks only there still sees all it would see in whole bands. Cells at
// the edges also hold whatever lies beyond them; a reach spanning very many cells is kept apart and
// offered to every query.
//
// Cells are made at the first reach recorded (a grid that never learns a reach costs nothing) and
// reused: recording, forgetting and gathering allocate nothing after that.
class ReachIndex
{
public:
    // An axis-aligned box by its corners.
    struct Box
    {
        float minX = 0.0f;
        float minY = 0.0f;
        float maxX = 0.0f;
        float maxY = 0.0f;
    };

    // The rectangle the cells cover.
    void Cover(float originX, float originY, float width, float height);

    // A reach larger than this along either axis is offered to every query, so that the margins
    // of tests whose rounding grows with the collider's size stay bounded for the others.
    static constexpr float WideExtent = 256.0f;

    // Records the entity's reach, replacing any earlier one. Returns false, recording nothing, for
    // a box with a non-finite or very large corner: such a collider is left to the whole-band walk.
    bool Record(Entity entity, const Box& reach);
    // The same for a line-segment collider running along the direction: such colliders are also
    // sorted by their direction (see Parallel).
    bool RecordLine(Entity entity, const Box& reach, float directionX, float directionY);
    void Forget(Entity entity);
    void Clear();

    bool Knows(Entity entity) const { return known.Test(entity); }
    bool IsLine(Entity entity) const { return lines.Test(entity); }
    const Box& ReachOf(Entity entity) const { return reaches[entity]; }
    const EntityBits& Known() const { return known; }

    // Every recorded id whose reach may come within margin of the box, or of the segment.
    EntityBits Near(const Box& box, float margin) const;
    EntityBits Along(float fromX, float fromY, float toX, float toY, float margin) const;
    // The line colliders running within about 1/20 radian of the direction (either way): the only
    // ones a segment test can take for crossing while they lie far from the segment.
    EntityBits Parallel(float directionX, float directionY) const;

    // Whether a coordinate is small enough for the margins of the index to cover float rounding.
    static bool Usable(float value);

private:
    struct Range
    {
        std::uint16_t x0 = 0;
        std::uint16_t y0 = 0;
        std::uint16_t x1 = 0;
        std::uint16_t y1 = 0;
    };

    static constexpr int DirectionCount = 64;
    static int DirectionOf(float x, float y);
    bool RecordBox(Entity entity, const Box& reach);
    int CellX(float x) const;
    int CellY(float y) const;
    Range RangeOf(const Box& box) const;
    void OrRow(EntityBits& into, int y, int x0, int x1) const;
    EntityBits& Cell(int x, int y) { return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(cellsX) + static_cast<std::size_t>(x)]; }

    float originX = 0.0f;
    float originY = 0.0f;
    float inverseCellWidth = 0.0f;
    float inverseCellHeight = 0.0f;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;
    int cellsX = 0;
    int cellsY = 0;
    std::vector<EntityBits> cells;
    // Cells that may hold an id, so that clearing touches only those.
    std::vector<std::uint8_t> used;
    std::vector<std::uint32_t> usedList;
    std::vector<Box> reaches;
    std::vector<Range> ranges;
    EntityBits known;
    // Known ids spanning too many cells or units, offered to every query.
    EntityBits wide;
    // Known line colliders, and the same by direction (angle in [0, pi) in equal steps).
    EntityBits lines;
    std::vector<EntityBits> byDirection;
    std::vector<std::uint8_t> directions;
};
