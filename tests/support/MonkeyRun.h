#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// A seeded monkey let loose on the real game from one scene, with every resource stage loaded
// first (so a stage that loads later is not mistaken for growth). After every action it checks
// that no assert fired, that no Transform or movement holds a NaN, that fewer entities live than
// the engine's limit and that the settings file reads back valid; the heap in use late in the
// run must not exceed what it reached in the first half by more than a scene's worth. When the
// monkey quits the game, the game is started again on the settings file it wrote.
struct MonkeyRun
{
    std::string scene;
    int frames = 2000;
    std::uint32_t seed = 1;
    // With "Allow Cheats" the Alt + digit keys win, lose and unlock.
    bool cheats = false;

    testing::AssertionResult Play() const;
};

// The frames of a monkey run: DUSKVANE_MONKEY_FRAMES when set (the long run of
// scripts/monkey.sh), else the fallback; and the seed: DUSKVANE_MONKEY_SEED when set.
// DUSKVANE_MONKEY_TRACE prints every action with the heap in use and the scene.
int MonkeyFrames(int fallback);
std::uint32_t MonkeySeed(std::uint32_t fallback);
