#include "engine/systems/CameraMatrices.h"
#include "engine/systems/CameraView.h"

#include <cmath>

namespace
{
Matrix3 Diagonal(float x, float y)
{
    Matrix3 matrix;
    matrix.m[0] = x;
    matrix.m[4] = y;
    return matrix;
}
}

Matrix3 InverseOrSame(const Matrix3& matrix)
{
    // Element (row r, column c) is m[3c + r].
    auto at = [&](int r, int c) { return matrix.m[3 * c + r]; };
    const float c00 = at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1);
    const float c01 = at(1, 2) * at(2, 0) - at(1, 0) * at(2, 2);
    const float c02 = at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0);
    const float determinant = at(0, 0) * c00 + at(0, 1) * c01 + at(0, 2) * c02;
    if (determinant == 0.0f)
        return matrix;
    const float inverse = 1.0f / determinant;
    Matrix3 result;
    auto set = [&](int r, int c, float value) { result.m[3 * c + r] = value * inverse; };
    set(0, 0, c00);
    set(1, 0, c01);
    set(2, 0, c02);
    set(0, 1, at(0, 2) * at(2, 1) - at(0, 1) * at(2, 2));
    set(1, 1, at(0, 0) * at(2, 2) - at(0, 2) * at(2, 0));
    set(2, 1, at(0, 1) * at(2, 0) - at(0, 0) * at(2, 1));
    set(0, 2, at(0, 1) * at(1, 2) - at(0, 2) * at(1, 1));
    set(1, 2, at(0, 2) * at(1, 0) - at(0, 0) * at(1, 2));
    set(2, 2, at(0, 0) * at(1, 1) - at(0, 1) * at(1, 0));
    return result;
}

CameraMatrices ComputeCameraMatrices(Vector2 position, float rotation, float viewHeight, float aspect)
{
    CameraMatrices result;
    const float c = std::cos(rotation);
    const float s = std::sin(rotation);
    result.rotation.columns[0] = {c, s};
    result.rotation.columns[1] = {-s, c};
    Matrix3 camera;
    camera.m[0] = c;
    camera.m[1] = s;
    camera.m[2] = 0.0f;
    camera.m[3] = -s;
    camera.m[4] = c;
    camera.m[5] = 0.0f;
    camera.m[6] = position.x;
    camera.m[7] = position.y;
    camera.m[8] = 1.0f;
    result.view = InverseOrSame(camera);
    result.worldScale = Diagonal(2.0f / (viewHeight * aspect), 2.0f / viewHeight);
    // Matrix3Multiply(a, b) is b x a: the view is applied first.
    result.worldToScreen = Matrix3Multiply(result.view, result.worldScale);
    result.interfaceToScreen =
        Matrix3Multiply(result.view, Diagonal(2.0f / ReferenceViewWidth, 2.0f / ReferenceViewHeight));
    return result;
}
