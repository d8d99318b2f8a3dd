#include "support/ScriptedPlatform.h"

#include "engine/platform/Window.h"

#include <memory>

ScriptedPlatform& ScriptedPlatform::Install()
{
    auto platform = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform& installed = *platform;
    SetPlatform(std::move(platform));
    return installed;
}

double ScriptedPlatform::Now()
{
    const double reading = time;
    time += frameLength;
    return reading;
}

void ScriptedPlatform::PollEvents()
{
    for (double yOffset : pendingScrolls)
        OnScroll(nullptr, 0.0, yOffset);
    pendingScrolls.clear();
}

bool ScriptedPlatform::IsKeyDown(int virtualKey)
{
    return keysDown.count(virtualKey) != 0;
}

bool ScriptedPlatform::CursorPosition(ClientPoint& out)
{
    if (!cursorAvailable)
        return false;
    out = cursor;
    return true;
}

bool ScriptedPlatform::IsWindowFocused()
{
    return windowFocused;
}

void ScriptedPlatform::ShowMessageBox(const std::string& caption, const std::string& message)
{
    messageBoxes.emplace_back(caption, message);
}

void ScriptedPlatform::SetKeyDown(int virtualKey, bool down)
{
    if (down)
        keysDown.insert(virtualKey);
    else
        keysDown.erase(virtualKey);
}

void ScriptedPlatform::SetCursor(long x, long y)
{
    cursor.x = x;
    cursor.y = y;
}

void ScriptedPlatform::Scroll(double yOffset)
{
    pendingScrolls.push_back(yOffset);
}
