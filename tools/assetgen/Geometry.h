#pragma once

// Plain 2D points and the few operations the drawing code needs. Image space: x to the right,
// y downwards (row 0 is the top of the picture, as in the PNG file).
namespace assetgen
{
struct Vec2
{
    float x = 0;
    float y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
inline Vec2 operator*(float k, Vec2 a) { return {a.x * k, a.y * k}; }

float Dot(Vec2 a, Vec2 b);
float Length(Vec2 a);
Vec2 Normalized(Vec2 a);
// Turns a vector by an angle in radians (positive turns x towards y, clockwise on screen).
Vec2 Rotated(Vec2 a, float angle);
Vec2 Lerp(Vec2 a, Vec2 b, float t);
float Clamp01(float v);
float Clamp(float v, float low, float high);
float Smoothstep(float edge0, float edge1, float v);
float LerpF(float a, float b, float t);

constexpr float Pi = 3.14159265358979f;
constexpr float TwoPi = 6.28318530717959f;
}
