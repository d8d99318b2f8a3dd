#pragma once
#include <string>

struct GLFWwindow;

// Opens the game window with an OpenGL 4.5 core context (full screen on the primary monitor when
// WindowState::fullScreen is set), installs its callbacks, asks for the input focus once and
// loads the OpenGL entry points. Returns false when the window could not be created and GLFW
// gave no reason; every reported failure (a GLFW error, GLEW, a driver without OpenGL 4.5) is an
// assert.
bool CreateWindowContext(int width, int height, std::string title);

// Moves the window onto the primary monitor or back to a window at (1, 25), at the stored size.
void ToggleFullscreen();

// Asks the window to close, as its close button does: the frame loop ends after the current
// frame and the program shuts down normally. Recorded in WindowState::closeRequested.
void RequestWindowClose();

// Terminates GLFW, when it was initialised; the window goes with it.
void DestroyWindowContext();

// Raises the GLFW error recorded by GlfwErrorCallback, if any, as an assert.
void RaisePendingGlfwError();

// GLFW callbacks.
// Records the error as "GLFW error id " + code + description for RaisePendingGlfwError.
void GlfwErrorCallback(int code, const char* description);
// Only logs: the window is not resizable and a full-screen switch sets the viewport itself.
void OnFramebufferResized(GLFWwindow* window, int width, int height);
// Stores the vertical offset truncated toward zero in WindowState::wheelOffset.
void OnScroll(GLFWwindow* window, double xOffset, double yOffset);
// Focus is polled every frame instead.
void OnWindowFocus(GLFWwindow* window, int focused);
