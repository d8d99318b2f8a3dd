#pragma once
#include "engine/components/Matrix2.h"
#include "engine/components/Matrix3.h"
#include "engine/components/Vector2.h"

// What the renderer derives from the camera each frame and stores in the Coordinator.
struct CameraMatrices
{
    Matrix2 rotation;            // columns (cos, sin) and (-sin, cos)
    Matrix3 view;                // the inverse of the camera's own transform
    Matrix3 worldScale;          // diag(2 / (viewHeight x aspect), 2 / viewHeight, 1)
    Matrix3 worldToScreen;       // worldScale x view
    Matrix3 interfaceToScreen;   // diag(2 / 1920, 2 / 1080, 1) x view
};

CameraMatrices ComputeCameraMatrices(Vector2 position, float rotation, float viewHeight, float aspect);

// The general 3 by 3 inverse; a matrix whose determinant is 0 is returned as it is.
Matrix3 InverseOrSame(const Matrix3& matrix);
