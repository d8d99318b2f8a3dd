#include "Rng.h"

namespace assetgen
{
std::uint64_t HashName(std::string_view name)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : name)
    {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

Rng::Rng(std::uint64_t seed) : state(seed) {}

Rng::Rng(std::string_view name) : state(HashName(name)) {}

std::uint64_t Rng::Next()
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::Unit() { return static_cast<float>(Next() >> 40) / static_cast<float>(1ull << 24); }

float Rng::Range(float low, float high) { return low + (high - low) * Unit(); }

int Rng::Int(int low, int high)
{
    std::uint64_t span = static_cast<std::uint64_t>(high - low + 1);
    return low + static_cast<int>(Next() % span);
}

float Rng::Signed() { return Unit() * 2.0f - 1.0f; }

bool Rng::Chance(float probability) { return Unit() < probability; }
}
