#pragma once
#include "engine/components/Matrix3.h"

#include <array>
#include <cstdint>
#include <string>

// Entities sharing one texture, drawn with one instanced call.
struct InstanceBatch
{
    static constexpr int MaxInstances = 100;

    std::string name;
    std::uint32_t vertexArray = 0;
    std::uint32_t primitive = 0;
    std::string textureName;
    float opacity = 1.0f;
    float lightingFactor = 1.0f;
    float depth = 0.0f;
    float instanceCount = 0.0f;
    float tint[3] = {1.0f, 1.0f, 1.0f};
    bool drawn = false;
    bool ignoreLighting = false;
    std::array<Matrix3, MaxInstances> offsets{};
};
