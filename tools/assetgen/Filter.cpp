#include "Filter.h"

#include "SoundFile.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
Filter::Filter(Kind k, float frequency, float qIn) : kind(k), q(qIn) { Tune(frequency); }

void Filter::Tune(float frequency)
{
    float f = std::clamp(frequency, 10.0f, SampleRate * 0.45f);
    float w = 2.0f * 3.14159265f * f / SampleRate;
    float cw = std::cos(w), sw = std::sin(w);
    float alpha = sw / (2.0f * q);
    float a0 = 1.0f + alpha;
    switch (kind)
    {
    case Kind::LowPass:
        b0 = (1.0f - cw) * 0.5f;
        b1 = 1.0f - cw;
        b2 = b0;
        break;
    case Kind::HighPass:
        b0 = (1.0f + cw) * 0.5f;
        b1 = -(1.0f + cw);
        b2 = b0;
        break;
    case Kind::BandPass:
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
        break;
    }
    a1 = -2.0f * cw;
    a2 = 1.0f - alpha;
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 /= a0;
    a2 /= a0;
}

float Filter::Process(float x)
{
    float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}
}
