#pragma once
#include <memory>
#include <string>

// A cursor position in the game window's client area, in pixels with y pointing down.
struct ClientPoint
{
    long x = 0;
    long y = 0;
};

// Everything the running engine asks of the operating system: the clock, key and mouse state,
// the cursor, the foreground window, message boxes, the console, cursor confinement and the
// system cursor. Keys are named by their Windows virtual-key codes, which the game's data and
// code use throughout. The game runs on GlfwPlatform; tests substitute a scripted platform.
class Platform
{
public:
    virtual ~Platform() = default;

    // Seconds on a monotonic clock.
    virtual double Now() = 0;
    // Delivers pending window events (close requests, wheel, focus, errors) to their handlers.
    virtual void PollEvents() = 0;
    // Whether the key or mouse button with this virtual-key code is down. Codes the engine
    // does not poll are never down.
    virtual bool IsKeyDown(int virtualKey) = 0;
    // The cursor relative to the game window; false when there is nothing to measure against.
    virtual bool CursorPosition(ClientPoint& out) = 0;
    // Whether the game window is the foreground window.
    virtual bool IsWindowFocused() = 0;
    // Shows a modal message to the user.
    virtual void ShowMessageBox(const std::string& caption, const std::string& message) = 0;
    virtual void HideConsoleWindow() = 0;
    // Keeps the cursor inside the game window.
    virtual void ConfineCursor() = 0;
    // Hides the system cursor over the game window (the game draws its own).
    virtual void HideSystemCursor() = 0;
};

// The platform the engine runs on: GlfwPlatform unless another one was set.
Platform& CurrentPlatform();
// Replaces the current platform; a null platform restores the default.
void SetPlatform(std::unique_ptr<Platform> platform);
// Restores the default GlfwPlatform.
void ResetPlatform();
