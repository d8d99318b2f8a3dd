#pragma once
#include "engine/components/Vector2.h"

// 2 by 2 float matrix, column-major: m0 = r0c0, m1 = r1c0, m2 = r0c1, m3 = r1c1.
struct Matrix2
{
    Vector2 columns[2] = {{1.0f, 0.0f}, {0.0f, 1.0f}};

    // Asserts "BAD VALUE MATRIX2 = <index>" for an index outside 0..1.
    Vector2& Column(int index);
    const Vector2& Column(int index) const;

    // matrix x vector, summed column by column in single precision.
    Vector2 MultiplyVector(const Vector2& v) const;
};
