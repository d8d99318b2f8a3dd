// One-shot effects (tag ONESHOT, played once) and the looping damage areas.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "ItemArt.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int S = 128;
const Vec2 Centre{S * 0.5f, S * 0.5f};

Image ExplosionFrame(int i, int count)
{
    float t = static_cast<float>(i) / (count - 1);
    Image f(S, S);
    Rng rng("explosion");
    // Flash, then a fireball that swells and darkens into smoke, then a fading smoke ring.
    float fire = Clamp01(1.0f - t * 1.6f);
    float smoke = Smoothstep(0.15f, 0.5f, t) * (1.0f - Smoothstep(0.6f, 1.0f, t));
    float radius = 18.0f + 42.0f * std::sqrt(t);
    for (int k = 0; k < 14; ++k)
    {
        float a = rng.Range(0, TwoPi), d = rng.Range(0.2f, 0.75f) * radius;
        Vec2 c = Centre + Vec2{std::cos(a), std::sin(a)} * d;
        float r = radius * rng.Range(0.35f, 0.55f);
        Draw(f, Circle(c, r), WithAlpha(Mix(Hex(0x3A3230), Hex(0x6A5E58), rng.Unit()), 0.75f * smoke), r * 0.5f);
    }
    if (fire > 0)
    {
        Shape ball = Ragged(Circle(Centre, radius * 0.8f), radius * 0.12f, 0.08f, 5 + i);
        Draw(f, ball, [&](Vec2 p) {
            float d = Clamp01(Length(p - Centre) / (radius * 0.85f));
            Color hot = Mix(Hex(0xFFF4C0), Hex(0xFFA020), d);
            hot = Mix(hot, Hex(0xC0301A), Smoothstep(0.6f, 1.0f, d));
            return WithAlpha(hot, fire);
        }, 3.0f);
        Draw(f, Circle(Centre, radius * 1.05f), WithAlpha(Hex(0xFF8A2A), 0.35f * fire), radius * 0.5f);
    }
    if (i <= 1)
        Draw(f, Circle(Centre, 30.0f + 20.0f * i), WithAlpha(Hex(0xFFFFF0), 0.9f - 0.4f * i), 12.0f);
    // Embers thrown outwards.
    for (int k = 0; k < 18; ++k)
    {
        float a = rng.Range(0, TwoPi), speed = rng.Range(0.5f, 1.0f);
        Vec2 dir{std::cos(a), std::sin(a)};
        Vec2 p = Centre + dir * (12.0f + 55.0f * speed * t);
        float life = Clamp01(1.0f - t * 1.2f);
        if (life > 0)
            Draw(f, Taper(p, p - dir * (6.0f * life + 1.0f), 1.6f, 0.4f), WithAlpha(Hex(0xFFC050), life));
    }
    return f;
}

Image SplashFrame(int i, int count, float spread, int drops, float size, unsigned seed, bool pool)
{
    float t = static_cast<float>(i) / (count - 1);
    Image f(S, S);
    Rng rng(seed);
    Color blood = ZombieBlood(), bright = Hex(0x7CB83A);
    float fade = 1.0f - Smoothstep(0.6f, 1.0f, t);
    if (pool)
    {
        Shape splat = Ragged(Circle(Centre, size * (0.6f + 0.5f * Smoothstep(0.0f, 0.4f, t))), size * 0.3f, 0.07f, seed);
        Draw(f, splat, WithAlpha(Shade(blood, 0.85f), 0.9f * fade));
    }
    for (int k = 0; k < drops; ++k)
    {
        float a = rng.Range(0, TwoPi), speed = rng.Range(0.3f, 1.0f), r = rng.Range(1.5f, 4.0f) * size / 20.0f;
        Vec2 dir{std::cos(a), std::sin(a)};
        float travel = spread * speed * (1.0f - (1.0f - t) * (1.0f - t));
        Vec2 p = Centre + dir * travel;
        float alpha = fade * (0.6f + 0.4f * rng.Unit());
        Draw(f, Taper(p, p - dir * (travel * 0.35f), r, r * 0.3f), WithAlpha(Mix(blood, bright, rng.Unit()), alpha));
        Draw(f, Circle(p, r), WithAlpha(Mix(blood, bright, 0.5f), alpha));
    }
    return f;
}

Image SparksFrame(int i, int count)
{
    float t = static_cast<float>(i) / (count - 1);
    Image f(S, S);
    Rng rng("sparks");
    float life = 1.0f - t;
    Draw(f, Circle(Centre, 14.0f * (1.0f - t) + 2), WithAlpha(Hex(0xFFE8A0), 0.7f * life), 8.0f);
    for (int k = 0; k < 16; ++k)
    {
        float a = rng.Range(0, TwoPi), speed = rng.Range(0.4f, 1.0f);
        Vec2 dir{std::cos(a), std::sin(a)};
        Vec2 p = Centre + dir * (8.0f + 46.0f * speed * std::sqrt(t));
        Draw(f, Taper(p, p - dir * (10.0f * life + 2.0f), 1.8f * life + 0.4f, 0.3f),
             WithAlpha(Mix(Hex(0xFFFFFF), Hex(0xFFB030), t), life));
    }
    return f;
}

// The flames reach 0.72 of the half size: the renderer draws the area at 1.39 times its radius.
Image FireAreaFrame(int i, int count)
{
    Image f(S, S);
    float r = S * 0.5f * 0.72f;
    float phase = static_cast<float>(i) / count;
    Draw(f, Ragged(Circle(Centre, r * 1.02f), r * 0.08f, 0.08f, 3), Hex(0x1E140E, 0.75f), 2.0f);
    Draw(f, Circle(Centre, r * 1.1f), Hex(0xFF6A1A, 0.25f + 0.06f * std::sin(phase * TwoPi)), r * 0.4f);
    MapPixels(f, [&](Color c, int x, int y) {
        Vec2 p{x + 0.5f, y + 0.5f};
        float d = Length(p - Centre) / r;
        if (d > 1.0f)
            return c;
        float n = TilePerlin(p.x * 0.08f + std::cos(phase * TwoPi) * 0.8f, p.y * 0.08f + std::sin(phase * TwoPi) * 0.8f, 256,
                            256, 17) * 0.5f + 0.5f;
        float heat = Clamp01(n * 1.3f - 0.2f) * (1.0f - d * d);
        return Over(c, WithAlpha(Mix(Hex(0xB8301A), Hex(0xFFC040), heat), 0.5f * heat));
    });
    Rng rng("fire area");
    for (int k = 0; k < 16; ++k)
    {
        float a = rng.Range(0, TwoPi), d = std::sqrt(rng.Unit()) * r * 0.92f;
        Vec2 base = Centre + Vec2{std::cos(a), std::sin(a)} * d;
        float h = rng.Range(14.0f, 26.0f) * (1.0f - 0.4f * d / r);
        // Each tongue flickers on its own cycle that divides the clip, so the loop has no seam.
        float flicker = std::fmod(phase * static_cast<float>(1 + k % 2) + rng.Unit(), 1.0f);
        float grow = 0.75f + 0.25f * std::sin(flicker * TwoPi);
        DrawFlame(f, base, {-0.25f, -1.0f}, h * grow, h * 0.32f, flicker, static_cast<unsigned>(k));
    }
    for (int k = 0; k < 10; ++k)
    {
        float a = rng.Range(0, TwoPi), d = rng.Range(0.2f, 1.0f) * r;
        float rise = std::fmod(phase + rng.Unit(), 1.0f);
        Vec2 p = Centre + Vec2{std::cos(a) * d, std::sin(a) * d - rise * 20.0f};
        Draw(f, Circle(p, 1.4f), WithAlpha(Hex(0xFFD070), 1.0f - rise));
    }
    return f;
}

Image AcidAreaFrame(int i, int count)
{
    Image f(S, S);
    float r = S * 0.5f * 0.72f;
    float phase = static_cast<float>(i) / count;
    Shape pool = Ragged(Circle(Centre, r), r * 0.1f, 0.07f, 9);
    Draw(f, Circle(Centre, r * 1.15f), Hex(0xB6D636, 0.22f), r * 0.35f);
    Draw(f, Expanded(pool, 2.0f), Hex(0x3E5A12, 0.9f));
    Draw(f, pool, [&](Vec2 p) {
        float n = TilePerlin(p.x * 0.06f + std::cos(phase * TwoPi) * 0.6f, p.y * 0.06f + std::sin(phase * TwoPi) * 0.6f,
                             256, 256, 23);
        return WithAlpha(Mix(Hex(0x7A9E22), Hex(0xD4F060), Clamp01(n * 0.8f + 0.45f)), 0.92f);
    });
    Rng rng("acid area");
    for (int k = 0; k < 12; ++k)
    {
        float a = rng.Range(0, TwoPi), d = std::sqrt(rng.Unit()) * r * 0.8f;
        Vec2 c = Centre + Vec2{std::cos(a), std::sin(a)} * d;
        float life = std::fmod(phase + rng.Unit(), 1.0f);
        float br = 1.5f + 4.5f * life;
        if (life < 0.85f)
            DrawOutlined(f, Ring(c, br, 1.2f), Hex(0xEFFFB0, 0.9f - life), Hex(0x4A6A14, 0.5f * (1 - life)), 0.6f);
        else
            Draw(f, Circle(c, 2.0f), Hex(0xF4FFC8, 0.8f));
    }
    return f;
}
}

void MakeEffects(Kit& kit)
{
    std::vector<Image> frames;
    for (int i = 0; i < 10; ++i)
        frames.push_back(ExplosionFrame(i, 10));
    kit.out.AddSheet("ONESHOT", "Explosion", frames, 0.05f);

    frames.clear();
    for (int i = 0; i < 6; ++i)
        frames.push_back(SplashFrame(i, 6, 36.0f, 16, 22.0f, 41, false));
    kit.out.AddSheet("ONESHOT", "GreenBloodDamage", frames, 0.05f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(SplashFrame(i, 8, 54.0f, 26, 24.0f, 43, true));
    kit.out.AddSheet("ONESHOT", "GreenBloodDeath", frames, 0.07f);

    frames.clear();
    for (int i = 0; i < 6; ++i)
        frames.push_back(SparksFrame(i, 6));
    kit.out.AddSheet("ONESHOT", "Sparks", frames, 0.04f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(FireAreaFrame(i, 8));
    kit.out.AddSheet("Area_Fire", "Idle", frames, 0.08f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(AcidAreaFrame(i, 8));
    kit.out.AddSheet("Area_Acid", "Idle", frames, 0.1f);
}
}
