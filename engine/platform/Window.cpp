#include "engine/platform/Window.h"

#include "engine/core/Assert.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/GraphicsDriver.h"
#include "engine/platform/native/WindowBackdrop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdio>
#include <utility>

// Without a window manager nobody gives a new window the focus (GLFW does not even ask for a
// full-screen one), and the game ignores input while it is not in front. On a bare X server the
// focus first follows the pointer, so taking it for good sends the window a focus-out before the
// focus-in; a full-screen window would answer that with an iconify, which only a window manager
// can do. That exchange is therefore handled here with auto-iconify held off. The request may be
// refused (some platforms forbid it); that is no reason to stop.
static void RequestFocus(GLFWwindow* window)
{
    if (glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE)
        return;
    const int autoIconify = glfwGetWindowAttrib(window, GLFW_AUTO_ICONIFY);
    glfwSetWindowAttrib(window, GLFW_AUTO_ICONIFY, GLFW_FALSE);
    glfwFocusWindow(window);
    // Asking for the focus state waits for the server, so its focus events are in by now.
    glfwGetWindowAttrib(window, GLFW_FOCUSED);
    glfwPollEvents();
    glfwSetWindowAttrib(window, GLFW_AUTO_ICONIFY, autoIconify);
    WindowState::pendingGlfwError.clear();
}

bool CreateWindowContext(int width, int height, std::string title)
{
    WindowState::width = width;
    WindowState::height = height;
    WindowState::title = std::move(title);
    WindowState::pendingGlfwError.clear();

    if (glfwInit() == GLFW_FALSE)
        Assert("GLFW init has failed - abort program!!!");
    WindowState::glfwReady = true;
    glfwSetErrorCallback(GlfwErrorCallback);

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    RaisePendingGlfwError();

    GLFWmonitor* monitor = WindowState::fullScreen ? glfwGetPrimaryMonitor() : nullptr;
    GLFWwindow* window =
        glfwCreateWindow(WindowState::width, WindowState::height, WindowState::title.c_str(), monitor, nullptr);
    WindowState::window = window;
    // A failure GLFW explains (no OpenGL 4.5 among them) is an assert with its reason.
    RaisePendingGlfwError();
    if (window == nullptr)
    {
        std::fputs("GLFW unable to create OpenGL context - abort program\n", stderr);
        DestroyWindowContext();
        return false;
    }

    glfwMakeContextCurrent(window);
    KeepGraphicsDriverLoaded();
    glfwSetFramebufferSizeCallback(window, OnFramebufferResized);
    glfwSetScrollCallback(window, OnScroll);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    glfwSwapInterval(1);
    glfwSetWindowFocusCallback(window, OnWindowFocus);
    RaisePendingGlfwError();

    RequestFocus(window);

    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK)
    {
        std::string message;
        ComposeMessage(message, {"Unable to initialize GLEW - error: ",
                                 reinterpret_cast<const char*>(glewGetErrorString(glewStatus)), " abort program"});
        Assert(message);
    }
    if (!GLEW_VERSION_4_5)
        Assert("Driver doesn't support OpenGL 4.5 - abort program");

    std::string message;
    ComposeMessage(message, {"Using glew version: ", reinterpret_cast<const char*>(glewGetString(GLEW_VERSION))});
    Log(message);
    Log("Driver supports OpenGL 4.5\n");
    // After the last exchange with the server that waits for an answer (GLEW asks for the GLX
    // version): the painting then runs while the first stage loads.
    PaintWindowBackdrop(window);
    return true;
}

void ToggleFullscreen()
{
    WindowState::fullScreen = !WindowState::fullScreen;
    // The settings menu can ask before any window exists; the flag alone then decides how the
    // window will open.
    if (WindowState::window == nullptr)
        return;
    GLFWmonitor* monitor = WindowState::fullScreen ? glfwGetPrimaryMonitor() : nullptr;
    glfwSetWindowMonitor(WindowState::window, monitor, 1, 25, WindowState::width, WindowState::height,
                         GLFW_DONT_CARE);
    RaisePendingGlfwError();
    glViewport(0, 0, WindowState::width, WindowState::height);
}

void RequestWindowClose()
{
    WindowState::closeRequested = true;
    if (WindowState::window != nullptr)
        glfwSetWindowShouldClose(WindowState::window, GLFW_TRUE);
}

void DestroyWindowContext()
{
    if (!WindowState::glfwReady)
        return;
    glfwTerminate();
    // Calls made while GLFW is down (the clock, say) report nothing to raise later.
    glfwSetErrorCallback(nullptr);
    WindowState::glfwReady = false;
    WindowState::window = nullptr;
    // Nothing can be raised once GLFW is gone.
    WindowState::pendingGlfwError.clear();
}

void RaisePendingGlfwError()
{
    if (WindowState::pendingGlfwError.empty())
        return;
    std::string message = std::move(WindowState::pendingGlfwError);
    WindowState::pendingGlfwError.clear();
    Assert(message);
}

void GlfwErrorCallback(int code, const char* description)
{
    // Keep the first error: later ones are usually its consequences.
    if (!WindowState::pendingGlfwError.empty())
        return;
    ComposeMessage(WindowState::pendingGlfwError,
                   {"GLFW error id ", std::to_string(code), description != nullptr ? description : ""});
}

void OnFramebufferResized(GLFWwindow*, int, int)
{
    std::string message;
    ComposeMessage(message, {"fbsize_cb getting called for window"});
    Log(message);
}

void OnScroll(GLFWwindow*, double, double yOffset)
{
    WindowState::wheelOffset = static_cast<std::int32_t>(yOffset);
}

void OnWindowFocus(GLFWwindow*, int)
{
}
