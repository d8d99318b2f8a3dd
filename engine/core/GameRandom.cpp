#include "engine/core/GameRandom.h"

namespace
{
std::uint32_t& State()
{
    static std::uint32_t state = 1;
    return state;
}
}

int GameRandom()
{
    std::uint32_t& state = State();
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void SeedGameRandom(std::uint32_t seed)
{
    State() = seed;
}

void ResetGameRandom()
{
    State() = 1;
}
