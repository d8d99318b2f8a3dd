#include "Voice.h"

#include "Filter.h"
#include "Geometry.h"
#include "SoundFile.h"

#include <cmath>

namespace assetgen
{
Samples Voice(const VoiceShape& v)
{
    size_t n = SampleCount(v.seconds);
    Samples out(n);
    Rng rng(v.seed);
    Filter f1(Filter::Kind::BandPass, v.formantsFrom[0], 6.0f);
    Filter f2(Filter::Kind::BandPass, v.formantsFrom[1], 8.0f);
    Filter f3(Filter::Kind::BandPass, v.formantsFrom[2], 10.0f);
    double phase = 0, sub = 0;
    float jitter = 0;
    for (size_t i = 0; i < n; ++i)
    {
        float t = static_cast<float>(i) / n;
        if (i % 64 == 0)
        {
            f1.Tune(LerpF(v.formantsFrom[0], v.formantsTo[0], t));
            f2.Tune(LerpF(v.formantsFrom[1], v.formantsTo[1], t));
            f3.Tune(LerpF(v.formantsFrom[2], v.formantsTo[2], t));
            jitter = jitter * 0.9f + rng.Signed() * 0.1f;
        }
        float f0 = v.pitch(t) * (1.0f + v.roughness * 0.08f * jitter);
        phase += f0 / SampleRate;
        sub += f0 * 0.5f / SampleRate;
        float buzz = SawWave(phase) * (1.0f - 0.5f * v.roughness * (0.5f + 0.5f * SineWave(sub)));
        float source = buzz * (1.0f - v.breath) + rng.Signed() * v.breath;
        float shaped = f1.Process(source) + 0.6f * f2.Process(source) + 0.35f * f3.Process(source);
        out[i] = SoftClip(shaped * 3.0f * v.drive) * v.envelope(t);
    }
    return out;
}
}
