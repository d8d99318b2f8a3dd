#pragma once
#include "engine/platform/native/Platform.h"

// The platform of the game: GLFW for the clock, events, keys, cursor and focus, the native
// message box, and nothing where Linux has no counterpart (console, cursor confinement).
// Everything that needs the game window answers "no" or does nothing until it exists.
class GlfwPlatform : public Platform
{
public:
    double Now() override;
    // Pumps GLFW's events and raises any GLFW error they reported.
    void PollEvents() override;
    bool IsKeyDown(int virtualKey) override;
    bool CursorPosition(ClientPoint& out) override;
    bool IsWindowFocused() override;
    void ShowMessageBox(const std::string& caption, const std::string& message) override;
    void HideConsoleWindow() override;
    void ConfineCursor() override;
    void HideSystemCursor() override;
};
