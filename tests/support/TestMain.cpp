#include "engine/core/Assert.h"
#include "engine/platform/audio/AudioOutputMode.h"

#include <gtest/gtest.h>

// Asserts in tests must not open message boxes: they only throw (and are checked by text).
// Audio never reaches a sound card unless a test asks for one: the mixer is stepped by hand.
int main(int argc, char** argv)
{
    SetAssertReporter([](const std::string&, const std::string&) {});
    DefaultAudioOutputMode() = AudioOutputMode::Manual;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
