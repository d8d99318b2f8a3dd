#pragma once
#include "engine/components/Vector2.h"

class Coordinator;
class Transform;

// The camera is the Transform of the Coordinator's camera entity. A scene without one is seen
// from the centre of the reference view.
inline constexpr float ReferenceViewWidth = 1920.0f;
inline constexpr float ReferenceViewHeight = 1080.0f;

// The camera entity's Transform, or null when it has none.
Transform* CameraTransform(Coordinator& coordinator);
// The camera's position; (960, 540) without a camera.
Vector2 CameraPosition(Coordinator& coordinator);
// The window's width over its height, as the renderer draws with it; a window without a height
// keeps the aspect of the reference view.
float WindowAspectRatio();
