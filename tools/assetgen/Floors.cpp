// Seamless floor tiles (256 x 256, opaque) for tiled Renderers.
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
constexpr int T = 256;
const char* Group = "Third_Load";
const char* Sub = "Floors";

Image Wood()
{
    Image tile(T, T);
    Rng rng("floor wood");
    const int plank = 32;
    // Each row of planks has its own tone and its own joint; the grain runs along x.
    MapPixels(tile, [&](Color, int x, int y) {
        int row = y / plank;
        float tone = 0.85f + 0.3f * static_cast<float>((row * 37) % 7) / 6.0f;
        float grain = TileFbm((x + 0.5f) / T * 4.0f, (y + 0.5f) / T * 48.0f, 4, 48, 3, 5 + row);
        Color c = Mix(Hex(0x5E3B22), Hex(0x9A6A40), Clamp01(0.5f + grain * 1.4f));
        return Shade(c, tone);
    });
    for (int row = 0; row < T / plank; ++row)
    {
        float y = static_cast<float>(row * plank);
        Draw(tile, Box({T * 0.5f, y + 0.5f}, {T * 0.5f + 2, 1.0f}), Hex(0x24160C));
        Draw(tile, Box({T * 0.5f, y + 2.0f}, {T * 0.5f + 2, 0.6f}), Hex(0xB88A5A, 0.35f));
        float joint = static_cast<float>(rng.Int(0, T - 1));
        PaintWrapped(tile, {joint, y + plank * 0.5f}, [&](Image& t, Vec2 p) {
            Draw(t, Box(p, {1.0f, plank * 0.5f - 1}), Hex(0x24160C));
            Draw(t, Circle(p + Vec2{-6, -8}, 1.2f), Hex(0x2A2A2A));
            Draw(t, Circle(p + Vec2{6, 8}, 1.2f), Hex(0x2A2A2A));
        });
    }
    NoiseShade(tile, 0.08f, 4, 4, 3, 9);
    DuskGrade(tile, 0.4f);
    return tile;
}

Image Tiles()
{
    Image tile(T, T);
    const int cell = 32;
    MapPixels(tile, [&](Color, int x, int y) {
        bool dark = ((x / cell) + (y / cell)) % 2 == 0;
        Color base = dark ? Hex(0x8E4A36) : Hex(0xCFC3A8);
        float n = TileFbm((x + 0.5f) / T * 16, (y + 0.5f) / T * 16, 16, 16, 2, 13);
        return Shade(base, 1.0f + 0.06f * n);
    });
    MapPixels(tile, [&](Color c, int x, int y) {
        int gx = x % cell, gy = y % cell;
        bool grout = gx < 2 || gy < 2;
        bool bevel = gx == 2 || gy == 2;
        if (grout)
            return Hex(0x4A4238);
        if (bevel)
            return Shade(c, 1.15f);
        return c;
    });
    NoiseShade(tile, 0.12f, 4, 4, 4, 17);
    DuskGrade(tile, 0.4f);
    return tile;
}

Image Concrete()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x595A5C), Hex(0x8E8C88), 8, 8, 5, 21);
    Rng rng("floor concrete");
    for (int i = 0; i < 140; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        float r = rng.Range(0.6f, 1.6f);
        Color c = rng.Chance(0.5f) ? Hex(0x3E3E40, 0.6f) : Hex(0xB0ACA4, 0.5f);
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) { Draw(t, Circle(q, r), c); });
    }
    // A hairline crack and the seam of the slab.
    Vec2 a{40, 30};
    for (int i = 0; i < 9; ++i)
    {
        Vec2 b = a + Vec2{rng.Range(8, 20), rng.Range(-6, 14)};
        PaintWrapped(tile, {0, 0}, [&](Image& t, Vec2 o) { Draw(t, Capsule(a + o, b + o, 0.6f), Hex(0x2E2E30, 0.8f)); });
        a = b;
    }
    Draw(tile, Box({T * 0.5f, 0.5f}, {T * 0.5f + 1, 1.0f}), Hex(0x3C3C3E));
    Draw(tile, Box({0.5f, T * 0.5f}, {1.0f, T * 0.5f + 1}), Hex(0x3C3C3E));
    DuskGrade(tile, 0.35f);
    return tile;
}

Image Grass()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x33401E), Hex(0x6B7A34), 6, 6, 5, 25);
    NoiseShade(tile, 0.15f, 3, 3, 2, 26);
    Rng rng("floor grass");
    for (int i = 0; i < 900; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        float len = rng.Range(4, 9), a = rng.Range(-2.4f, -0.7f);
        Color c = Mix(Hex(0x4A5C22), Hex(0x9AA850), rng.Unit());
        c.a = 0.8f;
        Vec2 tip = Vec2{std::cos(a), std::sin(a)} * len;
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) { Draw(t, Taper(q, q + tip, 1.1f, 0.2f), c); });
    }
    for (int i = 0; i < 14; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        Color petal = rng.Chance(0.5f) ? Hex(0xD8C060) : Hex(0xC89AB0);
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) { Draw(t, Circle(q, 1.6f), petal); });
    }
    DuskGrade(tile, 0.45f);
    return tile;
}

Image Dirt()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x4A3624), Hex(0x86684A), 7, 7, 5, 29);
    Rng rng("floor dirt");
    for (int i = 0; i < 120; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        Vec2 r{rng.Range(1.5f, 4.0f), rng.Range(1.2f, 3.0f)};
        float a = rng.Range(0, Pi);
        Color c = Mix(Hex(0x6A6058), Hex(0xA89C8A), rng.Unit());
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) {
            Draw(t, Ellipse(q + Vec2{0.8f, 1.0f}, r, a), Hex(0x20160E, 0.5f), 1.5f);
            Draw(t, Ellipse(q, r, a), Lit(c, q, r.x, 0.5f));
        });
    }
    for (int i = 0; i < 6; ++i)
    {
        float y = rng.Range(0, T);
        PaintWrapped(tile, {0, y}, [&](Image& t, Vec2 q) {
            Draw(t, Box(q + Vec2{T * 0.5f, 0}, {T * 0.5f + 2, 2.5f}), Hex(0x3A2A1A, 0.25f), 3.0f);
        });
    }
    DuskGrade(tile, 0.4f);
    return tile;
}

Image Carpet()
{
    Image tile(T, T);
    MapPixels(tile, [&](Color, int x, int y) {
        float u = std::fabs(std::fmod(x + 0.5f, 64.0f) - 32.0f), v = std::fabs(std::fmod(y + 0.5f, 64.0f) - 32.0f);
        float diamond = u + v;
        Color c = Hex(0x5A1A22);
        if (diamond > 26 && diamond < 30)
            c = Hex(0x8A6A36);
        else if (diamond < 10)
            c = Hex(0x6E2430);
        float fibre = TilePerlin((x + 0.5f) * 0.5f, (y + 0.5f) * 0.5f, 128, 128, 31);
        return Shade(c, 1.0f + 0.1f * fibre);
    });
    NoiseShade(tile, 0.1f, 4, 4, 3, 32);
    DuskGrade(tile, 0.3f);
    return tile;
}

Image MetalPlate()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x4A4E52), Hex(0x6E7276), 4, 4, 4, 35);
    // Diamond tread plate.
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i)
        {
            Vec2 c{i * 16.0f + 8, j * 16.0f + 8};
            float a = ((i + j) % 2 == 0) ? 0.7f : -0.7f;
            Draw(tile, Box(c + Vec2{0.8f, 0.8f}, {5.5f, 1.4f}, a, 1.3f), Hex(0x2A2C30, 0.7f));
            Draw(tile, Box(c, {5.5f, 1.4f}, a, 1.3f), Hex(0x9A9EA2));
        }
    NoiseShade(tile, 0.12f, 4, 4, 3, 36);
    Rng rng("floor metal");
    for (int i = 0; i < 8; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        float r = rng.Range(10, 24);
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) { Draw(t, Circle(q, r), Hex(0x6A3A1A, 0.25f), r * 0.8f); });
    }
    DuskGrade(tile, 0.3f);
    return tile;
}

Image Marble()
{
    Image tile(T, T);
    MapPixels(tile, [&](Color, int x, int y) {
        float n = TileFbm((x + 0.5f) / T * 4, (y + 0.5f) / T * 4, 4, 4, 5, 39);
        float vein = std::fabs(std::sin((x + y) * 0.02454f + n * 2.5f));
        Color c = Mix(Hex(0xB4ACA0), Hex(0xE2DCD0), Smoothstep(0.0f, 0.18f, vein));
        return c;
    });
    MapPixels(tile, [&](Color c, int x, int y) {
        int gx = x % 128, gy = y % 128;
        return (gx < 2 || gy < 2) ? Hex(0x5A544C) : c;
    });
    DuskGrade(tile, 0.3f);
    return tile;
}
}

void MakeFloors(Kit& kit)
{
    kit.out.AddImage(Group, Sub, "Floor_Wood", Wood());
    kit.out.AddImage(Group, Sub, "Floor_Tile", Tiles());
    kit.out.AddImage(Group, Sub, "Floor_Concrete", Concrete());
    kit.out.AddImage(Group, Sub, "Floor_Grass", Grass());
    kit.out.AddImage(Group, Sub, "Floor_Dirt", Dirt());
    kit.out.AddImage(Group, Sub, "Floor_Carpet", Carpet());
    kit.out.AddImage(Group, Sub, "Floor_Metal", MetalPlate());
    kit.out.AddImage(Group, Sub, "Floor_Marble", Marble());
}
}
