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

    // Records the entity's reach, replacing any earlier one. Returns false, recording nothing, for
    // a box with a non-finite or very large corner: such a collider is left to the whole-band walk.
    bool Record(Entity entity, const Box& reach);
    void Forget(Entity entity);
    void Clear();

    bool Knows(Entity entity) const { return known.Test(entity); }
    const Box& ReachOf(Entity entity) const { return reaches[entity]; }
    const EntityBits& Known() const { return known; }

    // Every recorded id whose reach may meet the box, or the segment.
    EntityBits Near(const Box& box) const;
    EntityBits Along(float fromX, float fromY, float toX, float toY) const;

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
    // Known ids spanning too many cells, offered to every query.
    EntityBits wide;
};
