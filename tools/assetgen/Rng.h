#pragma once
#include <cstdint>
#include <string_view>

namespace assetgen
{
// The generator's own random numbers (splitmix64). Every asset seeds one from its name, so an
// asset's look never depends on which assets were drawn before it.
class Rng
{
public:
    explicit Rng(std::uint64_t seed);
    explicit Rng(std::string_view name);

    std::uint64_t Next();
    // Uniform in [0, 1).
    float Unit();
    float Range(float low, float high);
    // Uniform integer in [low, high].
    int Int(int low, int high);
    // Uniform in [-1, 1).
    float Signed();
    bool Chance(float probability);

private:
    std::uint64_t state;
};

std::uint64_t HashName(std::string_view name);
}
