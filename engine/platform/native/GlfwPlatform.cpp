#include "engine/platform/native/GlfwPlatform.h"

#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/MessageBox.h"
#include "engine/platform/native/VirtualKeyMap.h"

#include <GLFW/glfw3.h>
#include <cmath>

double GlfwPlatform::Now()
{
    return glfwGetTime();
}

void GlfwPlatform::PollEvents()
{
    if (!WindowState::glfwReady)
        return;
    glfwPollEvents();
    RaisePendingGlfwError();
}

bool GlfwPlatform::IsKeyDown(int virtualKey)
{
    GLFWwindow* window = WindowState::window;
    if (window == nullptr)
        return false;
    const GlfwInput input = GlfwInputForVirtualKey(virtualKey);
    for (int i = 0; i < input.count; ++i)
    {
        const int code = input.codes[i];
        const int state = input.device == GlfwInput::Device::Mouse ? glfwGetMouseButton(window, code)
                                                                   : glfwGetKey(window, code);
        if (state == GLFW_PRESS)
            return true;
    }
    return false;
}

bool GlfwPlatform::CursorPosition(ClientPoint& out)
{
    if (WindowState::window == nullptr)
        return false;
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(WindowState::window, &x, &y);
    // Whole pixels, as a Windows cursor point: the pixel the cursor is in, also left of or
    // above the window.
    out.x = static_cast<long>(std::floor(x));
    out.y = static_cast<long>(std::floor(y));
    return true;
}

bool GlfwPlatform::IsWindowFocused()
{
    return WindowState::window != nullptr && glfwGetWindowAttrib(WindowState::window, GLFW_FOCUSED) == GLFW_TRUE;
}

void GlfwPlatform::ShowMessageBox(const std::string& caption, const std::string& message)
{
    ::ShowMessageBox(caption, message);
}

void GlfwPlatform::HideConsoleWindow()
{
    // A Linux program owns no console window of its own.
}

void GlfwPlatform::ConfineCursor()
{
    // Desktops here keep the pointer free; the game pans at the window's edge regardless.
}

void GlfwPlatform::HideSystemCursor()
{
    if (WindowState::window != nullptr)
        glfwSetInputMode(WindowState::window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}
