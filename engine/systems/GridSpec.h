#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/systems/EntityBits.h"
#include "engine/systems/ReachIndex.h"

#include <cstdint>
#include <vector>

// A rectangle of the world cut into row bands and column bands, each holding the ids whose
// collider box touches it; a cell is one row band AND one column band. The collision
// broadphase and the path grid are both GridSpecs.
//
// Band i of the rows starts at originY + (i * height) / rows and is height / rows high (whole-
// number divisions), so bands need not tile: a one-unit gap may lie between two rows and the last
// band may end short of the far edge. Point queries use uniform bands of height / rows from the
// origin instead; the two differ by up to one unit. Both are kept as they are, since every user
// of the grid (collision, picking, path search, the grid outline) agrees on them.
class GridSpec
{
public:
    // Asserts "GRID NEEDS AT LEAST ONE ROW AND ONE COLUMN" for a count of 0: band sizes divide
    // by the counts.
    GridSpec(std::uint32_t width, std::uint32_t height, float originX, float originY, std::uint32_t columns,
             std::uint32_t rows);

    // Sets the entity's bit in every band that the box [min, min + size) overlaps (strictly: a
    // box that only touches a band's edge is not in it), then records the id even when no band
    // was touched. An id of MAX_ENTITIES or more throws std::out_of_range.
    void Insert(Entity entity, const Vector2& min, const Vector2& size);
    // Clears the entity's bit everywhere and forgets the id; unknown ids change nothing. An id of
    // MAX_ENTITIES or more throws std::out_of_range.
    void Remove(Entity entity);
    // Empties every band and the id set; geometry and band counts stay.
    void Clear();

    // The ids of the cell under the point, clamped into the grid. A NaN point, or a grid whose
    // uniform cell size rounds to 0, gives the empty set.
    EntityBits QueryPoint(const Vector2& point) const;
    // Copies of the row bands the segment crosses (in row order), then of the crossed column bands.
    std::vector<EntityBits> QuerySegment(const Vector2& from, const Vector2& to) const;
    // Copies of the row bands the circle overlaps, then of the overlapped column bands.
    std::vector<EntityBits> QueryCircle(const Vector2& centre, float radius) const;

    // The unions the queries' callers form: every id of every band that QuerySegment or
    // QueryCircle would return, without copying the bands.
    EntityBits SegmentCandidates(const Vector2& from, const Vector2& to) const;
    EntityBits CircleCandidates(const Vector2& centre, float radius) const;

    // Whether the id was inserted since the last clear and not removed.
    bool Holds(Entity entity) const { return entity < MAX_ENTITIES && ids.Test(entity); }

    // --- What the collision code knows of the colliders it inserted ---------------------------
    using Box = ReachIndex::Box;
    // Records, right after the entity's insert, a box holding every point at which a query can
    // meet its collider ("reach"); for a line-segment collider also its direction. A query then
    // needs to test exactly only those of its band candidates whose reach lies near it, or is not
    // known. Any later insert of the entity, Remove or Clear forgets what was recorded; an id the
    // grid does not hold, or a box with non-finite or very large corners, records nothing.
    void KnowReach(Entity entity, const Box& reach);
    void KnowLineReach(Entity entity, const Box& reach, const Vector2& direction);
    void ForgetReach(Entity entity);
    bool KnowsReach(Entity entity) const { return entity < MAX_ENTITIES && reach.Knows(entity); }
    bool IsLineReach(Entity entity) const { return reach.IsLine(entity); }
    const Box& ReachOf(Entity entity) const { return reach.ReachOf(entity); }
    const EntityBits& ReachKnown() const { return reach.Known(); }
    // The ids with a known reach that may come within margin of the box, or of the segment; and
    // the line colliders running nearly parallel to a direction.
    EntityBits ReachNear(const Box& box, float margin) const { return reach.Near(box, margin); }
    EntityBits ReachAlong(const Vector2& from, const Vector2& to, float margin) const
    {
        return reach.Along(from.x, from.y, to.x, to.y, margin);
    }
    EntityBits ParallelLines(const Vector2& direction) const { return reach.Parallel(direction.x, direction.y); }

    std::uint32_t width;
    std::uint32_t height;
    float originX;
    float originY;
    std::uint32_t columns;
    std::uint32_t rows;
    std::vector<EntityBits> rowBits;
    std::vector<EntityBits> columnBits;
    // Every id inserted since the last clear, kept as bits so a rebuild allocates nothing.
    EntityBits ids;

private:
    struct Band
    {
        Vector2 min;
        Vector2 size;
    };
    Band RowBand(std::uint32_t row) const;
    Band ColumnBand(std::uint32_t column) const;
    // Where each band starts and ends, as Insert compares them.
    std::vector<float> rowLow;
    std::vector<float> rowHigh;
    std::vector<float> columnLow;
    std::vector<float> columnHigh;
    ReachIndex reach;
    template <class Visit>
    void ForEachBandCrossedBySegment(const Vector2& from, const Vector2& to, Visit&& visit) const;
    template <class Visit>
    void ForEachBandOverlappingCircle(const Vector2& centre, float radius, Visit&& visit) const;
};

// The ids of a set in ascending order.
std::vector<Entity> BitsetToEntities(const EntityBits& bits);
