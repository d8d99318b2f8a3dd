// Effects of the interface, the squad's weapons and gear, doors and explosions.
#include "Filter.h"
#include "SoundFile.h"
#include "SoundKit.h"
#include "Voice.h"
#include "Geometry.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int LP = static_cast<int>(Filter::Kind::LowPass);
constexpr int HP = static_cast<int>(Filter::Kind::HighPass);
constexpr int BP = static_cast<int>(Filter::Kind::BandPass);

Samples Blank(float seconds) { return Samples(SampleCount(seconds), 0.0f); }

void At(Samples& target, float seconds, const Samples& s, float gain)
{
    MixInto(target, s, static_cast<long>(SampleCount(seconds)), gain);
}

Samples MenuClick()
{
    Samples s = Blank(0.12f);
    At(s, 0, Tick(3800, 0.004f, 1), 0.8f);
    At(s, 0, Thump(0.1f, 900, 500, 0.01f, 0.018f), 0.6f);
    return s;
}

Samples PickupChime()
{
    Samples s = Blank(0.5f);
    for (int n = 0; n < 2; ++n)
    {
        float f = NoteHz(n == 0 ? 81 : 88);
        Samples note(SampleCount(0.35f));
        for (size_t i = 0; i < note.size(); ++i)
        {
            float t = Seconds(i);
            note[i] = (SineWave(f * t) + 0.3f * TriangleWave(2 * f * t)) * AttackDecay(t, 0.003f, 0.12f);
        }
        At(s, n * 0.09f, note, 0.7f);
    }
    At(s, 0, Tick(2600, 0.005f, 2), 0.5f);
    return s;
}

Samples Swish(float seconds, float from, float to, unsigned seed)
{
    Rng rng(seed);
    Samples s = Noise(SampleCount(seconds), rng);
    Filter f(Filter::Kind::BandPass, from, 2.0f);
    for (size_t i = 0; i < s.size(); ++i)
    {
        float t = static_cast<float>(i) / s.size();
        if (i % 32 == 0)
            f.Tune(from * std::pow(to / from, t));
        s[i] = f.Process(s[i]) * std::sin(3.14159f * t) * std::sin(3.14159f * t);
    }
    return s;
}

Samples DoorSlide()
{
    Rng rng(5);
    size_t n = SampleCount(1.1f);
    Samples s(n);
    Filter rumble(Filter::Kind::LowPass, 180, 0.9f);
    Filter grit(Filter::Kind::BandPass, 900, 1.5f);
    float brown = 0;
    for (size_t i = 0; i < n; ++i)
    {
        float t = static_cast<float>(i) / n;
        brown = brown * 0.985f + rng.Signed() * 0.15f;
        if (i % 32 == 0)
            rumble.Tune(120 + 500 * t);
        float body = rumble.Process(brown) * 3.0f + grit.Process(rng.Signed()) * 0.15f;
        float wheel = 0.06f * SineWave(2100.0 * Seconds(i) + 0.5 * std::sin(Seconds(i) * 40.0));
        float env = Smoothstep(0.0f, 0.25f, t) * (1.0f - Smoothstep(0.75f, 1.0f, t));
        s[i] = (body + wheel) * env;
    }
    return s;
}

Samples DoorSlam()
{
    Samples s = Blank(1.0f);
    At(s, 0, Thump(0.8f, 110, 45, 0.05f, 0.18f), 1.0f);
    At(s, 0, Burst(0.4f, LP, 900, 0.8f, 0.001f, 0.06f, 7), 0.9f);
    At(s, 0.005f, Partials(0.9f, {182, 311, 447, 712, 1123}, {0.35f, 0.25f, 0.2f, 0.12f, 0.08f}), 0.35f);
    for (float& v : s)
        v = SoftClip(v * 1.6f);
    return s;
}

Samples Gunshot(float bang, float thumpHz, float tail, unsigned seed)
{
    Samples s = Blank(tail + 0.1f);
    At(s, 0, Burst(0.2f, HP, 400, 0.7f, 0.0005f, bang, seed), 1.0f);
    At(s, 0, Burst(0.2f, BP, 2500, 0.8f, 0.0005f, bang * 0.6f, seed + 1), 0.7f);
    At(s, 0, Thump(0.25f, thumpHz * 2.5f, thumpHz, 0.01f, 0.06f), 0.9f);
    At(s, 0.01f, Burst(tail, LP, 1200, 0.7f, 0.005f, tail * 0.3f, seed + 2), 0.35f);
    for (float& v : s)
        v = SoftClip(v * 2.2f);
    return s;
}

Samples MagazineSwap(bool rifle)
{
    Samples s = Blank(rifle ? 1.05f : 0.75f);
    At(s, 0.04f, Tick(2900, 0.006f, 11), 0.7f);
    At(s, 0.06f, Thump(0.1f, 300, 180, 0.02f, 0.03f), 0.4f);
    At(s, 0.12f, Swish(0.18f, 1500, 3500, 12), 0.2f);
    float in = rifle ? 0.45f : 0.32f;
    At(s, in, Tick(2200, 0.01f, 13), 1.0f);
    At(s, in, Thump(0.12f, 260, 150, 0.02f, 0.04f), 0.7f);
    float rack = rifle ? 0.74f : 0.52f;
    At(s, rack, Swish(0.12f, 2500, 1200, 14), 0.35f);
    At(s, rack + 0.1f, Tick(3400, 0.007f, 15), 0.9f);
    At(s, rack + 0.16f, Tick(2600, 0.008f, 16), 0.8f);
    return s;
}

Samples DryClick()
{
    Samples s = Blank(0.12f);
    At(s, 0, Tick(3200, 0.004f, 21), 1.0f);
    At(s, 0.012f, Tick(1900, 0.005f, 22), 0.5f);
    return s;
}

Samples Bandage()
{
    Rng rng(31);
    Samples s = Blank(0.9f);
    // A velcro rip: noise chopped into fast grains.
    Samples rip(SampleCount(0.35f));
    Filter f(Filter::Kind::BandPass, 2400, 1.2f);
    for (size_t i = 0; i < rip.size(); ++i)
    {
        float t = Seconds(i);
        float grain = (static_cast<int>(t * 180.0f) % 2 == 0) ? 1.0f : 0.3f;
        rip[i] = f.Process(rng.Signed()) * grain * Gate(t, 0.02f, 0.08f, 0.35f);
    }
    At(s, 0, rip, 1.0f);
    At(s, 0.45f, Swish(0.3f, 800, 2500, 32), 0.5f);
    Samples beep(SampleCount(0.12f));
    for (size_t i = 0; i < beep.size(); ++i)
        beep[i] = SineWave(1320.0 * Seconds(i)) * Gate(Seconds(i), 0.005f, 0.03f, 0.12f);
    At(s, 0.75f, beep, 0.25f);
    return s;
}

Samples Hit()
{
    Samples s = Blank(0.4f);
    At(s, 0, Thump(0.3f, 160, 60, 0.03f, 0.07f), 1.0f);
    At(s, 0, Burst(0.2f, LP, 1400, 0.7f, 0.001f, 0.03f, 41), 0.7f);
    VoiceShape v;
    v.seconds = 0.28f;
    v.pitch = [](float t) { return 150.0f - 40.0f * t; };
    v.envelope = [](float t) { return AttackDecay(t, 0.05f, 0.3f); };
    v.formantsFrom[0] = 600;
    v.formantsFrom[1] = 1000;
    v.formantsFrom[2] = 2400;
    v.formantsTo[0] = 500;
    v.formantsTo[1] = 900;
    v.formantsTo[2] = 2300;
    v.roughness = 0.3f;
    v.breath = 0.25f;
    v.seed = 42;
    At(s, 0.03f, Voice(v), 0.5f);
    return s;
}

Samples Dying()
{
    Samples s = Blank(1.4f);
    VoiceShape v;
    v.seconds = 1.1f;
    v.pitch = [](float t) { return 170.0f - 90.0f * t; };
    v.envelope = [](float t) { return Gate(t, 0.06f, 0.5f, 1.0f); };
    v.formantsFrom[0] = 750;
    v.formantsFrom[1] = 1150;
    v.formantsFrom[2] = 2500;
    v.formantsTo[0] = 450;
    v.formantsTo[1] = 850;
    v.formantsTo[2] = 2300;
    v.roughness = 0.35f;
    v.breath = 0.3f;
    v.seed = 43;
    At(s, 0, Voice(v), 0.8f);
    At(s, 1.05f, Thump(0.3f, 120, 50, 0.03f, 0.08f), 0.8f);
    At(s, 1.05f, Burst(0.2f, LP, 600, 0.7f, 0.002f, 0.05f, 44), 0.5f);
    return s;
}

Samples Kick()
{
    Samples s = Blank(0.8f);
    At(s, 0, Thump(0.5f, 140, 55, 0.03f, 0.1f), 1.0f);
    At(s, 0, Burst(0.4f, BP, 450, 1.5f, 0.0005f, 0.05f, 51), 1.0f);
    At(s, 0, Partials(0.5f, {210, 460, 780}, {0.12f, 0.08f, 0.05f}), 0.35f);
    Rng rng(52);
    for (int i = 0; i < 14; ++i)
        At(s, rng.Range(0.01f, 0.35f), Tick(rng.Range(1500, 4000), 0.004f, 53 + i), rng.Range(0.2f, 0.5f));
    for (float& v : s)
        v = SoftClip(v * 1.5f);
    return s;
}

Samples Boom()
{
    Samples s = Blank(2.2f);
    At(s, 0, Thump(1.6f, 90, 32, 0.15f, 0.45f), 1.0f);
    At(s, 0, Burst(2.0f, LP, 700, 0.7f, 0.004f, 0.5f, 61), 1.1f);
    At(s, 0, Burst(0.4f, HP, 1500, 0.7f, 0.001f, 0.05f, 62), 0.6f);
    Rng rng(63);
    for (int i = 0; i < 30; ++i)
        At(s, rng.Range(0.05f, 1.2f), Tick(rng.Range(800, 3000), 0.004f, 64 + i), rng.Range(0.1f, 0.35f));
    for (float& v : s)
        v = SoftClip(v * 1.8f);
    return s;
}

Samples GlassAndFlame()
{
    Samples s = Blank(1.2f);
    At(s, 0, Partials(0.6f, {3150, 4420, 5270, 6900, 8120}, {0.08f, 0.06f, 0.05f, 0.04f, 0.03f}), 0.5f);
    At(s, 0, Burst(0.3f, HP, 3000, 0.7f, 0.0005f, 0.05f, 71), 0.8f);
    Rng rng(72);
    for (int i = 0; i < 12; ++i)
        At(s, rng.Range(0.02f, 0.3f), Tick(rng.Range(4000, 7000), 0.003f, 73 + i), rng.Range(0.2f, 0.5f));
    Samples whoosh = Swish(0.9f, 200, 1400, 74);
    At(s, 0.08f, whoosh, 1.2f);
    return s;
}

// A fire's roar and crackle, generated around the loop so it repeats without a seam.
Samples FireLoop()
{
    const float L = 4.0f;
    size_t n = SampleCount(L);
    Rng rng(81);
    Samples roar = Noise(n, rng);
    Filter low(Filter::Kind::LowPass, 500, 0.7f);
    roar = Cyclic(roar, [&](float x) { return low.Process(x); });
    for (size_t i = 0; i < n; ++i)
        roar[i] *= 0.7f + 0.3f * SineWave(LoopHz(0.75f, L) * Seconds(i));
    for (int i = 0; i < 70; ++i)
    {
        long at = static_cast<long>(rng.Range(0, static_cast<float>(n)));
        MixInto(roar, Tick(rng.Range(900, 3500), rng.Range(0.002f, 0.006f), 82 + i), at, rng.Range(0.4f, 1.6f), true);
    }
    return roar;
}

Samples AcidLoop()
{
    const float L = 3.0f;
    size_t n = SampleCount(L);
    Rng rng(91);
    Samples hiss = Noise(n, rng);
    Filter high(Filter::Kind::HighPass, 3000, 0.7f);
    hiss = Cyclic(hiss, [&](float x) { return high.Process(x); });
    for (size_t i = 0; i < n; ++i)
        hiss[i] *= 0.35f * (0.75f + 0.25f * SineWave(LoopHz(7.0f, L) * Seconds(i)));
    for (int i = 0; i < 40; ++i)
    {
        float f = rng.Range(500, 1400);
        Samples pop(SampleCount(0.04f));
        for (size_t k = 0; k < pop.size(); ++k)
        {
            float t = Seconds(k);
            pop[k] = SineWave(f * t * (1.0f + 6.0f * t)) * AttackDecay(t, 0.002f, 0.01f);
        }
        MixInto(hiss, pop, static_cast<long>(rng.Range(0, static_cast<float>(n))), rng.Range(0.3f, 0.8f), true);
    }
    return hiss;
}

Samples Typing()
{
    Samples s = Blank(1.8f);
    Rng rng(101);
    float t = 0.02f;
    while (t < 1.6f)
    {
        At(s, t, Tick(rng.Range(2200, 3200), 0.006f, 102 + static_cast<unsigned>(t * 100)), rng.Range(0.6f, 1.0f));
        At(s, t, Thump(0.06f, 420, 250, 0.01f, 0.012f), 0.5f);
        t += rng.Range(0.07f, 0.2f);
    }
    At(s, 1.62f, Partials(0.18f, {2100, 3170}, {0.06f, 0.04f}), 0.25f);
    return s;
}
}

void MakeSoundEffects(Kit& kit)
{
    EmitEffect(kit, "First_Load", "Click9", MenuClick());
    EmitEffect(kit, "First_Load", "Sliding", DoorSlide());
    EmitEffect(kit, "First_Load", "SlidingReverse", Reversed(DoorSlide()));
    EmitEffect(kit, "First_Load", "Slam", DoorSlam());

    EmitEffect(kit, "Squad", "Click1", PickupChime());
    EmitEffect(kit, "Squad", "BrushStroke", Swish(0.32f, 700, 3200, 3), 0.7f);
    EmitEffect(kit, "Squad", "Rifle", Gunshot(0.05f, 80, 0.35f, 201));
    EmitEffect(kit, "Squad", "Pistol", Gunshot(0.03f, 130, 0.2f, 211));
    EmitEffect(kit, "Squad", "ReloadRifle", MagazineSwap(true), 0.8f);
    EmitEffect(kit, "Squad", "PistolReload", MagazineSwap(false), 0.8f);
    EmitEffect(kit, "Squad", "EmptyGun", DryClick(), 0.7f);
    EmitEffect(kit, "Squad", "MedKit", Bandage(), 0.7f);
    EmitEffect(kit, "Squad", "Damage", Hit());
    EmitEffect(kit, "Squad", "PlayerDie", Dying());
    EmitEffect(kit, "Squad", "DoorKick", Kick());
    EmitEffect(kit, "Squad", "Throw", Swish(0.4f, 2400, 500, 4), 0.7f);

    EmitEffect(kit, "World", "Explosion", Boom());
    EmitEffect(kit, "World", "MolotovBurst", GlassAndFlame());
    EmitLoop(kit, "World", "Fire", FireLoop(), 0.6f);
    EmitLoop(kit, "World", "Acid", AcidLoop(), 0.5f);

    EmitEffect(kit, "Story", "typing", Typing(), 0.8f);
}
}
