#include "Reverb.h"

namespace assetgen
{
Reverb::Reverb(float size, float fb, float damp, int spread) : feedback(fb), damping(damp)
{
    const int combLengths[6] = {1557, 1617, 1491, 1422, 1277, 1356};
    const int allpassLengths[2] = {556, 441};
    for (int length : combLengths)
        combs.push_back({std::vector<float>(static_cast<std::size_t>(length * size * 48000.0f / 44100.0f) + spread, 0.0f)});
    for (int length : allpassLengths)
        allpasses.push_back({std::vector<float>(static_cast<std::size_t>(length * 48000.0f / 44100.0f) + spread, 0.0f)});
}

float Reverb::Process(float x)
{
    float out = 0;
    for (Line& c : combs)
    {
        float y = c.data[c.at];
        c.store = y * (1.0f - damping) + c.store * damping;
        c.data[c.at] = x * 0.015f + c.store * feedback;
        c.at = (c.at + 1) % c.data.size();
        out += y;
    }
    for (Line& a : allpasses)
    {
        float buffered = a.data[a.at];
        float y = -out + buffered;
        a.data[a.at] = out + buffered * 0.5f;
        a.at = (a.at + 1) % a.data.size();
        out = y;
    }
    return out;
}
}
