#pragma once

namespace assetgen
{
// Gradient noise in about [-1, 1]; `seed` picks one of many independent fields.
float Perlin(float x, float y, int seed);
// Sum of `octaves` layers of Perlin noise, each twice as fine and `gain` times as strong.
float Fbm(float x, float y, int octaves, int seed, float gain = 0.5f);
// Perlin noise that repeats every `periodX` units in x and `periodY` in y (1 to 256), for tiles.
float TilePerlin(float x, float y, int periodX, int periodY, int seed);
// Fractal sum of tiling noise; the periods double with every octave, so the sum tiles too.
float TileFbm(float x, float y, int periodX, int periodY, int octaves, int seed, float gain = 0.5f);
}
