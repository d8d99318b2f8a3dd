#include "Noise.h"

#include <stb/stb_perlin.h>

namespace assetgen
{
namespace
{
// The library offers 256 fields per z; the seed's upper bits move along z for more of them.
float FieldZ(int seed) { return static_cast<float>((seed >> 8) % 61) * 3.71f + 0.37f; }
unsigned char FieldSeed(int seed) { return static_cast<unsigned char>(seed & 0xFF); }
}

float Perlin(float x, float y, int seed)
{
    return stb_perlin_noise3_seed(x, y, FieldZ(seed), 0, 0, 0, FieldSeed(seed));
}

float Fbm(float x, float y, int octaves, int seed, float gain)
{
    float sum = 0, amp = 1, norm = 0, f = 1;
    for (int i = 0; i < octaves; ++i)
    {
        sum += amp * Perlin(x * f, y * f, seed + i * 31);
        norm += amp;
        amp *= gain;
        f *= 2.0f;
    }
    return sum / norm;
}

float TilePerlin(float x, float y, int periodX, int periodY, int seed)
{
    return stb_perlin_noise3_wrap_nonpow2(x, y, FieldZ(seed), periodX, periodY, 0, FieldSeed(seed));
}

float TileFbm(float x, float y, int periodX, int periodY, int octaves, int seed, float gain)
{
    float sum = 0, amp = 1, norm = 0;
    int px = periodX, py = periodY;
    float f = 1;
    for (int i = 0; i < octaves && px <= 256 && py <= 256; ++i)
    {
        sum += amp * TilePerlin(x * f, y * f, px, py, seed + i * 31);
        norm += amp;
        amp *= gain;
        f *= 2.0f;
        px *= 2;
        py *= 2;
    }
    return sum / norm;
}
}
