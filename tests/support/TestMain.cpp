#include "engine/core/Assert.h"
#include "engine/core/SanitizerSuppressions.h"
#include "engine/platform/audio/AudioOutputMode.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib's macros (None, Bool, Status) would break its headers.
#include <X11/Xlib.h>
#include <chrono>
#include <cstdlib>
#include <thread>

// Read by the sanitizers in sanitizer builds (see SanitizerSuppressions.h).
extern "C" const char* __lsan_default_suppressions()
{
    return LeakSanitizerSuppressions;
}
extern "C" const char* __tsan_default_suppressions()
{
    return ThreadSanitizerSuppressions;
}

// Asserts in tests must not open message boxes: they only throw (and are checked by text).
// Audio never reaches a sound card unless a test asks for one: the mixer is stepped by hand.
int main(int argc, char** argv)
{
    SetAssertReporter([](const std::string&, const std::string&) {});
    DefaultAudioOutputMode() = AudioOutputMode::Manual;
    // An X server resets when its last client leaves, and a window opened during the reset
    // fails. Tests open and close windows one after another, so the run keeps one connection
    // (waiting out a reset that another test program may have started).
    Display* keepAlive = nullptr;
    for (int attempt = 0; std::getenv("DISPLAY") != nullptr && keepAlive == nullptr && attempt < 40; ++attempt)
    {
        keepAlive = XOpenDisplay(nullptr);
        if (keepAlive == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (keepAlive != nullptr)
        XCloseDisplay(keepAlive);
    return result;
}
