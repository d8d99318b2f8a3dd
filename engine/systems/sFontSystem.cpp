#include "engine/systems/sFontSystem.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/CameraView.h"

void sFontSystem::Update(Coordinator& coordinator)
{
    const Vector2 camera = CameraPosition(coordinator);
    // The renderer sets the aspect ratio later in the frame; until it has drawn once, the
    // window's own proportions stand in, so the first frame's projections are finite.
    const float aspect = coordinator.AspectRatio > 0.0f ? coordinator.AspectRatio : WindowAspectRatio();
    Project(screenProjection, ReferenceViewHeight, camera, aspect);
    Project(worldProjection, coordinator.ViewHeight, camera, aspect);
}

void sFontSystem::Project(float (&matrix)[16], float viewHeight, Vector2 camera, float aspect)
{
    right = camera.x + viewHeight * aspect * 0.5f;
    left = camera.x - viewHeight * aspect * 0.5f;
    top = camera.y + viewHeight * 0.5f;
    bottom = camera.y - viewHeight * 0.5f;
    const float width = right - left + textOffset.x;
    const float height = top - bottom + textOffset.y;
    matrix[0] = 2.0f / width;
    matrix[5] = 2.0f / height;
    matrix[10] = -1.0f;
    matrix[12] = -(left + right + textOffset.x) / width;
    matrix[13] = -(bottom + top + textOffset.y) / height;
    matrix[15] = 1.0f;
}
