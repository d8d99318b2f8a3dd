#pragma once

namespace assetgen
{
// A biquad filter (RBJ cookbook forms) for the synthesised sounds.
class Filter
{
public:
    enum class Kind
    {
        LowPass,
        HighPass,
        BandPass
    };

    Filter(Kind kind, float frequency, float q);
    // Moves the corner or centre frequency, keeping the filter's state (for sweeps).
    void Tune(float frequency);
    float Process(float x);

private:
    Kind kind;
    float q;
    float b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};
}
