#include "SoundKit.h"

#include "Filter.h"
#include "SoundFile.h"

#include <cmath>

namespace assetgen
{
Samples Thump(float seconds, float f0, float f1, float glide, float tau)
{
    Samples s(SampleCount(seconds));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i)
    {
        float t = Seconds(i);
        float f = f1 + (f0 - f1) * std::exp(-t / glide);
        phase += f / SampleRate;
        s[i] = SineWave(phase) * AttackDecay(t, 0.002f, tau);
    }
    return s;
}

Samples Burst(float seconds, int kind, float frequency, float q, float attack, float tau, unsigned seed)
{
    Rng rng(seed);
    Samples s = Noise(SampleCount(seconds), rng);
    Filter f(static_cast<Filter::Kind>(kind), frequency, q);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = f.Process(s[i]) * AttackDecay(Seconds(i), attack, tau);
    return s;
}

Samples Partials(float seconds, std::initializer_list<float> hz, std::initializer_list<float> decays, float attack)
{
    Samples s(SampleCount(seconds));
    auto d = decays.begin();
    int k = 0;
    for (float f : hz)
    {
        float tau = d != decays.end() ? *d++ : 0.2f;
        float amp = 1.0f / (1.0f + 0.5f * k++);
        for (size_t i = 0; i < s.size(); ++i)
            s[i] += amp * SineWave(f * Seconds(i)) * AttackDecay(Seconds(i), attack, tau);
    }
    return s;
}

Samples Tick(float frequency, float tau, unsigned seed)
{
    Samples a = Burst(tau * 6, static_cast<int>(Filter::Kind::BandPass), frequency, 3.0f, 0.0003f, tau, seed);
    Samples b = Partials(tau * 6, {frequency * 0.37f, frequency * 0.61f}, {tau * 1.5f, tau});
    MixInto(a, b, 0, 0.3f);
    return a;
}

void EmitEffect(Kit& kit, const std::string& folder, const std::string& name, Samples s, float peak)
{
    Normalise(s, peak);
    FadeEdges(s, 0.002f, 0.02f);
    kit.out.AddSound(folder, name, false, SoundGroup::Effect, s, 1);
}

void EmitLoop(Kit& kit, const std::string& folder, const std::string& name, Samples s, float peak)
{
    StartAtQuietSeam(s, nullptr, 0);
    Normalise(s, peak);
    kit.out.AddSound(folder, name, true, SoundGroup::Effect, s, 1);
}
}
