#include "WorldKit.h"

#include "Filters.h"
#include "Noise.h"

namespace assetgen
{
void PaintWrapped(Image& tile, Vec2 at, const std::function<void(Image&, Vec2)>& paint)
{
    float w = static_cast<float>(tile.Width()), h = static_cast<float>(tile.Height());
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            paint(tile, at + Vec2{dx * w, dy * h});
}

void NoiseFill(Image& tile, Color dark, Color light, int cellsX, int cellsY, int octaves, int seed)
{
    float sx = static_cast<float>(cellsX) / tile.Width(), sy = static_cast<float>(cellsY) / tile.Height();
    MapPixels(tile, [&](Color, int x, int y) {
        float n = TileFbm((x + 0.5f) * sx, (y + 0.5f) * sy, cellsX, cellsY, octaves, seed);
        return Mix(dark, light, Clamp01(n * 1.2f + 0.5f));
    });
}

void NoiseShade(Image& tile, float amount, int cellsX, int cellsY, int octaves, int seed)
{
    float sx = static_cast<float>(cellsX) / tile.Width(), sy = static_cast<float>(cellsY) / tile.Height();
    MapPixels(tile, [&](Color c, int x, int y) {
        float n = TileFbm((x + 0.5f) * sx, (y + 0.5f) * sy, cellsX, cellsY, octaves, seed);
        return Shade(c, 1.0f + amount * n * 2.0f);
    });
}

void DuskGrade(Image& image, float amount)
{
    MapPixels(image, [&](Color c, int, int) {
        float l = Luma(c);
        Color shadow{c.r * 0.92f, c.g * 0.9f, c.b * 1.08f + 0.02f, c.a};
        Color light{c.r * 1.06f + 0.02f, c.g * 1.0f, c.b * 0.9f, c.a};
        return Mix(c, Mix(shadow, light, Clamp01(l * 1.4f)), amount);
    });
}
}
