#include "engine/core/LogConsole.h"

#include "engine/platform/WindowState.h"

#include <GLFW/glfw3.h>
#include <cstdarg>
#include <cstdio>

LogConsole*& LogConsole::Instance()
{
    static LogConsole* instance = nullptr;
    return instance;
}

void LogConsole::AddLog(const char* format, ...)
{
    // A closing window logs nothing more.
    if (WindowState::window != nullptr && glfwWindowShouldClose(WindowState::window))
        return;
    char buffer[MaxLineLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    lines.emplace_back(buffer);
}

void LogConsole::Clear()
{
    lines.clear();
}
