#pragma once
#include "engine/platform/native/Platform.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// The platform for tests: a clock that moves one fixed frame per reading (or sits where it is
// set), keys and cursor as the test scripts them, the window focused unless told otherwise, and
// message boxes recorded instead of shown.
class ScriptedPlatform : public Platform
{
public:
    // One frame of the game at 60 frames per second, exactly the engine's fixed step.
    static constexpr double FrameSeconds = static_cast<double>(1.0f / 60.0f);

    // Installs a new scripted platform as the current one and returns it; ResetPlatform()
    // removes it.
    static ScriptedPlatform& Install();

    // Returns the scripted time, then moves it on by the frame length.
    double Now() override;
    // Delivers a scripted wheel movement as the window's scroll handler would.
    void PollEvents() override;
    bool IsKeyDown(int virtualKey) override;
    bool CursorPosition(ClientPoint& out) override;
    bool IsWindowFocused() override;
    void ShowMessageBox(const std::string& caption, const std::string& message) override;
    void HideConsoleWindow() override {}
    void ConfineCursor() override { ++confinements; }
    void HideSystemCursor() override { cursorHidden = true; }

    // --- Script ---------------------------------------------------------------------------
    void SetTime(double seconds) { time = seconds; }
    // The scripted time now: the frames run so far, in seconds.
    double Time() const { return time; }
    // 0 freezes the clock.
    void SetFrameLength(double seconds) { frameLength = seconds; }
    void SetKeyDown(int virtualKey, bool down);
    void SetCursor(long x, long y);
    // Without a cursor, CursorPosition fails.
    void SetCursorAvailable(bool available) { cursorAvailable = available; }
    void SetFocused(bool focused) { windowFocused = focused; }
    // A wheel movement of this vertical offset arrives with the next PollEvents.
    void Scroll(double yOffset);

    // --- Records --------------------------------------------------------------------------
    std::vector<std::pair<std::string, std::string>> messageBoxes;
    int confinements = 0;
    bool cursorHidden = false;

private:
    double time = 0.0;
    double frameLength = FrameSeconds;
    std::set<int> keysDown;
    ClientPoint cursor;
    bool cursorAvailable = true;
    bool windowFocused = true;
    std::vector<double> pendingScrolls;
};
