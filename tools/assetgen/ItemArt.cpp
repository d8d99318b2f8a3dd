#include "ItemArt.h"

#include "CharacterParts.h"
#include "Paints.h"

#include <cmath>

namespace assetgen
{
namespace
{
Vec2 At(Vec2 c, float size, float angle, float x, float y) { return c + Rotated({x * size, y * size}, angle); }
}

void DrawAmmoBox(Image& layer, Vec2 c, float size, float angle)
{
    auto P = [&](float x, float y) { return At(c, size, angle, x, y); };
    InkedBox(layer, c, {size * 0.46f, size * 0.32f}, angle, size * 0.05f, Hex(0x5A6438));
    Draw(layer, Box(P(0, -0.18f), {size * 0.42f, size * 0.04f}, angle), Hex(0x3E4628));
    for (int i = 0; i < 5; ++i)
    {
        Vec2 b = P(-0.3f + i * 0.15f, 0.06f);
        InkedBall(layer, b, size * 0.06f, Hex(0xD8A440), 0.6f);
    }
    Draw(layer, Box(P(0.3f, -0.18f), {size * 0.08f, size * 0.05f}, angle), Hex(0xE3C24A));
}

void DrawMedkit(Image& layer, Vec2 c, float size, float angle)
{
    auto P = [&](float x, float y) { return At(c, size, angle, x, y); };
    InkedBox(layer, P(0, -0.36f), {size * 0.16f, size * 0.07f}, angle, size * 0.04f, Hex(0x9A9AA0));
    InkedBox(layer, c, {size * 0.44f, size * 0.34f}, angle, size * 0.08f, Hex(0xE8E6E0));
    Draw(layer, Box(c, {size * 0.2f, size * 0.065f}, angle, 1), Hex(0xC8282A));
    Draw(layer, Box(c, {size * 0.065f, size * 0.2f}, angle, 1), Hex(0xC8282A));
}

void DrawGrenade(Image& layer, Vec2 c, float size, float angle)
{
    auto P = [&](float x, float y) { return At(c, size, angle, x, y); };
    InkedBlob(layer, P(-0.05f, 0), {size * 0.36f, size * 0.31f}, angle, Hex(0x58703C), 0.5f);
    for (int i = -1; i <= 1; ++i)
        Draw(layer, Box(P(-0.05f + i * 0.17f, 0), {size * 0.015f, size * 0.28f}, angle), Hex(0x34461E, 0.8f));
    Draw(layer, Box(P(-0.05f, 0), {size * 0.33f, size * 0.015f}, angle), Hex(0x34461E, 0.8f));
    InkedBox(layer, P(0.34f, 0), {size * 0.09f, size * 0.1f}, angle, 1, Hex(0x6C6F72));
    Draw(layer, Ring(P(0.43f, 0.14f), size * 0.08f, size * 0.03f), Hex(0xB8BCC0));
    InkedBox(layer, P(0.25f, -0.16f), {size * 0.14f, size * 0.035f}, angle - 0.3f, 1, Hex(0x8A8D90));
}

void DrawMolotov(Image& layer, Vec2 c, float size, float angle, bool lit)
{
    auto P = [&](float x, float y) { return At(c, size, angle, x, y); };
    Color glass = Hex(0x5E7A3A, 0.92f);
    DrawOutlined(layer, Box(P(-0.1f, 0), {size * 0.3f, size * 0.17f}, angle, size * 0.14f),
                 Lit(glass, P(-0.1f, 0), size * 0.3f, 0.5f), InkColor(), 1.2f);
    Draw(layer, Box(P(-0.15f, -0.07f), {size * 0.18f, size * 0.03f}, angle, 1), Hex(0xD8F0B0, 0.5f));
    Draw(layer, Box(P(-0.12f, 0.04f), {size * 0.2f, size * 0.1f}, angle, size * 0.05f), Hex(0xB8782A, 0.7f));
    InkedBox(layer, P(0.26f, 0), {size * 0.09f, size * 0.07f}, angle, 1, Hex(0x4A6030));
    InkedTaper(layer, P(0.33f, 0), P(0.5f, 0.1f), size * 0.07f, size * 0.04f, Hex(0xE8E0C8));
    if (lit)
        DrawFlame(layer, P(0.5f, 0.1f), Rotated({1, 0}, angle), size * 0.3f, size * 0.16f, 0.5f, 3);
}

void DrawMagazine(Image& layer, Vec2 c, float size, float angle)
{
    auto P = [&](float x, float y) { return At(c, size, angle, x, y); };
    InkedBox(layer, c, {size * 0.16f, size * 0.4f}, angle + 0.15f, size * 0.04f, Hex(0x3A3D42));
    InkedBall(layer, P(0.02f, -0.38f), size * 0.07f, Hex(0xD8A440), 0.6f);
}

void DrawFlame(Image& layer, Vec2 base, Vec2 up, float height, float width, float flicker, unsigned seed)
{
    Vec2 u = Normalized(up);
    Vec2 side{-u.y, u.x};
    float sway = std::sin(flicker * TwoPi + seed) * width * 0.35f;
    Vec2 tip = base + u * height + side * sway;
    Draw(layer, Circle(base + u * (height * 0.3f), width * 1.1f), Hex(0xFF7A1A, 0.35f), width);
    Draw(layer, Taper(base, tip, width, width * 0.12f), Hex(0xF05A14));
    Draw(layer, Taper(base + u * (width * 0.2f), base + u * (height * 0.7f) + side * (sway * 0.6f), width * 0.65f,
                      width * 0.1f),
         Hex(0xFFB02A));
    Draw(layer, Taper(base + u * (width * 0.3f), base + u * (height * 0.4f), width * 0.35f, width * 0.1f),
         Hex(0xFFF0B0));
}
}
