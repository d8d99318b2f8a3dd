#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"

#include <functional>

namespace assetgen
{
// Helpers for seamless tiles: anything drawn near an edge is drawn again across it.

// Calls `paint` at `at` and at its copies one tile away in every direction.
void PaintWrapped(Image& tile, Vec2 at, const std::function<void(Image&, Vec2)>& paint);
// Fills the tile with a colour that varies by tiling noise (`cells` noise cells across the tile).
void NoiseFill(Image& tile, Color dark, Color light, int cellsX, int cellsY, int octaves, int seed);
// Multiplies the tile by tiling noise around 1 (amount 0.1 = plus or minus ten percent).
void NoiseShade(Image& tile, float amount, int cellsX, int cellsY, int octaves, int seed);
// Tints the whole picture towards the dusk palette (warm highlights, cool violet shadows).
void DuskGrade(Image& image, float amount);
}
