#pragma once
#include <cstdint>

// The game's one source of chance: the classic 15-bit linear congruential generator
// (state = state x 214013 + 2531011, value = (state >> 16) & 0x7FFF), seeded with 1 at start.
// Everything that rolls dice in the game shares it, so a fixed seed replays a run.

inline constexpr int GameRandomMax = 32767;

// The next value, 0 to GameRandomMax.
int GameRandom();
// Restarts the sequence from this seed.
void SeedGameRandom(std::uint32_t seed);
// Back to the sequence of a fresh program (seed 1); for tests.
void ResetGameRandom();
