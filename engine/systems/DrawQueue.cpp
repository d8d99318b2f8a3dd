#include "engine/systems/DrawQueue.h"
#include "engine/components/Renderer.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float CullMargin = 10.0f;
}

void SortDrawQueue(std::vector<DrawEntry>& queue)
{
    std::sort(queue.begin(), queue.end(), [](const DrawEntry& a, const DrawEntry& b) {
        if (a.renderer->layer != b.renderer->layer)
            return a.renderer->layer < b.renderer->layer;
        const int byName = a.renderer->textureName.compare(b.renderer->textureName);
        if (byName != 0)
            return byName < 0;
        // Equal in both keys the order is free: tiled ones together, so that they share draws.
        return a.renderer->tileMode < b.renderer->tileMode;
    });
}

bool OutsideView(Vector2 position, float rotation, float halfX, float halfY, Vector2 camera, float viewHalfWidth,
                 float viewHalfHeight)
{
    float extentX = std::fabs(halfX);
    float extentY = std::fabs(halfY);
    if (rotation != 0.0f)
    {
        // The box of the turned rectangle.
        const float c = std::fabs(std::cos(rotation));
        const float s = std::fabs(std::sin(rotation));
        const float turnedX = extentX * c + extentY * s;
        const float turnedY = extentX * s + extentY * c;
        extentX = turnedX;
        extentY = turnedY;
    }
    return camera.x - viewHalfWidth > position.x + extentX + CullMargin ||
           position.x - extentX - CullMargin > camera.x + viewHalfWidth ||
           position.y + extentY + CullMargin < camera.y - viewHalfHeight ||
           position.y - extentY - CullMargin > camera.y + viewHalfHeight;
}

unsigned int FillIndexCount(int indexCount, float fillPercent)
{
    if (indexCount <= 0 || !(fillPercent > 0.0f))
        return 0;
    const float share = static_cast<float>(indexCount) * fillPercent * 0.01f;
    if (share >= static_cast<float>(indexCount))
        return static_cast<unsigned int>(indexCount);
    return static_cast<unsigned int>(share);
}
