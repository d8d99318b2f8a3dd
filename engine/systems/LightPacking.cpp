#include "engine/systems/LightPacking.h"
#include "engine/components/Lighting.h"

#include <algorithm>
#include <cmath>

namespace
{
template <std::size_t N>
void WriteVec4(std::array<float, N>& array, int slot, float x, float y, float z, float w)
{
    const std::size_t at = static_cast<std::size_t>(slot) * 4;
    array[at] = x;
    array[at + 1] = y;
    array[at + 2] = z;
    array[at + 3] = w;
}

bool RangesMeet(float a0, float a1, float b0, float b1)
{
    return std::min(a0, a1) <= b1 && std::max(a0, a1) >= b0;
}
}

ViewRectangle ViewRectangle::Around(Vector2 centre, float halfWidth, float halfHeight, float margin)
{
    return {centre.x - halfWidth - margin, centre.y - halfHeight - margin, centre.x + halfWidth + margin,
            centre.y + halfHeight + margin};
}

bool ViewRectangle::Contains(Vector2 point) const
{
    return point.x >= minX && point.x <= maxX && point.y >= minY && point.y <= maxY;
}

bool PackAmbientLight(AmbientLightBlock& block, int count, Vector2 position, const Lighting& light)
{
    if (count < 0 || count >= AmbientLightBlock::Capacity)
        return false;
    WriteVec4(block.positions, count, position.x, position.y, 0.0f, 0.0f);
    WriteVec4(block.colours, count, light.color[0], light.color[1], light.color[2], 0.0f);
    WriteVec4(block.intensities, count, light.intensity[0], light.intensity[1], light.intensity[2], 0.0f);
    block.radii[static_cast<std::size_t>(count)] = light.radius;
    return true;
}

bool PackSpotLight(SpotLightBlock& block, int count, Vector2 position, Vector2 direction, const Lighting& light)
{
    if (count < 0 || count >= SpotLightBlock::Capacity)
        return false;
    WriteVec4(block.positionsAndDirections, count, position.x, position.y, direction.x, direction.y);
    WriteVec4(block.colours, count, light.color[0], light.color[1], light.color[2], 0.0f);
    WriteVec4(block.intensities, count, light.intensity[0], light.intensity[1], light.intensity[2], 0.0f);
    block.radii[static_cast<std::size_t>(count)] = light.radius;
    return true;
}

Vector2 SpotDirection(float rotation)
{
    const float angle = rotation - 1.5707964f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    // (0, 1) turned by the angle.
    return {0.0f * c - 1.0f * s, 0.0f * s + 1.0f * c};
}

int PackWalls(WallBlock& block, const std::vector<WallSegment>& segments, const ViewRectangle* view)
{
    int count = 0;
    for (const WallSegment& segment : segments)
    {
        if (count == WallBlock::Capacity)
            break;
        if (view != nullptr && !(RangesMeet(segment.x0, segment.x1, view->minX, view->maxX) &&
                                 RangesMeet(segment.y0, segment.y1, view->minY, view->maxY)))
            continue;
        WriteVec4(block.segments, count, segment.x0, segment.y0, segment.x1, segment.y1);
        ++count;
    }
    return count;
}
