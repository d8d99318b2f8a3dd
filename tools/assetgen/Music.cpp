// The four looping pieces: "BGM1" (menus and credits), "Ambient2" (levels), "Ambient3" (level
// select and cutscenes) and "winbgm" (the win pop-up). Every note that rings past the end of the
// loop continues at its start, and the reverb runs round the loop, so the pieces repeat without
// a seam.
#include "Filter.h"
#include "Geometry.h"
#include "Reverb.h"
#include "SoundFile.h"
#include "SoundKit.h"

#include <cmath>
#include <functional>
#include <vector>

namespace assetgen
{
namespace
{
struct Track
{
    float seconds;
    Samples left, right;
    explicit Track(float s) : seconds(s), left(SampleCount(s), 0.0f), right(SampleCount(s), 0.0f) {}
};

// Places a rendered note in both channels (pan -1 left to 1 right), wrapping past the end.
void Place(Track& track, float start, const Samples& note, float gain, float pan)
{
    long at = static_cast<long>(SampleCount(start));
    MixInto(track.left, note, at, gain * (1.0f - 0.5f * std::max(0.0f, pan)), true);
    MixInto(track.right, note, at, gain * (1.0f + 0.5f * std::min(0.0f, pan)), true);
}

Samples Pad(float seconds, float hz, float brightness, unsigned seed)
{
    float release = 1.2f;
    Samples s(SampleCount(seconds + release));
    Filter low(Filter::Kind::LowPass, brightness, 0.8f);
    Rng rng(seed);
    double phases[3] = {rng.Unit(), rng.Unit(), rng.Unit()};
    const float detune[3] = {0.996f, 1.0f, 1.005f};
    for (size_t i = 0; i < s.size(); ++i)
    {
        float v = 0;
        for (int k = 0; k < 3; ++k)
        {
            phases[k] += hz * detune[k] / SampleRate;
            v += SawWave(phases[k]);
        }
        s[i] = low.Process(v / 3.0f) * Gate(Seconds(i), 0.6f, release, seconds + release);
    }
    return s;
}

Samples Pluck(float hz, float decay, float brightness)
{
    Samples s(SampleCount(decay * 5));
    Filter low(Filter::Kind::LowPass, brightness, 0.7f);
    for (size_t i = 0; i < s.size(); ++i)
    {
        float t = Seconds(i);
        float v = TriangleWave(hz * t) + 0.35f * SineWave(2 * hz * t) + 0.15f * SquareWave(hz * t, 0.3f);
        s[i] = low.Process(v) * AttackDecay(t, 0.003f, decay);
    }
    return s;
}

Samples Bass(float seconds, float hz)
{
    Samples s(SampleCount(seconds + 0.1f));
    Filter low(Filter::Kind::LowPass, 380, 0.9f);
    for (size_t i = 0; i < s.size(); ++i)
    {
        float t = Seconds(i);
        float v = SineWave(hz * t) + 0.45f * SawWave(hz * t);
        s[i] = low.Process(v) * Gate(t, 0.01f, 0.1f, seconds + 0.1f);
    }
    return s;
}

Samples Bell(float hz, float decay)
{
    Samples s(SampleCount(decay * 5));
    for (size_t i = 0; i < s.size(); ++i)
    {
        float t = Seconds(i);
        s[i] = (SineWave(hz * t) * Decay(t, decay) + 0.4f * SineWave(hz * 2.76f * t) * Decay(t, decay * 0.45f) +
                0.2f * SineWave(hz * 5.4f * t) * Decay(t, decay * 0.2f)) *
               std::min(1.0f, t / 0.004f);
    }
    return s;
}

Samples Hat(unsigned seed)
{
    Samples s = Burst(0.08f, static_cast<int>(Filter::Kind::HighPass), 7000, 0.7f, 0.0005f, 0.018f, seed);
    return s;
}

Samples Snare(unsigned seed)
{
    Samples s = Burst(0.25f, static_cast<int>(Filter::Kind::BandPass), 2200, 0.6f, 0.001f, 0.06f, seed);
    MixInto(s, Thump(0.15f, 260, 180, 0.02f, 0.04f), 0, 0.7f);
    return s;
}

// Adds the reverb's wet signal, computed round the loop.
void Space(Track& track, float size, float feedback, float mix)
{
    Reverb l(size, feedback, 0.35f, 0), r(size, feedback, 0.35f, 23);
    Samples wl = Cyclic(track.left, [&](float x) { return l.Process(x); });
    Samples wr = Cyclic(track.right, [&](float x) { return r.Process(x); });
    for (size_t i = 0; i < track.left.size(); ++i)
    {
        track.left[i] += wl[i] * mix;
        track.right[i] += wr[i] * mix;
    }
}

void Emit(Kit& kit, const std::string& name, Track& track, float peak)
{
    float m = 0;
    for (size_t i = 0; i < track.left.size(); ++i)
        m = std::max({m, std::fabs(track.left[i]), std::fabs(track.right[i])});
    for (size_t i = 0; i < track.left.size(); ++i)
    {
        track.left[i] = track.left[i] * peak / m;
        track.right[i] = track.right[i] * peak / m;
    }
    // The seam may move by a few milliseconds to where both channels nearly meet.
    StartAtQuietSeam(track.left, &track.right, SampleCount(0.02f));
    const char* folder = name == "BGM1" ? "First_Load" : "Music";
    kit.out.AddSound(folder, name, true, SoundGroup::Music, Stereo(track.left, track.right), 2);
}

void Menu(Kit& kit)
{
    const float beat = 60.0f / 90.0f;
    Track t(16 * beat);
    const int chords[4][3] = {{50, 53, 57}, {46, 50, 53}, {53, 57, 60}, {48, 52, 55}};
    const int roots[4] = {38, 34, 41, 36};
    const int arp[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    for (int bar = 0; bar < 4; ++bar)
    {
        float b0 = bar * 4 * beat;
        for (int k = 0; k < 3; ++k)
            Place(t, b0, Pad(4 * beat, NoteHz(static_cast<float>(chords[bar][k])), 1300, 500 + bar * 3 + k), 0.22f,
                  (k - 1) * 0.5f);
        for (float at : {0.0f, 1.5f, 2.5f, 3.0f})
            Place(t, b0 + at * beat, Bass(0.45f * beat, NoteHz(static_cast<float>(roots[bar]))), 0.5f, 0.0f);
        for (int e = 0; e < 8; ++e)
        {
            Samples note = Pluck(NoteHz(static_cast<float>(chords[bar][arp[e]] + 12)), 0.25f, 2600);
            float at = b0 + e * beat * 0.5f;
            Place(t, at, note, 0.22f, e % 2 == 0 ? -0.4f : 0.4f);
            Place(t, at + beat * 0.75f, note, 0.08f, e % 2 == 0 ? 0.6f : -0.6f);
        }
        for (int k = 0; k < 2; ++k)
            Place(t, b0 + k * 2 * beat, Thump(0.4f, 120, 48, 0.03f, 0.12f), 0.55f, 0.0f);
        for (int e = 0; e < 4; ++e)
            Place(t, b0 + (e + 0.5f) * beat, Hat(520 + bar * 4 + e), 0.08f, 0.3f);
    }
    Space(t, 1.1f, 0.82f, 0.45f);
    Emit(kit, "BGM1", t, 0.7f);
}

void LevelAmbience(Kit& kit)
{
    const float L = 16.0f;
    Track t(L);
    size_t n = t.left.size();
    float d = LoopHz(73.42f, L), a = LoopHz(110.0f, L), beat = LoopHz(0.125f, L);
    for (size_t i = 0; i < n; ++i)
    {
        float s = Seconds(i);
        float swell = 0.75f + 0.25f * SineWave(beat * s);
        float v = (SineWave(d * s) + 0.6f * SineWave(a * s) + 0.25f * SineWave(2 * d * s)) * swell;
        t.left[i] += v * 0.35f;
        t.right[i] += v * 0.35f;
    }
    // Wind: noise shaped round the loop by a band-pass whose centre drifts with the gusts.
    Rng rng(601);
    for (int side = 0; side < 2; ++side)
    {
        Samples wind = Noise(n, rng);
        Filter band(Filter::Kind::BandPass, 500, 1.2f);
        size_t i = 0;
        float gust = LoopHz(0.19f, L);
        wind = Cyclic(wind, [&](float x) {
            float s = Seconds(i % n);
            if (i % 64 == 0)
                band.Tune(420 + 300 * (0.5f + 0.5f * SineWave(gust * s + side * 0.3)));
            ++i;
            return band.Process(x);
        });
        for (size_t k = 0; k < n; ++k)
        {
            float s = Seconds(k);
            float g = 0.5f + 0.5f * SineWave(gust * s + side * 0.25);
            (side == 0 ? t.left : t.right)[k] += wind[k] * (0.6f + 0.9f * g * g);
        }
    }
    const std::pair<float, int> chimes[] = {{1.5f, 74}, {6.0f, 69}, {9.5f, 77}, {13.0f, 76}};
    for (const auto& [at, note] : chimes)
        Place(t, at, Bell(NoteHz(static_cast<float>(note)), 1.6f), 0.12f, (note % 2 == 0) ? -0.6f : 0.6f);
    for (int k = 0; k < 4; ++k)
        Place(t, k * 4.0f + 0.3f, Thump(0.8f, 60, 36, 0.1f, 0.3f), 0.35f, 0.0f);
    Space(t, 1.4f, 0.86f, 0.5f);
    Emit(kit, "Ambient2", t, 0.6f);
}

void TensionAmbience(Kit& kit)
{
    const float beat = 60.0f / 80.0f;
    Track t(16 * beat);
    const int chords[4][4] = {{50, 53, 57, 64}, {46, 50, 53, 57}, {43, 50, 55, 58}, {45, 49, 52, 57}};
    for (int bar = 0; bar < 4; ++bar)
    {
        float b0 = bar * 4 * beat;
        for (int k = 0; k < 4; ++k)
            Place(t, b0, Pad(4 * beat, NoteHz(static_cast<float>(chords[bar][k])), 900, 700 + bar * 4 + k), 0.18f,
                  (k - 1.5f) * 0.4f);
        // A heartbeat at the start of every bar.
        Place(t, b0, Thump(0.4f, 80, 42, 0.03f, 0.09f), 0.7f, 0.0f);
        Place(t, b0 + 0.28f, Thump(0.4f, 70, 40, 0.03f, 0.08f), 0.5f, 0.0f);
        for (int q = 0; q < 4; ++q)
            Place(t, b0 + q * beat, Bell(NoteHz(static_cast<float>(chords[bar][(q + bar) % 4] + 24)), 0.7f), 0.05f,
                  q % 2 == 0 ? -0.7f : 0.7f);
    }
    size_t n = t.left.size();
    float shimmer = LoopHz(NoteHz(81), t.seconds), trem = LoopHz(5.0f, t.seconds);
    for (size_t i = 0; i < n; ++i)
    {
        float s = Seconds(i);
        float v = SineWave(shimmer * s) * (0.5f + 0.5f * SineWave(trem * s)) * 0.04f;
        t.left[i] += v;
        t.right[i] += v * 0.8f;
    }
    Space(t, 1.5f, 0.86f, 0.55f);
    Emit(kit, "Ambient3", t, 0.65f);
}

void Victory(Kit& kit)
{
    const float beat = 0.5f;
    Track t(16 * beat);
    const int chords[4][3] = {{62, 66, 69}, {55, 59, 62}, {57, 61, 64}, {62, 66, 69}};
    const int roots[4] = {38, 43, 45, 38};
    const int melody[16] = {74, 78, 81, 78, 79, 78, 76, 74, 73, 76, 81, 79, 78, 76, 74, 74};
    for (int bar = 0; bar < 4; ++bar)
    {
        float b0 = bar * 4 * beat;
        for (int k = 0; k < 3; ++k)
            Place(t, b0, Pad(4 * beat, NoteHz(static_cast<float>(chords[bar][k] - 12)), 2200, 800 + bar * 3 + k), 0.16f,
                  (k - 1) * 0.5f);
        for (int q = 0; q < 4; ++q)
        {
            Place(t, b0 + q * beat, Bass(0.4f * beat, NoteHz(static_cast<float>(roots[bar]))), 0.45f, 0.0f);
            Place(t, b0 + q * beat, Thump(0.3f, 130, 50, 0.025f, 0.08f), 0.45f, 0.0f);
            Place(t, b0 + (q + 0.5f) * beat, Hat(820 + bar * 8 + q), 0.1f, 0.3f);
            if (q % 2 == 1)
                Place(t, b0 + q * beat, Snare(840 + bar * 4 + q), 0.25f, -0.1f);
            Place(t, b0 + q * beat, Pluck(NoteHz(static_cast<float>(melody[bar * 4 + q])), 0.3f, 4000), 0.3f, 0.2f);
            Place(t, b0 + q * beat, Bell(NoteHz(static_cast<float>(melody[bar * 4 + q] + 12)), 0.4f), 0.06f, -0.4f);
        }
    }
    Space(t, 1.0f, 0.8f, 0.35f);
    Emit(kit, "winbgm", t, 0.7f);
}
}

void MakeMusic(Kit& kit)
{
    Menu(kit);
    Victory(kit);
}

void MakeAmbience(Kit& kit)
{
    LevelAmbience(kit);
    TensionAmbience(kit);
}
}
