#include "Geometry.h"

#include <cmath>

namespace assetgen
{
float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

float Length(Vec2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

Vec2 Normalized(Vec2 a)
{
    float l = Length(a);
    return l > 0 ? Vec2{a.x / l, a.y / l} : Vec2{0, 0};
}

Vec2 Rotated(Vec2 a, float angle)
{
    float c = std::cos(angle), s = std::sin(angle);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

Vec2 Lerp(Vec2 a, Vec2 b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float Clamp(float v, float low, float high) { return v < low ? low : (v > high ? high : v); }

float Smoothstep(float edge0, float edge1, float v)
{
    float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

float LerpF(float a, float b, float t) { return a + (b - a) * t; }
}
