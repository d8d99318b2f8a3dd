#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "engine/platform/Window.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/CloseSignals.h"
#include "engine/platform/native/Platform.h"

#include <GLFW/glfw3.h>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace
{
// Shows an error that ended start-up, the frame loop or a shut-down step.
void ReportFailure(const std::exception& error)
{
    ReportToUser("ERROR", error.what());
    Log(error.what());
}

// Start-up until the frame loop. Returns false when the window could not be created and GLFW
// gave no reason.
bool StartUp(Coordinator&)
{
    // Component types, then the systems in their update order with their signatures, then the
    // behaviour classes are registered first: registration order fixes the component type ids
    // and the order in which systems run. The settings file is read next, since it decides the
    // window's size and whether it opens full screen.

    if (!CreateWindowContext(WindowState::width, WindowState::height, "Duskvane"))
        return false;

    // Then: the broadphase grid, the asset scan, the sound system with the first resource stage,
    // the starting scene, and the coordinator's own start-up.
    return true;
}

void RunFrameLoop(Coordinator& coordinator)
{
    Platform& platform = CurrentPlatform();
    GLFWwindow* window = WindowState::window;
    FrameClock clock;
    while (!glfwWindowShouldClose(window))
    {
        clock.Tick(platform.Now(), coordinator);
        // Until the input system pumps the events, the loop does it, so that the window answers
        // the desktop and its close button works.
        platform.PollEvents();
        coordinator.SystemManager.UpdateSystems(coordinator, coordinator.PeformanceOutput);
        coordinator.ProcessDestroyedEntities();
        glfwSwapBuffers(window);
        RaisePendingGlfwError();
        if (TakeCloseSignal())
            glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
}

// Undoes start-up in reverse, each step only as far as its start-up step got, and each step
// guarded on its own so that one failure does not leave the rest undone. Returns false when a
// step failed.
bool ShutDown(Coordinator& coordinator)
{
    bool clean = true;
    auto step = [&clean](auto&& work) {
        try
        {
            work();
        }
        catch (const std::exception& error)
        {
            ReportFailure(error);
            clean = false;
        }
    };
    step([&] { coordinator.SystemManager.ShutDownSystems(); });
    step([] { DestroyWindowContext(); });
    return clean;
}
}

int main()
{
    InstallCloseSignalHandlers();
    CurrentPlatform().HideConsoleWindow();
    auto coordinator = std::make_unique<Coordinator>();

    int exitCode = EXIT_SUCCESS;
    try
    {
        if (!StartUp(*coordinator))
        {
            // Nothing was started that needs undoing: the window's own attempt cleaned up.
            std::printf("Unable to create OpenGL context\n");
            return EXIT_FAILURE;
        }
        RunFrameLoop(*coordinator);
    }
    catch (const std::exception& error)
    {
        ReportFailure(error);
        exitCode = EXIT_FAILURE;
    }
    if (!ShutDown(*coordinator))
        exitCode = EXIT_FAILURE;
    return exitCode;
}
