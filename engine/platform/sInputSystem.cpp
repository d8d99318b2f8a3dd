#include "engine/platform/sInputSystem.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/Platform.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTransitionScreen.h"

#include <cmath>

namespace
{
constexpr int LeftButton = 1;
constexpr int MiddleButton = 4;
// Edge panning steers from this point of the reference view, whatever the window's size.
constexpr float PanCentreX = 960.0f;
constexpr float PanCentreY = 540.0f;

// Key state values (see the class comment); the bits are what GetKeyState tests.
constexpr int KeyUp = 1;
constexpr int KeyPressedBit = 2;
constexpr int KeyHeld = 4;
constexpr int KeyReleased = 8;
constexpr int KeySettled = 16;

int NextKeyState(int state, bool down)
{
    if (down)
    {
        if (state & KeyPressedBit)
            return KeyHeld;
        if (state & KeyUp)
            return state | KeyPressedBit;
        return state;
    }
    if (state & KeyPressedBit)
        return KeyReleased;
    if (state & (KeyReleased | KeyHeld))
        return KeySettled;
    return KeyUp;
}

void MoveTo(Transform& transform, float x, float y)
{
    transform.previousPosition = transform.position;
    transform.position = {x, y};
}

// The world point of a window pixel (y up) for the current view.
Vector2 WorldPointOf(const Coordinator& coordinator, const Vector2& camera, float x, float y)
{
    const float viewHeight = coordinator.ViewHeight;
    const float viewWidth = coordinator.AspectRatio * viewHeight;
    const float windowWidth = static_cast<float>(coordinator.WindowWidth);
    const float windowHeight = static_cast<float>(coordinator.WindowHeight);
    return {x / windowWidth * viewWidth + (camera.x - viewWidth * 0.5f),
            y / windowHeight * viewHeight + (camera.y - viewHeight * 0.5f)};
}

bool CameraControlsAllowed()
{
    const bGameLogic* logic = GameLogicInstance();
    const bTransitionScreen* transition = TransitionScreenInstance();
    return logic != nullptr && logic->CurrentState == GameState::Playing && transition != nullptr &&
           !transition->DoorsMoving;
}
}

float& sInputSystem::CameraSensitivity()
{
    static float sensitivity = DefaultCameraSensitivity;
    return sensitivity;
}

void sInputSystem::ResetCameraSensitivity()
{
    CameraSensitivity() = DefaultCameraSensitivity;
}

void sInputSystem::Update(Coordinator& coordinator)
{
    CurrentPlatform().PollEvents();
    if (coordinator.Unfocused)
        return;
    UpdateKeyStates(coordinator);
    UpdateCursorPosition(coordinator);
    if (CameraControlsAllowed())
        RunCameraControls(coordinator);
    ClampCameraToBounds(coordinator);
    UpdatePointerFlags(coordinator);
}

void sInputSystem::UpdateKeyStates(Coordinator& coordinator)
{
    Platform& platform = CurrentPlatform();
    for (auto& [code, state] : coordinator.KeyStates)
        state = NextKeyState(state, platform.IsKeyDown(code));
}

void sInputSystem::UpdateCursorPosition(Coordinator& coordinator)
{
    ClientPoint client;
    if (!CurrentPlatform().CursorPosition(client))
        return;
    const long flippedY = static_cast<long>(WindowState::height) - client.y;
    *coordinator.ScreenCursor = {client.x, flippedY};
    *coordinator.WorldCursor = {client.x, flippedY};

    const Transform* cameraTransform = coordinator.GetComponent<Transform>(coordinator.CameraEntity);
    const Vector2 camera = cameraTransform != nullptr ? cameraTransform->position : Vector2{};
    CursorPoint& world = *coordinator.WorldCursor;
    const Vector2 point =
        WorldPointOf(coordinator, camera, static_cast<float>(world.x), static_cast<float>(world.y));
    Transform* cursor = coordinator.CursorEntity != 0 ? coordinator.GetComponent<Transform>(coordinator.CursorEntity)
                                                      : nullptr;
    if (coordinator.GetKeyState(MiddleButton) == 0)
    {
        world = {static_cast<long>(point.x), static_cast<long>(point.y)};
        if (cursor != nullptr)
            MoveTo(*cursor, static_cast<float>(world.x), static_cast<float>(world.y));
    }
    else if (cursor != nullptr)
    {
        // The drag works in pixels, so the world point stays in them; only the sprite moves.
        MoveTo(*cursor, point.x, point.y);
    }

    if (WindowState::wheelOffset != 0 && coordinator.CursorEntity != 0)
    {
        // The cursor sprite keeps its size on screen at every zoom.
        if (Renderer* sprite = coordinator.GetComponent<Renderer>(coordinator.CursorEntity))
        {
            const float scale = coordinator.ViewHeight / static_cast<float>(coordinator.WindowHeight) * 20.0f;
            sprite->scaleX = scale;
            sprite->scaleY = scale;
        }
    }
}

void sInputSystem::RunCameraControls(Coordinator& coordinator)
{
    std::int32_t& wheel = WindowState::wheelOffset;
    if (wheel != 0)
    {
        // A fast flick reported at once (not exactly one notch) waits for a single notch.
        const int step = wheel == 1 ? 1 : wheel == -1 ? -1 : 0;
        if (step != 0)
            wheel = 0;
        coordinator.ViewHeight = coordinator.ViewHeight - static_cast<float>(step) * coordinator.ZoomStep;
        if (coordinator.ViewHeight < coordinator.ZoomMin)
            coordinator.ViewHeight = coordinator.ZoomMin;
        else if (coordinator.ViewHeight > coordinator.ZoomMax)
            coordinator.ViewHeight = coordinator.ZoomMax;
    }

    auto cameraBehaviour = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    Transform* camera = coordinator.GetComponent<Transform>(coordinator.CameraEntity);
    if (cameraBehaviour == nullptr || camera == nullptr)
        return;
    if (cameraBehaviour->MoveTimeLeft() > 0.0f || cameraBehaviour->QueuedMoveCount() != 0)
    {
        EdgePanBlocked = true;
        return;
    }
    DragCamera(coordinator, *camera);
    PanAtEdge(coordinator, *camera);
}

void sInputSystem::DragCamera(Coordinator& coordinator, Transform& camera)
{
    const CursorPoint& hand = *coordinator.WorldCursor;
    switch (coordinator.GetKeyState(MiddleButton))
    {
    case 1:
        DragStartScreen = {static_cast<float>(hand.x), static_cast<float>(hand.y)};
        DragStartCamera = camera.position;
        break;
    case 2:
        // The world cursor is in pixels while the button is down: the view follows the hand one
        // world unit per pixel at every zoom.
        MoveTo(camera, DragStartCamera.x - (static_cast<float>(hand.x) - DragStartScreen.x),
               DragStartCamera.y - (static_cast<float>(hand.y) - DragStartScreen.y));
        break;
    default:
        break;
    }
}

void sInputSystem::PanAtEdge(Coordinator& coordinator, Transform& camera)
{
    const float x = static_cast<float>(coordinator.ScreenCursor->x);
    const float y = static_cast<float>(coordinator.ScreenCursor->y);
    const float width = static_cast<float>(WindowState::width);
    const float height = static_cast<float>(WindowState::height);
    const bool inBand = x <= 0.005f * width || x >= 0.995f * width || y <= 0.005f * height || y >= 0.995f * height;
    if (!inBand)
    {
        EdgePanBlocked = false;
        return;
    }
    if (EdgePanBlocked)
        return;
    const float dx = x - PanCentreX;
    const float dy = y - PanCentreY;
    const double length = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    // A cursor exactly on the centre (only in a very small window) points nowhere.
    if (length == 0.0)
        return;
    const float factor = static_cast<float>(1.0 / length);
    const float speed = CameraSensitivity();
    MoveTo(camera, camera.position.x + dx * factor * speed, camera.position.y + dy * factor * speed);
}

void sInputSystem::ClampCameraToBounds(Coordinator& coordinator)
{
    Transform* camera = coordinator.GetComponent<Transform>(coordinator.CameraEntity);
    if (camera == nullptr)
        return;
    const float halfHeight = coordinator.ViewHeight * 0.5f;
    const float halfWidth = halfHeight * coordinator.AspectRatio;
    const float* bounds = coordinator.CameraBounds;
    Vector2& p = camera->position;
    if (p.x + halfWidth > bounds[2])
        MoveTo(*camera, bounds[2] - halfWidth, p.y);
    if (bounds[0] > p.x - halfWidth)
        MoveTo(*camera, bounds[0] + halfWidth, p.y);
    if (p.y + halfHeight > bounds[3])
        MoveTo(*camera, p.x, bounds[3] - halfHeight);
    if (bounds[1] > p.y - halfHeight)
        MoveTo(*camera, p.x, bounds[1] + halfHeight);
}

void sInputSystem::UpdatePointerFlags(Coordinator& coordinator)
{
    const int left = coordinator.GetKeyState(LeftButton);
    if (left >= 2)
        PointerFlags |= 2;
    else if (left == 0)
        PointerFlags = (PointerFlags & ~2) | 1;
}
