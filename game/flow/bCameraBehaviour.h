#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/flow/CameraMove.h"

#include <cstddef>
#include <deque>

// The camera entity's behaviour: camera bounds, the start position and scripted camera moves.
class bCameraBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bCameraBehaviour";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The input system counts the camera as busy while either of these is non-zero.
    float MoveTimeLeft() const { return CurrentMove.Duration - MoveElapsed; }
    std::size_t QueuedMoveCount() const { return Moves.size(); }

    CameraMove CurrentMove;
    float MoveElapsed = 0.0f;
    std::deque<CameraMove> Moves;
    float maxHeight = 2000.0f;
};
