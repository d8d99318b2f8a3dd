// Voices of the dead (groans, roars, screeches, gurgles), their footsteps and splats, and the
// human scream of the cutscenes.
#include "Filter.h"
#include "Geometry.h"
#include "SoundFile.h"
#include "SoundKit.h"
#include "Voice.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int LP = static_cast<int>(Filter::Kind::LowPass);
constexpr int BP = static_cast<int>(Filter::Kind::BandPass);

Samples Blank(float seconds) { return Samples(SampleCount(seconds), 0.0f); }

void At(Samples& target, float seconds, const Samples& s, float gain)
{
    MixInto(target, s, static_cast<long>(SampleCount(seconds)), gain);
}

VoiceShape Throat(float seconds, unsigned seed, float roughness, float breath, float drive)
{
    VoiceShape v;
    v.seconds = seconds;
    v.seed = seed;
    v.roughness = roughness;
    v.breath = breath;
    v.drive = drive;
    return v;
}

void Vowel(VoiceShape& v, float a1, float a2, float a3, float b1, float b2, float b3)
{
    v.formantsFrom[0] = a1;
    v.formantsFrom[1] = a2;
    v.formantsFrom[2] = a3;
    v.formantsTo[0] = b1;
    v.formantsTo[1] = b2;
    v.formantsTo[2] = b3;
}

Samples Shuffle()
{
    Samples s = Blank(0.75f);
    for (int step = 0; step < 2; ++step)
    {
        float t = 0.02f + step * 0.36f;
        At(s, t, Thump(0.2f, 110, 60, 0.02f, 0.04f), 0.8f);
        At(s, t, Burst(0.12f, LP, 700, 0.8f, 0.003f, 0.03f, 301 + step), 0.7f);
        At(s, t + 0.05f, Burst(0.25f, BP, 1600, 1.2f, 0.04f, 0.06f, 303 + step), 0.35f);
    }
    return s;
}

Samples Grunt()
{
    VoiceShape v = Throat(0.65f, 311, 0.8f, 0.3f, 2.0f);
    v.pitch = [](float t) { return 95.0f - 25.0f * t + 10.0f * std::sin(t * 20.0f); };
    v.envelope = [](float t) { return AttackDecay(t, 0.08f, 0.35f); };
    Vowel(v, 550, 900, 2300, 450, 800, 2200);
    return Voice(v);
}

Samples Splat()
{
    Samples s = Blank(0.7f);
    Rng rng(321);
    Samples wet = Noise(SampleCount(0.5f), rng);
    Filter f(Filter::Kind::LowPass, 2400, 4.0f);
    for (size_t i = 0; i < wet.size(); ++i)
    {
        float t = Seconds(i);
        if (i % 32 == 0)
            f.Tune(2400 * std::exp(-t * 12.0f) + 200);
        wet[i] = f.Process(wet[i]) * AttackDecay(t, 0.002f, 0.09f);
    }
    At(s, 0, wet, 1.0f);
    At(s, 0, Thump(0.3f, 140, 50, 0.02f, 0.06f), 0.8f);
    for (int i = 0; i < 10; ++i)
    {
        float f0 = rng.Range(300, 900);
        Samples drop(SampleCount(0.05f));
        for (size_t k = 0; k < drop.size(); ++k)
        {
            float t = Seconds(k);
            drop[k] = SineWave(f0 * t * (1.0f + 8.0f * t)) * AttackDecay(t, 0.002f, 0.012f);
        }
        At(s, rng.Range(0.08f, 0.5f), drop, rng.Range(0.2f, 0.5f));
    }
    return s;
}

Samples Roar(float seconds, float from, float to, unsigned seed, float drive)
{
    VoiceShape v = Throat(seconds, seed, 0.9f, 0.35f, drive);
    v.pitch = [=](float t) { return from + (to - from) * t + 8.0f * std::sin(t * 30.0f); };
    v.envelope = [](float t) { return Gate(t, 0.08f, 0.35f, 1.0f); };
    Vowel(v, 750, 1200, 2500, 650, 1050, 2400);
    return Voice(v);
}

Samples ChargerDying()
{
    Samples s = Blank(1.6f);
    At(s, 0, Roar(1.2f, 150, 55, 331, 2.5f), 1.0f);
    At(s, 1.2f, Thump(0.35f, 90, 40, 0.04f, 0.1f), 0.9f);
    At(s, 1.2f, Burst(0.3f, LP, 500, 0.7f, 0.003f, 0.08f, 332), 0.6f);
    return s;
}

// A heavy breathing growl: two breaths per loop, each rising from and falling back to silence,
// so the loop's ends meet at zero.
Samples Breathing()
{
    const float L = 3.2f;
    VoiceShape v = Throat(L, 341, 1.0f, 0.55f, 2.2f);
    v.pitch = [](float t) { return 62.0f + 10.0f * std::sin(t * TwoPi * 2.0f); };
    v.envelope = [](float t) {
        float breath = std::sin(t * TwoPi * 2.0f - 1.5707963f) * 0.5f + 0.5f;
        return breath * breath * (0.6f + 0.4f * std::sin(t * TwoPi) * std::sin(t * TwoPi));
    };
    Vowel(v, 500, 850, 2200, 500, 850, 2200);
    return Voice(v);
}

Samples Screech(float seconds, float from, float to, unsigned seed)
{
    VoiceShape v = Throat(seconds, seed, 0.6f, 0.5f, 1.8f);
    v.pitch = [=](float t) { return from + (to - from) * t; };
    v.envelope = [](float t) { return Gate(t, 0.03f, 0.4f, 1.0f); };
    Vowel(v, 900, 1900, 3200, 800, 1700, 3000);
    return Voice(v);
}

// Wet gurgling: bubbles placed around the loop (wrapping), over a low wet rumble that is
// filtered round the loop.
Samples Gurgle()
{
    const float L = 3.0f;
    size_t n = SampleCount(L);
    Rng rng(351);
    Samples bed = Noise(n, rng);
    Filter low(Filter::Kind::LowPass, 350, 1.5f);
    bed = Cyclic(bed, [&](float x) { return low.Process(x); });
    for (size_t i = 0; i < n; ++i)
        bed[i] *= 0.8f * (0.6f + 0.4f * SineWave(LoopHz(1.3f, L) * Seconds(i)));
    for (int i = 0; i < 55; ++i)
    {
        float f0 = rng.Range(180, 700);
        Samples bubble(SampleCount(0.07f));
        for (size_t k = 0; k < bubble.size(); ++k)
        {
            float t = Seconds(k);
            bubble[k] = SineWave(f0 * t * (1.0f + 10.0f * t)) * AttackDecay(t, 0.004f, 0.02f);
        }
        MixInto(bed, bubble, static_cast<long>(rng.Range(0, static_cast<float>(n))), rng.Range(0.3f, 1.0f), true);
    }
    return bed;
}

Samples Spit()
{
    Samples s = Blank(1.0f);
    VoiceShape v = Throat(0.55f, 361, 0.9f, 0.6f, 2.0f);
    v.pitch = [](float t) { return 180.0f + 140.0f * t; };
    v.envelope = [](float t) { return Gate(t, 0.1f, 0.05f, 1.0f); };
    Vowel(v, 400, 1000, 2400, 800, 1600, 2900);
    At(s, 0, Voice(v), 0.8f);
    At(s, 0.52f, Burst(0.3f, BP, 1800, 0.9f, 0.002f, 0.05f, 362), 1.0f);
    At(s, 0.55f, Burst(0.4f, BP, 900, 1.2f, 0.02f, 0.12f, 363), 0.5f);
    return s;
}

Samples Scream()
{
    VoiceShape v = Throat(2.3f, 371, 0.15f, 0.2f, 1.4f);
    v.pitch = [](float t) { return 520.0f + 130.0f * Smoothstep(0.0f, 0.3f, t) - 90.0f * t + 14.0f * std::sin(t * 2.3f * TwoPi * 6.0f); };
    v.envelope = [](float t) { return Gate(t, 0.08f, 0.6f, 1.0f); };
    Vowel(v, 950, 1450, 2900, 850, 1300, 2800);
    return Voice(v);
}
}

void MakeMonsterSounds(Kit& kit)
{
    EmitEffect(kit, "Zombies", "footsteps", Shuffle(), 0.7f);
    EmitEffect(kit, "Zombies", "ZombieGrunt", Grunt());
    EmitEffect(kit, "Zombies", "ZombieSplat", Splat());
    EmitEffect(kit, "Zombies", "ChargerAlert", Roar(1.1f, 110, 170, 381, 2.5f));
    EmitEffect(kit, "Zombies", "ChargerDeath", ChargerDying());
    EmitLoop(kit, "Zombies", "ChargerNearby", Breathing(), 0.7f);
    EmitEffect(kit, "Zombies", "ChargerScream", Roar(1.0f, 200, 290, 382, 3.0f));
    EmitEffect(kit, "Zombies", "SpitterAlert", Screech(0.9f, 380, 520, 383));
    EmitLoop(kit, "Zombies", "SpitterNearby", Gurgle(), 0.6f);
    EmitEffect(kit, "Zombies", "SpitterScream", Spit());
    EmitEffect(kit, "Story", "screaming", Scream(), 0.8f);
}
}
