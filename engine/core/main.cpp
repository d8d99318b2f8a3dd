#include "engine/core/Assert.h"
#include "engine/core/SanitizerSuppressions.h"
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/core/GameStartUp.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/CloseSignals.h"
#include "engine/platform/native/Platform.h"
#include "engine/platform/native/SessionBus.h"

#include <GLFW/glfw3.h>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

// Read by the sanitizers in sanitizer builds (see SanitizerSuppressions.h).
extern "C" const char* __lsan_default_suppressions()
{
    return LeakSanitizerSuppressions;
}
extern "C" const char* __tsan_default_suppressions()
{
    return ThreadSanitizerSuppressions;
}

namespace
{
// Runs until the window is asked to close (its close button, a behaviour, or SIGTERM/SIGINT).
// Pacing comes from the buffer swap, which the renderer makes just before it draws each frame.
void RunFrameLoop(Coordinator& coordinator)
{
    FrameClock clock;
    WindowState::showLastFrame = glfwSwapBuffers;
    while (!glfwWindowShouldClose(WindowState::window))
    {
        RunFrame(coordinator, clock);
        RaisePendingGlfwError();
        if (TakeCloseSignal())
            glfwSetWindowShouldClose(WindowState::window, GLFW_TRUE);
    }
}
}

int main()
{
    DeclineSessionBusAutoLaunch();
    InstallCloseSignalHandlers();
    CurrentPlatform().HideConsoleWindow();
    auto coordinator = std::make_unique<Coordinator>();

    int exitCode = EXIT_SUCCESS;
    try
    {
        RegisterEngine(*coordinator);
        if (!StartGame(*coordinator, {}))
        {
            // Nothing was started that needs undoing, and the settings stay as they were.
            std::printf("Unable to create OpenGL context\n");
            return EXIT_FAILURE;
        }
        RunFrameLoop(*coordinator);
    }
    catch (const std::exception& error)
    {
        // The assert has shown its own message; this one says the game ends because of it.
        ReportToUser("ERROR", error.what());
        Log(error.what());
        exitCode = EXIT_FAILURE;
    }
    // Also after an assert: the settings are written (once the first scene ran), then
    // everything is released.
    if (!coordinator->ShutDown())
        exitCode = EXIT_FAILURE;
    return exitCode;
}
