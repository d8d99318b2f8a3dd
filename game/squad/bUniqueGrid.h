#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <vector>

class GridSpec;

// Owner of the level's path grid: builds the GridSpec and the OccupancyMap that path search reads.
class bUniqueGrid : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bUniqueGrid";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The path grid (built by Awake) and one character per cell, row-major: '1' blocked,
    // '.' next to a blocked cell, ' ' free.
    GridSpec* Grid = nullptr;
    std::vector<char> OccupancyMap;
};
