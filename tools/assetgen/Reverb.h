#pragma once
#include <cstddef>
#include <vector>

namespace assetgen
{
// A small Schroeder reverb (parallel combs into series all-passes) for one channel.
class Reverb
{
public:
    // `size` scales the delay lengths (1 = a mid-sized room); `spread` offsets them per channel.
    Reverb(float size, float feedback, float damping, int spread);
    float Process(float x);

private:
    struct Line
    {
        std::vector<float> data;
        std::size_t at = 0;
        float store = 0;
    };
    std::vector<Line> combs;
    std::vector<Line> allpasses;
    float feedback;
    float damping;
};
}
