// Smoke puffs, the scrolling fog edge and ground decals.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"
#include "Shapes.h"
#include "WorldKit.h"

#include <cmath>

namespace assetgen
{
namespace
{
const char* Group = "Third_Load";

Image SmokePuff()
{
    const int S = 128;
    Image img(S, S);
    Vec2 c{S * 0.5f, S * 0.5f};
    MapPixels(img, [&](Color, int x, int y) {
        Vec2 p{x + 0.5f, y + 0.5f};
        float d = Length(p - c) / (S * 0.46f);
        float n = Fbm(p.x * 0.035f, p.y * 0.035f, 4, 101) * 0.5f + 0.5f;
        float a = Clamp01((1.0f - d) * 2.0f) * (0.35f + 0.65f * Clamp01(n * 1.3f));
        Color tone = Mix(Hex(0x6A6270), Hex(0xC8BCC0), Clamp01(n + (1 - d) * 0.3f));
        return WithAlpha(tone, a * 0.85f);
    });
    return img;
}

// Fog strips tile along their length; dense in the middle, clear at both long edges, so a strip
// can lie on any edge of the level.
Image FogEdge(bool vertical)
{
    const int L = 512, W = 192;
    Image img(vertical ? W : L, vertical ? L : W);
    MapPixels(img, [&](Color, int x, int y) {
        float along = static_cast<float>(vertical ? y : x), across = static_cast<float>(vertical ? x : y);
        float profile = 1.0f - std::fabs((across + 0.5f) / W * 2.0f - 1.0f);
        profile = Smoothstep(0.0f, 0.8f, profile);
        float n = TileFbm((along + 0.5f) / L * 8.0f, (across + 0.5f) / W * 3.0f, 8, 3, 4, 103) * 0.5f + 0.5f;
        float a = profile * Clamp01(0.35f + n * 0.9f);
        return WithAlpha(Mix(Hex(0x4A4458), Hex(0xA89CB0), n), a * 0.85f);
    });
    return img;
}

Image Splat(Color color, unsigned seed, int size)
{
    Image img(size, size);
    Vec2 c{size * 0.5f, size * 0.5f};
    Rng rng(seed);
    float r = size * 0.22f;
    Draw(img, Ragged(Circle(c, r), r * 0.35f, 0.08f, seed), color);
    for (int i = 0; i < 14; ++i)
    {
        float a = rng.Range(0, TwoPi), d = rng.Range(r * 1.1f, size * 0.45f);
        Vec2 p = c + Vec2{std::cos(a), std::sin(a)} * d;
        Draw(img, Taper(c + Vec2{std::cos(a), std::sin(a)} * (r * 0.8f), p, rng.Range(1.5f, 3.5f), 1.0f), color);
        Draw(img, Circle(p, rng.Range(1.5f, 3.5f)), color);
    }
    return img;
}

Image Crack()
{
    Image img(128, 128);
    Rng rng("crack");
    for (int b = 0; b < 5; ++b)
    {
        Vec2 a{64, 64};
        float dir = TwoPi * b / 5.0f + rng.Range(-0.3f, 0.3f);
        for (int i = 0; i < 7; ++i)
        {
            dir += rng.Range(-0.5f, 0.5f);
            Vec2 n = a + Vec2{std::cos(dir), std::sin(dir)} * rng.Range(5, 10);
            Draw(img, Capsule(a, n, 1.2f - i * 0.12f), Hex(0x1A1614, 0.85f));
            a = n;
        }
    }
    return img;
}

Image Scorch()
{
    Image img(160, 160);
    Vec2 c{80, 80};
    MapPixels(img, [&](Color, int x, int y) {
        Vec2 p{x + 0.5f, y + 0.5f};
        float d = Length(p - c) / 70.0f;
        float n = Fbm(p.x * 0.05f, p.y * 0.05f, 3, 107) * 0.5f + 0.5f;
        float a = Clamp01((1.0f - d) * 1.8f) * (0.6f + 0.4f * n);
        return WithAlpha(Hex(0x141010), a * 0.85f);
    });
    return img;
}

Image Leaves()
{
    Image img(128, 128);
    Rng rng("leaves");
    for (int i = 0; i < 26; ++i)
    {
        Vec2 p{rng.Range(12, 116), rng.Range(12, 116)};
        float a = rng.Range(0, TwoPi);
        Color c = Mix(Hex(0x8A5A22), Hex(0xC8902E), rng.Unit());
        Draw(img, Ellipse(p, {5, 2.6f}, a), Lit(c, p, 5, 0.4f));
        Draw(img, Capsule(p - Vec2{std::cos(a), std::sin(a)} * 4.0f, p + Vec2{std::cos(a), std::sin(a)} * 4.0f, 0.4f),
             Hex(0x5A3A14));
    }
    return img;
}
}

void MakeAtmosphere(Kit& kit)
{
    kit.out.AddImage(Group, "Atmosphere", "Smoke_Puff", SmokePuff());
    kit.out.AddImage(Group, "Atmosphere", "Fog_Edge", FogEdge(false));
    kit.out.AddImage(Group, "Atmosphere", "Fog_EdgeV", FogEdge(true));
    kit.out.AddImage(Group, "Decals", "Decal_Blood", Splat(Hex(0x5A0E10, 0.9f), 111, 128));
    kit.out.AddImage(Group, "Decals", "Decal_GreenBlood", Splat(Shade(ZombieBlood(), 0.9f), 113, 128));
    kit.out.AddImage(Group, "Decals", "Decal_Crack", Crack());
    kit.out.AddImage(Group, "Decals", "Decal_Scorch", Scorch());
    kit.out.AddImage(Group, "Decals", "Decal_Leaves", Leaves());
}
}
