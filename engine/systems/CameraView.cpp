#include "engine/systems/CameraView.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/WindowState.h"

Transform* CameraTransform(Coordinator& coordinator)
{
    return coordinator.GetComponent<Transform>(coordinator.CameraEntity);
}

Vector2 CameraPosition(Coordinator& coordinator)
{
    if (const Transform* camera = CameraTransform(coordinator))
        return camera->position;
    return {ReferenceViewWidth * 0.5f, ReferenceViewHeight * 0.5f};
}

float WindowAspectRatio()
{
    if (WindowState::height <= 0 || WindowState::width <= 0)
        return ReferenceViewWidth / ReferenceViewHeight;
    return static_cast<float>(WindowState::width) / static_cast<float>(WindowState::height);
}
