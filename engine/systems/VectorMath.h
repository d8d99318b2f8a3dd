#pragma once
#include "engine/components/Vector2.h"

#include <cmath>

// The small vector arithmetic the collision code shares. Single precision throughout, except
// lengths, which are taken in double so that unit vectors and push distances round once.
namespace VectorMath
{
inline float Dot(const Vector2& a, const Vector2& b)
{
    return a.x * b.x + a.y * b.y;
}

inline float Cross(const Vector2& a, const Vector2& b)
{
    return a.x * b.y - a.y * b.x;
}

inline Vector2 Sub(const Vector2& a, const Vector2& b)
{
    return {a.x - b.x, a.y - b.y};
}

inline Vector2 Add(const Vector2& a, const Vector2& b)
{
    return {a.x + b.x, a.y + b.y};
}

inline Vector2 Scale(const Vector2& v, float k)
{
    return {v.x * k, v.y * k};
}

inline double Length(const Vector2& v)
{
    const double x = v.x;
    const double y = v.y;
    return std::sqrt(x * x + y * y);
}

inline bool IsZero(const Vector2& v)
{
    return v.x == 0.0f && v.y == 0.0f;
}

inline bool IsNaN(const Vector2& v)
{
    return std::isnan(v.x) || std::isnan(v.y);
}
}
