#pragma once

// 3 by 3 float matrix, column-major: element 3c + r is row r of column c. A Transform's model
// matrix is columns (cos, sin, 0), (-sin, cos, 0), (x, y, 1).
struct Matrix3
{
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

    // Pointer to the first float of the column; the shader upload passes column 0.
    float* Column(int index) { return &m[3 * index]; }
    const float* Column(int index) const { return &m[3 * index]; }

    static Matrix3 Identity() { return Matrix3{}; }
};

// Returns other x a: the matrix `a` is applied first. Sums run in the fixed order
// ((0 + a0*b0) + a1*b3) + a2*b6, in single precision.
Matrix3 Matrix3Multiply(const Matrix3& a, const Matrix3& other);
