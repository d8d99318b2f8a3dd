#pragma once
#include <cstdint>
#include <string>

struct GLFWwindow;

// The process-wide window values: one instance for the whole run.
namespace WindowState
{
inline std::int32_t width = 1920;
inline std::int32_t height = 1080;
inline std::string title;
inline GLFWwindow* window = nullptr;
inline bool fullScreen = true;
inline std::int32_t wheelOffset = 0;
}
