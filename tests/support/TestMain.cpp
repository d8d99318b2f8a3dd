#include "engine/core/Assert.h"
#include "engine/platform/audio/AudioOutputMode.h"

#include <gtest/gtest.h>

// Read by LeakSanitizer in sanitizer builds. libdbus keeps the read buffer of the session-bus
// connection that SDL opens when its audio starts; that is not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

// Asserts in tests must not open message boxes: they only throw (and are checked by text).
// Audio never reaches a sound card unless a test asks for one: the mixer is stepped by hand.
int main(int argc, char** argv)
{
    SetAssertReporter([](const std::string&, const std::string&) {});
    DefaultAudioOutputMode() = AudioOutputMode::Manual;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
