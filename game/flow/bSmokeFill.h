#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <vector>

// A row ("FogEdge", scrolling in +x) or column ("FogEdgeV", scrolling in +y) of fog strips along
// one edge of the camera bounds, scrolled without end.
class bSmokeFill : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bSmokeFill";

    void Awake(Coordinator& coordinator) override;
    // Lays the strips from one piece before the bounds' minimum to past their maximum (from the
    // origin over FillWidth without a camera behaviour).
    void Start(Coordinator& coordinator) override;
    // Scrolls every strip by the frame time x ScrollSpeed, wrapping past WrapLimit.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "FillWidth" (number), "Top", "Horizontal" (true only for the literal true), all optional.
    void Deserialize(const rapidjson::Value& object) override;
    // "FillWidth", "Top", "Horizontal".
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Length of the edge to cover; Start replaces it by the camera bounds' width or height.
    float FillWidth = 1920.0f;
    // Coordinate past which a strip goes back to the start of the row.
    float WrapLimit = 0.0f;
    // Length of one strip along the row.
    float PieceLength = 0.0f;
    std::vector<Entity> Strips;
    // World units per second.
    float ScrollSpeed = 25.0f;
    // Along the bounds' maximum (y for a row, x for a column) instead of the minimum.
    bool Top = false;
    // A row of "FogEdge" strips; otherwise a column of "FogEdgeV".
    bool Horizontal = false;
};
