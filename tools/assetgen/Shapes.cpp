#include "Shapes.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
namespace
{
Bounds Grow(Bounds b, float k) { return {b.x0 - k, b.y0 - k, b.x1 + k, b.y1 + k}; }

Bounds Join(Bounds a, Bounds b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Bounds Meet(Bounds a, Bounds b)
{
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b, float& t)
{
    Vec2 pa = p - a, ba = b - a;
    float len2 = Dot(ba, ba);
    t = len2 > 0 ? Clamp01(Dot(pa, ba) / len2) : 0.0f;
    return Length(pa - ba * t);
}
}

Shape Circle(Vec2 c, float r)
{
    return {[=](Vec2 p) { return Length(p - c) - r; }, {c.x - r, c.y - r, c.x + r, c.y + r}};
}

Shape Ellipse(Vec2 c, Vec2 radii, float angle)
{
    float reach = std::max(radii.x, radii.y);
    float ca = std::cos(angle), sa = std::sin(angle);
    return {[=](Vec2 p) {
                Vec2 d = p - c;
                Vec2 q{d.x * ca + d.y * sa, -d.x * sa + d.y * ca};
                // Distance estimate of an ellipse: exact on the axes, close elsewhere.
                float k0 = Length({q.x / radii.x, q.y / radii.y});
                float k1 = Length({q.x / (radii.x * radii.x), q.y / (radii.y * radii.y)});
                if (k1 <= 0.0f)
                    return -std::min(radii.x, radii.y);
                return k0 * (k0 - 1.0f) / k1;
            },
            {c.x - reach, c.y - reach, c.x + reach, c.y + reach}};
}

Shape Box(Vec2 c, Vec2 half, float angle, float corner)
{
    float reach = Length(half);
    float ca = std::cos(angle), sa = std::sin(angle);
    return {[=](Vec2 p) {
                Vec2 d = p - c;
                Vec2 q{d.x * ca + d.y * sa, -d.x * sa + d.y * ca};
                float dx = std::fabs(q.x) - (half.x - corner), dy = std::fabs(q.y) - (half.y - corner);
                float outside = Length({std::max(dx, 0.0f), std::max(dy, 0.0f)});
                float inside = std::min(std::max(dx, dy), 0.0f);
                return outside + inside - corner;
            },
            {c.x - reach, c.y - reach, c.x + reach, c.y + reach}};
}

Shape Capsule(Vec2 a, Vec2 b, float r)
{
    return {[=](Vec2 p) {
                float t;
                return SegmentDistance(p, a, b, t) - r;
            },
            {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r}};
}

Shape Taper(Vec2 a, Vec2 b, float ra, float rb)
{
    float r = std::max(ra, rb);
    return {[=](Vec2 p) {
                float t;
                float d = SegmentDistance(p, a, b, t);
                return d - LerpF(ra, rb, t);
            },
            {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r}};
}

Shape Polygon(const std::vector<Vec2>& pts)
{
    Bounds b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (Vec2 p : pts)
        b = Join(b, {p.x, p.y, p.x, p.y});
    return {[pts](Vec2 p) {
                float d = Dot(p - pts[0], p - pts[0]);
                float s = 1.0f;
                size_t n = pts.size();
                for (size_t i = 0, j = n - 1; i < n; j = i, ++i)
                {
                    Vec2 e = pts[j] - pts[i], w = p - pts[i];
                    Vec2 q = w - e * Clamp01(Dot(w, e) / Dot(e, e));
                    d = std::min(d, Dot(q, q));
                    bool c1 = p.y >= pts[i].y, c2 = p.y < pts[j].y, c3 = e.x * w.y > e.y * w.x;
                    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
                        s = -s;
                }
                return s * std::sqrt(d);
            },
            b};
}

Shape Ring(Vec2 c, float r, float thickness)
{
    float reach = r + thickness;
    return {[=](Vec2 p) { return std::fabs(Length(p - c) - r) - thickness * 0.5f; },
            {c.x - reach, c.y - reach, c.x + reach, c.y + reach}};
}

Shape Expanded(const Shape& s, float amount)
{
    DistanceFn d = s.distance;
    return {[d, amount](Vec2 p) { return d(p) - amount; }, Grow(s.bounds, std::max(amount, 0.0f))};
}

Shape Union(const Shape& a, const Shape& b)
{
    DistanceFn da = a.distance, db = b.distance;
    return {[da, db](Vec2 p) { return std::min(da(p), db(p)); }, Join(a.bounds, b.bounds)};
}

Shape Subtract(const Shape& a, const Shape& cut)
{
    DistanceFn da = a.distance, dc = cut.distance;
    return {[da, dc](Vec2 p) { return std::max(da(p), -dc(p)); }, a.bounds};
}

Shape Intersect(const Shape& a, const Shape& b)
{
    DistanceFn da = a.distance, db = b.distance;
    return {[da, db](Vec2 p) { return std::max(da(p), db(p)); }, Meet(a.bounds, b.bounds)};
}

Shape Ragged(const Shape& s, float amplitude, float scale, unsigned seed)
{
    DistanceFn d = s.distance;
    return {[=](Vec2 p) { return d(p) + amplitude * Perlin(p.x * scale, p.y * scale, static_cast<int>(seed)); },
            Grow(s.bounds, amplitude)};
}

void Draw(Image& image, const Shape& shape, const PaintFn& paint, float softness)
{
    float pad = softness + 1.0f;
    int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0 - pad)));
    int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0 - pad)));
    int x1 = std::min(image.Width() - 1, static_cast<int>(std::ceil(shape.bounds.x1 + pad)));
    int y1 = std::min(image.Height() - 1, static_cast<int>(std::ceil(shape.bounds.y1 + pad)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            Vec2 p{x + 0.5f, y + 0.5f};
            float coverage = Clamp01(0.5f - shape.distance(p) / softness);
            if (coverage > 0.0f)
                image.Blend(x, y, paint(p), coverage);
        }
}

void Draw(Image& image, const Shape& shape, Color color, float softness)
{
    Draw(image, shape, [color](Vec2) { return color; }, softness);
}

void DrawOutlined(Image& image, const Shape& shape, const PaintFn& paint, Color outline, float width)
{
    Draw(image, Expanded(shape, width), outline);
    Draw(image, shape, paint);
}

void DrawOutlined(Image& image, const Shape& shape, Color fill, Color outline, float width)
{
    Draw(image, Expanded(shape, width), outline);
    Draw(image, shape, fill);
}
}
