#pragma once
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>

// A line of text: message, screen or world position, scale, colour, layout and font face. The
// screen position is used when both screen coordinates are non-zero.
class Font : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Font";

    // All twelve keys required; every field is overwritten.
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    std::string message;
    float screenXPos = 0.0f;
    float screenYPos = 0.0f;
    float worldXPos = 0.0f;
    float worldYPos = 0.0f;
    float xScale = 0.0f;
    float yScale = 0.0f;
    float color[3] = {0.0f, 0.0f, 0.0f};
    std::string layout; // "Horizontal" or "Vertical"
    std::string type = "BebasNeue-Regular";
};
