#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"

#include <functional>
#include <vector>

namespace assetgen
{
// Signed distance in pixels: negative inside, positive outside.
using DistanceFn = std::function<float(Vec2)>;
// The colour of a filled shape at a point.
using PaintFn = std::function<Color(Vec2)>;

struct Bounds
{
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A shape is its distance function and a box that holds everything it covers.
struct Shape
{
    DistanceFn distance;
    Bounds bounds;
};

Shape Circle(Vec2 centre, float radius);
Shape Ellipse(Vec2 centre, Vec2 radii, float angle = 0.0f);
// A box of half size `half`, turned by `angle`, with rounded corners of radius `corner`.
Shape Box(Vec2 centre, Vec2 half, float angle = 0.0f, float corner = 0.0f);
// A line from a to b with round ends, `radius` thick on each side.
Shape Capsule(Vec2 a, Vec2 b, float radius);
// A line whose thickness goes from ra at a to rb at b.
Shape Taper(Vec2 a, Vec2 b, float ra, float rb);
Shape Polygon(const std::vector<Vec2>& points);
Shape Ring(Vec2 centre, float radius, float thickness);

Shape Expanded(const Shape& s, float amount);
Shape Union(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& cut);
Shape Intersect(const Shape& a, const Shape& b);
// Roughens the edge with value noise (amplitude in pixels, scale = features per pixel).
Shape Ragged(const Shape& s, float amplitude, float scale, unsigned seed);

// Fills the shape; `softness` is the width of the anti-aliased edge in pixels (1 = crisp).
void Draw(Image& image, const Shape& shape, const PaintFn& paint, float softness = 1.0f);
void Draw(Image& image, const Shape& shape, Color color, float softness = 1.0f);
// Fills the shape with a dark rim of `width` pixels around it.
void DrawOutlined(Image& image, const Shape& shape, const PaintFn& paint, Color outline, float width);
void DrawOutlined(Image& image, const Shape& shape, Color fill, Color outline, float width);
}
