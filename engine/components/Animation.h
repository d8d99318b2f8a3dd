#pragma once
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <cstdint>
#include <string>

// Spritesheet animation of an entity: the animation (AnimationTag), the clip (AnimationState,
// named by GetStateName), frame timing, and the hold and finished flags.
class Animation : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Animation";

    // Every key optional; "AnimationState" is translated from the scene files' numbering
    // (0, 6, 7, 10 kept; 11 -> 12, 12 -> 13; any other value leaves the state unchanged).
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The clip name of AnimationState; "Idle" for 0, 1 and any value outside 0..19.
    std::string GetStateName() const;
    // The same name without building a string (per-frame lookups use it).
    const char* StateNameText() const;

    std::string AnimationTag;
    float AnimationSpeed = 0.0f;
    std::int32_t AnimationState = 0;
    std::int32_t frameIndex = 0;
    float timer = 0.0f;
    bool oneShotSpawned = false;
    bool finished = false;
    bool HoldState = false;
};
