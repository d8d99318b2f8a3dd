#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/sSystemBase.h"

#include <cstdint>

class Transform;

// The first system of every frame: pumps the window's events, turns the polled keys into key
// states (read through Coordinator::GetKeyState), places the world and screen cursor points and
// the cursor entity, and runs the player's camera controls in a level (wheel zoom, middle-button
// drag, edge panning), then keeps the view inside the camera bounds. It owns no entities.
//
// Key state values per polled code: 0 seeded (not yet seen up), 1 up, 3 pressed this frame,
// 4 held, 8 released after a one-frame press, 16 settled. A one-frame click reads 1, 3, 4, 0 in
// four frames; a new press while the key is released or settled is not seen.
class sInputSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sInputSystem";

    // Nothing but the events changes while the game window is not in front.
    void Update(Coordinator& coordinator) override;

    // Places both cursor points (y up) and the cursor entity. Nothing changes when the cursor
    // cannot be measured.
    static void UpdateCursorPosition(Coordinator& coordinator);
    // Keeps the view inside Coordinator::CameraBounds; when the view is larger than the bounds
    // the minimum side wins. Nothing happens without a camera Transform.
    static void ClampCameraToBounds(Coordinator& coordinator);

    // Edge-pan speed in world units per frame ("Camera Sensitivity" in the settings); one value
    // for the whole program.
    static float& CameraSensitivity();
    static constexpr float DefaultCameraSensitivity = 15.0f;
    static void ResetCameraSensitivity();

    // The world cursor (in pixels while the middle button is down) when the drag began.
    Vector2 DragStartScreen;
    // The camera position when the drag began.
    Vector2 DragStartCamera;
    // Left-button word the menu sliders read: 1 up, 3 down (from the frame after the press
    // until the button has settled).
    std::int32_t PointerFlags = 1;
    // Set while a scripted camera move runs; edge panning waits until the cursor has left the
    // edge band once.
    bool EdgePanBlocked = false;

private:
    void UpdateKeyStates(Coordinator& coordinator);
    void RunCameraControls(Coordinator& coordinator);
    void DragCamera(Coordinator& coordinator, Transform& camera);
    void PanAtEdge(Coordinator& coordinator, Transform& camera);
    void UpdatePointerFlags(Coordinator& coordinator);
};
