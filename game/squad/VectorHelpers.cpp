#include "game/squad/VectorHelpers.h"

#include <algorithm>
#include <cmath>

Vector2 NormalizeVector2(const Vector2& v)
{
    const double length = std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y);
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0f, 0.0f};
    return {static_cast<float>(v.x / length), static_cast<float>(v.y / length)};
}

float AngleBetween(const Vector2& a, const Vector2& b)
{
    const float dot = a.x * b.x + a.y * b.y;
    return std::acos(std::clamp(dot, -1.0f, 1.0f));
}
