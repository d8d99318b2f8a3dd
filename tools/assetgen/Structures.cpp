// Walls (seamless 128 x 128 tiles, seen from above), doors and glass panes.
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
constexpr int T = 128;
const char* Group = "Third_Load";

Image Brick()
{
    Image tile(T, T);
    const int bw = 32, bh = 16;
    MapPixels(tile, [&](Color, int x, int y) {
        int row = y / bh;
        int shifted = x + (row % 2) * (bw / 2);
        int col = (shifted / bw) % (T / bw);
        float tone = 0.8f + 0.35f * static_cast<float>((row * 7 + col * 13) % 9) / 8.0f;
        int gx = shifted % bw, gy = y % bh;
        if (gx < 2 || gy < 2)
            return Hex(0x4E4640);
        Color c = Shade(Hex(0x8A3E2C), tone);
        if (gy == 2 || gx == 2)
            c = Shade(c, 1.2f);
        return c;
    });
    NoiseShade(tile, 0.12f, 8, 8, 3, 41);
    DuskGrade(tile, 0.35f);
    return tile;
}

Image Plaster()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x9C9282), Hex(0xCFC6B2), 4, 4, 5, 43);
    NoiseShade(tile, 0.05f, 32, 32, 2, 44);
    Rng rng("wall plaster");
    for (int i = 0; i < 5; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        float r = rng.Range(5, 12);
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) {
            Draw(t, Ragged(Circle(q, r), r * 0.3f, 0.2f, 45 + i), Hex(0x7A5E44, 0.35f), 2.0f);
        });
    }
    DuskGrade(tile, 0.35f);
    return tile;
}

Image WoodWall()
{
    Image tile(T, T);
    MapPixels(tile, [&](Color, int x, int y) {
        int board = x / 16;
        float grain = TileFbm((x + 0.5f) / T * 24, (y + 0.5f) / T * 3, 24, 3, 3, 47 + board);
        Color c = Mix(Hex(0x4A3020), Hex(0x7E5636), Clamp01(0.5f + grain * 1.3f));
        c = Shade(c, 0.85f + 0.3f * static_cast<float>((board * 5) % 7) / 6.0f);
        if (x % 16 < 2)
            c = Hex(0x1E140C);
        return c;
    });
    DuskGrade(tile, 0.35f);
    return tile;
}

Image ConcreteBlock()
{
    Image tile(T, T);
    NoiseFill(tile, Hex(0x6A6A6C), Hex(0x9A9894), 8, 8, 4, 49);
    MapPixels(tile, [&](Color c, int x, int y) {
        int row = y / 32;
        int gx = (x + (row % 2) * 32) % 64, gy = y % 32;
        if (gx < 2 || gy < 2)
            return Hex(0x45454A);
        if (gx == 2 || gy == 2)
            return Shade(c, 1.12f);
        return c;
    });
    DuskGrade(tile, 0.35f);
    return tile;
}

Image Stone()
{
    Image tile(T, T);
    tile.Fill(Hex(0x3E3A36));
    Rng rng("wall stone");
    // Irregular stones packed over the mortar.
    for (int i = 0; i < 60; ++i)
    {
        Vec2 p{rng.Range(0, T), rng.Range(0, T)};
        Vec2 r{rng.Range(8, 15), rng.Range(6, 11)};
        float a = rng.Range(0, Pi);
        Color c = Mix(Hex(0x6E6860), Hex(0xA49A8A), rng.Unit());
        PaintWrapped(tile, p, [&](Image& t, Vec2 q) {
            Shape s = Ragged(Ellipse(q, r, a), 1.5f, 0.25f, 50 + i);
            Draw(t, s, Lit(c, q, r.x, 0.22f));
        });
    }
    NoiseShade(tile, 0.08f, 8, 8, 2, 51);
    DuskGrade(tile, 0.35f);
    return tile;
}

// A door seen from above: a slab in its frame, `w` long and `h` thick.
Image Door(int w, int h, Color slab, bool metal)
{
    Image img(w, h);
    Vec2 c{w * 0.5f, h * 0.5f};
    DrawOutlined(img, Box(c, {w * 0.5f - 2, h * 0.5f - 2}, 0, 2), Lit(slab, c, w * 0.5f, 0.3f), InkColor(), 1.5f);
    if (metal)
    {
        for (int i = 1; i < 6; ++i)
            Draw(img, Box({w * i / 6.0f, c.y}, {0.8f, h * 0.5f - 4}), Shade(slab, 0.7f));
        Draw(img, Box({c.x, c.y}, {w * 0.5f - 4, 1.0f}), Hex(0xE0B020, 0.8f));
    }
    else
    {
        MapPixels(img, [&](Color p, int x, int y) {
            if (p.a < 0.9f)
                return p;
            float grain = std::sin(x * 0.35f + 3.0f * Perlin(x * 0.05f, y * 0.3f, 53));
            return Shade(p, 1.0f + 0.06f * grain);
        });
        InkedBall(img, {w - 14.0f, c.y}, h * 0.22f, Hex(0xC8A040));
    }
    InkedBox(img, {4, c.y}, {4, h * 0.5f - 1}, 0, 1, Hex(0x3A3530));
    InkedBox(img, {w - 4.0f, c.y}, {4, h * 0.5f - 1}, 0, 1, Hex(0x3A3530));
    return img;
}

Image Glass(bool broken)
{
    const int w = 128, h = 16;
    Image img(w, h);
    Vec2 c{w * 0.5f, h * 0.5f};
    if (!broken)
    {
        Draw(img, Box(c, {w * 0.5f - 3, 3.5f}), Linear({0, 0}, {float(w), float(h)}, Hex(0x9AD0E0, 0.55f), Hex(0x5A8AA8, 0.6f)));
        Draw(img, Box(c + Vec2{-20, -1}, {18, 0.8f}), Hex(0xFFFFFF, 0.7f));
        Draw(img, Box(c + Vec2{30, 1}, {10, 0.6f}), Hex(0xFFFFFF, 0.5f));
    }
    else
    {
        Rng rng("glass broken");
        for (int i = 0; i < 14; ++i)
        {
            float x = rng.Range(8, w - 8.0f);
            Vec2 p{x, c.y + rng.Range(-4, 4)};
            Draw(img, Polygon({p, p + Vec2{rng.Range(3, 7), rng.Range(-3, 3)}, p + Vec2{rng.Range(-2, 4), rng.Range(2, 5)}}),
                 Hex(0xB0E0F0, 0.7f));
        }
    }
    InkedBox(img, {3, c.y}, {3, h * 0.5f - 1}, 0, 1, Hex(0x5A5550));
    InkedBox(img, {w - 3.0f, c.y}, {3, h * 0.5f - 1}, 0, 1, Hex(0x5A5550));
    InkedBox(img, c, {2, h * 0.5f - 1}, 0, 1, Hex(0x5A5550));
    return img;
}

Image Fence()
{
    Image img(128, 32);
    for (int i = 0; i < 2; ++i)
        InkedBox(img, {64, 11.0f + i * 10}, {64, 2.5f}, 0, 1, Hex(0x7A5A3A));
    for (int i = 0; i < 4; ++i)
        InkedBox(img, {16.0f + i * 32, 16}, {5, 5}, 0, 1.5f, Hex(0x5A3E26));
    return img;
}
}

void MakeStructures(Kit& kit)
{
    kit.out.AddImage(Group, "Walls", "Wall_Brick", Brick());
    kit.out.AddImage(Group, "Walls", "Wall_Plaster", Plaster());
    kit.out.AddImage(Group, "Walls", "Wall_Wood", WoodWall());
    kit.out.AddImage(Group, "Walls", "Wall_Concrete", ConcreteBlock());
    kit.out.AddImage(Group, "Walls", "Wall_Stone", Stone());
    kit.out.AddImage(Group, "Walls", "Fence_Wood", Fence());
    kit.out.AddImage(Group, "Doors", "Door_Wood", Door(128, 24, Hex(0x8A5A32), false));
    kit.out.AddImage(Group, "Doors", "Door_Metal", Door(192, 24, Hex(0x6A7078), true));
    kit.out.AddImage(Group, "Doors", "Glass_Window", Glass(false));
    kit.out.AddImage(Group, "Doors", "Glass_Broken", Glass(true));
}
}
