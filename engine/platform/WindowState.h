#pragma once
#include <cstdint>
#include <string>

struct GLFWwindow;

// The process-wide window values: one instance for the whole run.
namespace WindowState
{
// The size the window was created with (the settings' size); full-screen switches keep it.
inline std::int32_t width = 1920;
inline std::int32_t height = 1080;
inline std::string title;
inline GLFWwindow* window = nullptr;
inline bool fullScreen = true;
// The last vertical wheel offset, truncated toward zero; the input system consumes it.
inline std::int32_t wheelOffset = 0;
// The game asked for the window to close (its quit button); the frame loop ends after the
// current frame. Also recorded without a window, where nothing else would show the request.
inline bool closeRequested = false;
// Set by a frame loop that leaves showing frames to the renderer (the entry sets the buffer
// swap): the renderer calls it with the window just before it draws a frame into the window,
// which shows the last one. The next frame's update and preparation then run while a software
// rasteriser is still shading the last. Null where nothing is shown (tests).
inline void (*showLastFrame)(GLFWwindow*) = nullptr;
// GLFW is initialised and not yet terminated.
inline bool glfwReady = false;
// The first GLFW error not yet raised as an assert. The error callback only records it, so that
// nothing unwinds through GLFW; the caller raises it once GLFW has returned.
inline std::string pendingGlfwError;

// Back to the values at program start (for tests).
void Reset();
}
