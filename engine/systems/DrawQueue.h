#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <vector>

class Renderer;

// One entity to draw this frame.
struct DrawEntry
{
    Renderer* renderer = nullptr;
    Entity entity = 0;
};

// Ascending by layer; equal layers by texture name (byte-wise, a prefix first), so that entities
// sharing a texture are drawn one after another; among those, untiled before tiled. Sorts in
// place without allocating.
void SortDrawQueue(std::vector<DrawEntry>& queue);

// Whether a sprite lies wholly outside the view, with a margin of 10 units: its box (half sizes
// halfX and halfY, turned by rotation) against the view of half size (viewHalfWidth,
// viewHalfHeight) around the camera.
bool OutsideView(Vector2 position, float rotation, float halfX, float halfY, Vector2 camera, float viewHalfWidth,
                 float viewHalfHeight);

// The share of a mesh's indices to draw for a fill percentage: whole indices, never more than
// the mesh has and none for a fill of 0 or less (or not a number).
unsigned int FillIndexCount(int indexCount, float fillPercent);
