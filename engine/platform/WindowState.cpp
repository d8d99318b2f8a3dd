#include "engine/platform/WindowState.h"

void WindowState::Reset()
{
    width = 1920;
    height = 1080;
    title.clear();
    window = nullptr;
    fullScreen = true;
    wheelOffset = 0;
    closeRequested = false;
    showLastFrame = nullptr;
    glfwReady = false;
    pendingGlfwError.clear();
}
