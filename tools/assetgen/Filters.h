#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"

#include <functional>

namespace assetgen
{
// Blurs every channel (alpha-weighted) with a box of the given radius, three passes (near Gaussian).
void Blur(Image& image, int radius);
// The picture over a silhouette of itself grown by `width` pixels in `color`: a readable rim.
Image WithOutline(const Image& image, float width, Color color);
// A soft copy of the picture's silhouette in `color`, moved by `offset`, blurred by `blur`.
Image SilhouetteShadow(const Image& image, Vec2 offset, int blur, Color color);
// Replaces every pixel by fn(pixel, x, y).
void MapPixels(Image& image, const std::function<Color(Color, int, int)>& fn);
// Darkens the picture towards its corners.
void Vignette(Image& image, float strength, float reach = 0.75f);
// Adds grain of the given strength (deterministic for the seed).
void Grain(Image& image, float strength, unsigned seed);
}
