#pragma once
#include "engine/components/Vector2.h"
#include "engine/systems/WallSegment.h"

#include <array>
#include <vector>

class Lighting;

// The lights and wall segments as the shader's storage buffers hold them (std430: vec4 arrays,
// then a float array). Each block is one contiguous run of floats, uploaded whole. Packing
// stops at the blocks' capacities; what lies beyond the counts is stale.
struct AmbientLightBlock
{
    static constexpr int Capacity = 20;
    std::array<float, 4 * Capacity> positions{};   // x, y, 0, 0
    std::array<float, 4 * Capacity> colours{};     // r, g, b, 0
    std::array<float, 4 * Capacity> intensities{}; // r, g, b, 0
    std::array<float, Capacity> radii{};
};

struct SpotLightBlock
{
    static constexpr int Capacity = 4;
    std::array<float, 4 * Capacity> positionsAndDirections{}; // x, y, direction x, direction y
    std::array<float, 4 * Capacity> colours{};
    std::array<float, 4 * Capacity> intensities{};
    std::array<float, Capacity> radii{};
};

struct WallBlock
{
    static constexpr int Capacity = 340;
    std::array<float, 4 * Capacity> segments{}; // x0, y0, x1, y1
};

static_assert(sizeof(AmbientLightBlock) == 1040, "the ambient buffer holds 1040 bytes");
static_assert(sizeof(SpotLightBlock) == 208, "the spot buffer holds 208 bytes");
static_assert(sizeof(WallBlock) == 5440, "the wall buffer holds 5440 bytes");

// An axis-aligned rectangle of the world: the view, enlarged by a margin.
struct ViewRectangle
{
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;

    // The view centred on `centre`, half its size in each direction, grown by `margin`.
    static ViewRectangle Around(Vector2 centre, float halfWidth, float halfHeight, float margin);
    bool Contains(Vector2 point) const;
};

// Writes the light into slot `count` and returns true, or returns false when the block is full.
bool PackAmbientLight(AmbientLightBlock& block, int count, Vector2 position, const Lighting& light);
bool PackSpotLight(SpotLightBlock& block, int count, Vector2 position, Vector2 direction, const Lighting& light);

// The direction of a spot light turned by `rotation`: (0, 1) turned by rotation - pi/2, which is
// (cos rotation, sin rotation).
Vector2 SpotDirection(float rotation);

// Packs the segments in list order (the lighting system keeps them nearest first), only those
// whose extent meets `view` when one is given, until the block is full. Returns the count.
int PackWalls(WallBlock& block, const std::vector<WallSegment>& segments, const ViewRectangle* view);
