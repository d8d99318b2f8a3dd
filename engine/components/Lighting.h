#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// A light source: radius, colour, intensity (with the base the lighting system restores each
// frame), on/off, and an optional life span after which its entity is destroyed.
class Lighting : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Lighting";

    // "radius" required; "colorR" and "intensityR" each bring their G and B keys; "enabled"
    // and "lifeSpan" optional. Not reset first: absent keys keep their fields.
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    Vector2 direction;
    float radius = 0.0f;
    float color[3] = {1.0f, 1.0f, 1.0f};
    float baseIntensity[3] = {0.0f, 0.0f, 0.0f};
    float intensity[3] = {1.0f, 1.0f, 1.0f};
    bool enabled = true;
    float lifeSpan = 0.0f; // seconds; 0 is forever
    float age = 0.0f;
};
