#include "Synth.h"

#include "SoundFile.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
size_t SampleCount(float seconds) { return static_cast<size_t>(std::lround(seconds * SampleRate)); }

float Seconds(size_t index) { return static_cast<float>(index) / SampleRate; }

float SineWave(double phase) { return static_cast<float>(std::sin(phase * 6.283185307179586)); }

float SawWave(double phase)
{
    double f = phase - std::floor(phase);
    return static_cast<float>(2.0 * f - 1.0);
}

float SquareWave(double phase, float duty)
{
    double f = phase - std::floor(phase);
    return f < duty ? 1.0f : -1.0f;
}

float TriangleWave(double phase)
{
    double f = phase - std::floor(phase);
    return static_cast<float>(f < 0.5 ? 4.0 * f - 1.0 : 3.0 - 4.0 * f);
}

float Decay(float t, float tau) { return t < 0 ? 0.0f : std::exp(-t / tau); }

float AttackDecay(float t, float attack, float tau)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

float Gate(float t, float attack, float release, float length)
{
    if (t < 0 || t > length)
        return 0;
    float a = attack > 0 ? std::min(1.0f, t / attack) : 1.0f;
    float r = release > 0 ? std::min(1.0f, (length - t) / release) : 1.0f;
    return std::min(a, r);
}

float NoteHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

float LoopHz(float hz, float seconds) { return std::max(1.0f, std::round(hz * seconds)) / seconds; }

void MixInto(Samples& target, const Samples& source, long offset, float gain, bool wrap)
{
    long n = static_cast<long>(target.size());
    for (size_t i = 0; i < source.size(); ++i)
    {
        long at = offset + static_cast<long>(i);
        if (wrap)
            at = ((at % n) + n) % n;
        else if (at < 0 || at >= n)
            continue;
        target[static_cast<size_t>(at)] += source[i] * gain;
    }
}

void Normalise(Samples& s, float peak)
{
    float m = 0;
    for (float v : s)
        m = std::max(m, std::fabs(v));
    if (m > 0)
        for (float& v : s)
            v *= peak / m;
}

void FadeEdges(Samples& s, float inSeconds, float outSeconds)
{
    size_t in = std::min(s.size(), SampleCount(inSeconds)), out = std::min(s.size(), SampleCount(outSeconds));
    for (size_t i = 0; i < in; ++i)
        s[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

float SoftClip(float x) { return std::tanh(x); }

Samples Cyclic(const Samples& loop, const std::function<float(float)>& effect)
{
    Samples out(loop.size());
    for (float v : loop)
        effect(v);
    for (size_t i = 0; i < loop.size(); ++i)
        out[i] = effect(loop[i]);
    return out;
}

Samples Noise(size_t count, Rng& rng)
{
    Samples s(count);
    for (float& v : s)
        v = rng.Signed();
    return s;
}

Samples Reversed(const Samples& s) { return Samples(s.rbegin(), s.rend()); }

void StartAtQuietSeam(Samples& left, Samples* right, size_t reach)
{
    size_t n = left.size();
    if (n < 2)
        return;
    auto cost = [&](size_t k) {
        size_t before = (k + n - 1) % n;
        float c = std::fabs(left[k] - left[before]) + 0.25f * (std::fabs(left[k]) + std::fabs(left[before]));
        if (right != nullptr)
            c += std::fabs((*right)[k] - (*right)[before]) + 0.25f * (std::fabs((*right)[k]) + std::fabs((*right)[before]));
        return c;
    };
    size_t best = 0;
    float bestCost = cost(0);
    long span = reach == 0 ? static_cast<long>(n) : static_cast<long>(reach);
    for (long d = -span; d < span; ++d)
    {
        size_t k = static_cast<size_t>(((d % static_cast<long>(n)) + static_cast<long>(n)) % static_cast<long>(n));
        float c = cost(k);
        if (c < bestCost)
        {
            bestCost = c;
            best = k;
        }
    }
    std::rotate(left.begin(), left.begin() + static_cast<long>(best), left.end());
    if (right != nullptr)
        std::rotate(right->begin(), right->begin() + static_cast<long>(best), right->end());
}

std::vector<float> Stereo(const Samples& left, const Samples& right)
{
    std::vector<float> out(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i)
    {
        out[i * 2] = left[i];
        out[i * 2 + 1] = i < right.size() ? right[i] : 0.0f;
    }
    return out;
}
}
