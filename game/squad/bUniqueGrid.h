#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GridSpec;
class PathSearchSpace;

// Owner of the level's path grid: its Awake builds the GridSpec over the level from the colliders
// of every entity carrying RegisterTag, and the OccupancyMap that path search reads.
class bUniqueGrid : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bUniqueGrid";

    bUniqueGrid();
    ~bUniqueGrid() override;

    // Forgets the colliders' quarter-turn swaps, builds a new grid (a count of 0 counts as 1),
    // inserts the tagged colliders and builds the map.
    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // The grid Awake builds, still empty: Columns x TileSize + GridOrigin_X wide (whole units),
    // likewise high, a count of 0 counting as 1. Its cells may round to 0 units (a grid narrower
    // than its column count), which path search treats as a grid without cells.
    std::unique_ptr<GridSpec> MakeEmptyGrid() const;

    // Recomputes the whole map from the grid's current contents: '1' where some id is in both the
    // cell's row and column band, then '.' on free cells with a '1' among their eight neighbours.
    // Without a grid the map is emptied.
    void BuildOccupancyMap();

    // "GridOrigin_X", "GridOrigin_Y", "TileSize" (numbers), "Columns", "Rows" (whole numbers, not
    // negative) and "RegisterTag" (string), all required.
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The path grid (built by Awake), owned here.
    std::unique_ptr<GridSpec> Grid;
    std::string RegisterTag;
    float TileSize = 0.0f;
    std::uint32_t Columns = 0;
    std::uint32_t Rows = 0;
    float GridOrigin_X = 0.0f;
    float GridOrigin_Y = 0.0f;
    // One character per cell, row-major (column c of row r at c + columns * r): '1' blocked,
    // '.' next to a blocked cell, ' ' free.
    std::vector<char> OccupancyMap;
    // The working arrays of the path searches over this grid, made at the first search and kept.
    mutable std::unique_ptr<PathSearchSpace> SearchSpace;
};
