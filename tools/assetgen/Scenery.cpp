#include "Scenery.h"

#include "Filters.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"
#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen
{
namespace scenery
{
void Sky(Image& img, Color top, Color middle, Color horizon, float horizonY)
{
    MapPixels(img, [&](Color, int, int y) {
        float t = Clamp01((y + 0.5f) / horizonY);
        return t < 0.55f ? Mix(top, middle, t / 0.55f) : Mix(middle, horizon, (t - 0.55f) / 0.45f);
    });
}

void Sun(Image& img, Vec2 c, float r, Color inner, Color outer)
{
    Draw(img, Circle(c, r * 3.2f), WithAlpha(outer, 0.25f), r * 2.6f);
    Draw(img, Circle(c, r * 1.6f), WithAlpha(inner, 0.25f), r * 0.9f);
    Draw(img, Circle(c, r), Linear(c - Vec2{0, r}, c + Vec2{0, r}, inner, outer), 2.0f);
}

void Stars(Image& img, float belowY, int count, unsigned seed)
{
    Rng rng(seed);
    for (int i = 0; i < count; ++i)
    {
        Vec2 p{rng.Range(0, static_cast<float>(img.Width())), rng.Range(0, belowY)};
        float fade = 1.0f - p.y / belowY;
        Draw(img, Circle(p, rng.Range(0.5f, 1.3f)), Hex(0xFFF4E0, fade * rng.Range(0.3f, 0.9f)), 1.2f);
    }
}

void Clouds(Image& img, float y0, float y1, Color color, float coverage, unsigned seed)
{
    MapPixels(img, [&](Color c, int x, int y) {
        if (y < y0 || y > y1)
            return c;
        float band = std::sin(Pi * (y - y0) / (y1 - y0));
        float n = Fbm(x * 0.006f, y * 0.02f, 5, static_cast<int>(seed)) * 0.5f + 0.5f;
        float a = Clamp01((n - (1.0f - coverage)) * 3.0f) * band;
        return Over(c, color, a * color.a);
    });
}

void Hills(Image& img, float baseY, float amplitude, float scale, Color color, unsigned seed)
{
    for (int x = 0; x < img.Width(); ++x)
    {
        float top = baseY - amplitude * (Fbm(x * scale, 0.5f, 4, static_cast<int>(seed)) * 0.5f + 0.5f);
        for (int y = std::max(0, static_cast<int>(top) - 1); y < img.Height(); ++y)
            img.Blend(x, y, color, Clamp01(y + 0.5f - top));
    }
}

void Ground(Image& img, float fromY, Color color)
{
    Draw(img, Box({img.Width() * 0.5f, (fromY + img.Height()) * 0.5f}, {img.Width() * 0.5f + 2, (img.Height() - fromY) * 0.5f + 2}),
         color);
}

void Window(Image& img, Vec2 c, Vec2 half, Color glow)
{
    Draw(img, Box(c, half * 2.2f), WithAlpha(glow, 0.25f), half.x * 2.0f);
    Draw(img, Box(c, half), glow);
}

void House(Image& img, float x, float baseY, float w, float h, Color color, bool broken)
{
    float wall = h * 0.6f;
    Draw(img, Box({x, baseY - wall * 0.5f}, {w * 0.5f, wall * 0.5f}), color);
    std::vector<Vec2> roof{{x - w * 0.58f, baseY - wall}, {x + w * 0.58f, baseY - wall}, {x + (broken ? w * 0.15f : 0), baseY - h}};
    if (broken)
        roof.insert(roof.begin() + 2, {x + w * 0.3f, baseY - h * 0.8f});
    Draw(img, Polygon(roof), color);
    Draw(img, Box({x + w * 0.3f, baseY - h * 0.92f}, {w * 0.05f, h * 0.1f}), color);
}

void Barn(Image& img, float x, float baseY, float w, float h, Color color)
{
    float wall = h * 0.5f;
    Draw(img, Polygon({{x - w * 0.5f, baseY}, {x + w * 0.5f, baseY}, {x + w * 0.5f, baseY - wall},
                       {x + w * 0.32f, baseY - h * 0.85f}, {x, baseY - h}, {x - w * 0.32f, baseY - h * 0.85f},
                       {x - w * 0.5f, baseY - wall}}),
         color);
}

void Windmill(Image& img, float x, float baseY, float h, Color color, float turn)
{
    Draw(img, Polygon({{x - h * 0.06f, baseY}, {x + h * 0.06f, baseY}, {x + h * 0.02f, baseY - h}, {x - h * 0.02f, baseY - h}}),
         color);
    Vec2 hub{x, baseY - h};
    for (int i = 0; i < 8; ++i)
    {
        float a = turn + TwoPi * i / 8.0f;
        Draw(img, Capsule(hub, hub + Vec2{std::cos(a), std::sin(a)} * (h * 0.28f), h * 0.012f), color);
    }
    Draw(img, Ring(hub, h * 0.24f, h * 0.012f), color);
    Draw(img, Polygon({hub + Vec2{0, -h * 0.02f}, hub + Vec2{h * 0.18f, -h * 0.02f}, hub + Vec2{h * 0.2f, -h * 0.1f}}), color);
}

void Warehouse(Image& img, float x, float baseY, float w, float h, Color color)
{
    Draw(img, Box({x, baseY - h * 0.4f}, {w * 0.5f, h * 0.4f}), color);
    int teeth = 4;
    for (int i = 0; i < teeth; ++i)
    {
        float x0 = x - w * 0.5f + w * i / teeth, x1 = x0 + w / teeth;
        Draw(img, Polygon({{x0, baseY - h * 0.8f}, {x1, baseY - h * 0.8f}, {x1, baseY - h}}), color);
    }
    Draw(img, Box({x + w * 0.35f, baseY - h * 1.1f}, {w * 0.03f, h * 0.3f}), color);
}

void Crane(Image& img, float x, float baseY, float h, Color color)
{
    Draw(img, Box({x, baseY - h * 0.5f}, {h * 0.025f, h * 0.5f}), color);
    Draw(img, Box({x + h * 0.15f, baseY - h}, {h * 0.45f, h * 0.02f}), color);
    Draw(img, Capsule({x, baseY - h * 1.12f}, {x + h * 0.55f, baseY - h}, h * 0.006f), color);
    Draw(img, Capsule({x, baseY - h * 1.12f}, {x - h * 0.25f, baseY - h}, h * 0.006f), color);
    Draw(img, Capsule({x + h * 0.45f, baseY - h}, {x + h * 0.45f, baseY - h * 0.6f}, h * 0.004f), color);
    Draw(img, Box({x - h * 0.22f, baseY - h * 0.97f}, {h * 0.05f, h * 0.04f}), color);
}

void TownHall(Image& img, float x, float baseY, float w, float h, Color color)
{
    Draw(img, Box({x, baseY - h * 0.25f}, {w * 0.5f, h * 0.25f}), color);
    Draw(img, Polygon({{x - w * 0.55f, baseY - h * 0.5f}, {x + w * 0.55f, baseY - h * 0.5f}, {x, baseY - h * 0.62f}}), color);
    Draw(img, Box({x, baseY - h * 0.7f}, {w * 0.1f, h * 0.2f}), color);
    Draw(img, Polygon({{x - w * 0.12f, baseY - h * 0.9f}, {x + w * 0.12f, baseY - h * 0.9f}, {x, baseY - h}}), color);
    for (int i = -2; i <= 2; ++i)
        Draw(img, Box({x + i * w * 0.18f, baseY - h * 0.27f}, {w * 0.035f, h * 0.22f}), Shade(color, 1.4f));
}

void Tree(Image& img, float x, float baseY, float h, Color color, unsigned seed)
{
    Rng rng(seed);
    Draw(img, Taper({x, baseY}, {x, baseY - h * 0.55f}, h * 0.04f, h * 0.02f), color);
    for (int i = 0; i < 6; ++i)
    {
        Vec2 c{x + rng.Range(-h * 0.18f, h * 0.18f), baseY - h * rng.Range(0.55f, 0.85f)};
        Draw(img, Ragged(Circle(c, h * rng.Range(0.13f, 0.2f)), h * 0.03f, 0.08f, seed + i), color);
    }
}

void Fence(Image& img, float x0, float x1, float baseY, float h, Color color)
{
    for (float x = x0; x <= x1; x += h * 0.8f)
        Draw(img, Box({x, baseY - h * 0.5f}, {h * 0.06f, h * 0.5f}), color);
    Draw(img, Box({(x0 + x1) * 0.5f, baseY - h * 0.7f}, {(x1 - x0) * 0.5f, h * 0.05f}), color);
    Draw(img, Box({(x0 + x1) * 0.5f, baseY - h * 0.35f}, {(x1 - x0) * 0.5f, h * 0.05f}), color);
}

void Weathervane(Image& img, Vec2 top, float s, Color color)
{
    Draw(img, Box(top + Vec2{0, s * 0.5f}, {s * 0.02f, s * 0.5f}), color);
    Draw(img, Capsule(top + Vec2{-s * 0.5f, 0}, top + Vec2{s * 0.4f, 0}, s * 0.02f), color);
    Draw(img, Polygon({top + Vec2{s * 0.35f, -s * 0.1f}, top + Vec2{s * 0.55f, 0}, top + Vec2{s * 0.35f, s * 0.1f}}), color);
    Draw(img, Polygon({top + Vec2{-s * 0.5f, 0}, top + Vec2{-s * 0.38f, -s * 0.14f}, top + Vec2{-s * 0.3f, -s * 0.14f},
                       top + Vec2{-s * 0.38f, 0}, top + Vec2{-s * 0.3f, s * 0.14f}, top + Vec2{-s * 0.38f, s * 0.14f}}),
         color);
    // A crow perched on the arm.
    Vec2 bird = top + Vec2{-s * 0.05f, -s * 0.06f};
    Draw(img, Ellipse(bird, {s * 0.09f, s * 0.05f}, -0.2f), color);
    Draw(img, Circle(bird + Vec2{s * 0.08f, -s * 0.05f}, s * 0.035f), color);
    Draw(img, Polygon({bird + Vec2{-s * 0.06f, 0}, bird + Vec2{-s * 0.16f, s * 0.02f}, bird + Vec2{-s * 0.08f, s * 0.04f}}), color);
    Draw(img, Box(top + Vec2{0, s * 0.22f}, {s * 0.14f, s * 0.012f}), color);
    Draw(img, Box(top + Vec2{0, s * 0.22f}, {s * 0.012f, s * 0.14f}), color);
}

void Soldier(Image& img, float x, float baseY, float h, Color color, bool facingRight)
{
    float d = facingRight ? 1.0f : -1.0f;
    Draw(img, Capsule({x - h * 0.05f, baseY}, {x - h * 0.03f, baseY - h * 0.45f}, h * 0.045f), color);
    Draw(img, Capsule({x + h * 0.06f, baseY}, {x + h * 0.03f, baseY - h * 0.45f}, h * 0.045f), color);
    Draw(img, Box({x, baseY - h * 0.62f}, {h * 0.1f, h * 0.2f}, 0, h * 0.04f), color);
    Draw(img, Circle({x, baseY - h * 0.88f}, h * 0.075f), color);
    Draw(img, Ellipse({x, baseY - h * 0.92f}, {h * 0.1f, h * 0.045f}), color);
    Draw(img, Capsule({x + d * h * 0.05f, baseY - h * 0.72f}, {x + d * h * 0.22f, baseY - h * 0.62f}, h * 0.035f), color);
    Draw(img, Box({x + d * h * 0.22f, baseY - h * 0.64f}, {h * 0.2f, h * 0.018f}, d * -0.1f), color);
    Draw(img, Box({x - d * h * 0.12f, baseY - h * 0.64f}, {h * 0.06f, h * 0.13f}, 0, h * 0.02f), color);
}

void Zombie(Image& img, float x, float baseY, float h, Color color, float lean, unsigned seed)
{
    Rng rng(seed);
    Vec2 hip{x, baseY - h * 0.45f};
    Vec2 neck = hip + Vec2{lean * h * 0.25f, -h * 0.38f};
    Draw(img, Capsule({x - h * 0.08f, baseY}, hip, h * 0.045f), color);
    Draw(img, Capsule({x + h * 0.1f, baseY - h * 0.02f}, hip, h * 0.045f), color);
    Draw(img, Taper(hip, neck, h * 0.1f, h * 0.12f), color);
    Draw(img, Circle(neck + Vec2{lean * h * 0.06f, -h * 0.08f}, h * 0.075f), color);
    float reach = rng.Range(0.25f, 0.35f);
    Draw(img, Capsule(neck + Vec2{0, h * 0.04f}, neck + Vec2{h * reach, h * 0.06f}, h * 0.032f), color);
    Draw(img, Capsule(neck + Vec2{0, h * 0.06f}, neck + Vec2{h * (reach - 0.05f), h * 0.14f}, h * 0.032f), color);
}

void SmokeColumn(Image& img, Vec2 base, float height, float width, Color color, unsigned seed)
{
    Rng rng(seed);
    for (int i = 0; i < 18; ++i)
    {
        float t = static_cast<float>(i) / 17.0f;
        Vec2 c = base + Vec2{t * t * width * 1.5f + rng.Signed() * width * 0.15f, -t * height};
        float r = width * (0.3f + t * 0.6f);
        Draw(img, Circle(c, r), WithAlpha(color, color.a * (1.0f - t * 0.7f) * 0.5f), r * 0.7f);
    }
}

void Fire(Image& img, Vec2 base, float width, float height, unsigned seed)
{
    Rng rng(seed);
    Draw(img, Circle(base + Vec2{0, -height * 0.3f}, width * 1.6f), Hex(0xFF7020, 0.25f), width * 1.2f);
    for (int i = 0; i < 7; ++i)
    {
        float x = base.x + rng.Signed() * width * 0.5f;
        float h = height * rng.Range(0.5f, 1.0f);
        Draw(img, Taper({x, base.y}, {x + rng.Signed() * width * 0.2f, base.y - h}, width * 0.22f, 1.0f), Hex(0xF05A14));
        Draw(img, Taper({x, base.y}, {x, base.y - h * 0.6f}, width * 0.12f, 0.6f), Hex(0xFFC040));
    }
}

void Fog(Image& img, float y0, float y1, Color color, float density, unsigned seed)
{
    MapPixels(img, [&](Color c, int x, int y) {
        float t = Clamp01((y - y0) / (y1 - y0));
        float n = Fbm(x * 0.004f, y * 0.015f, 4, static_cast<int>(seed)) * 0.5f + 0.5f;
        return Over(c, color, Clamp01(density * Smoothstep(0.0f, 1.0f, t) * (0.5f + n)));
    });
}

void Finish(Image& img, float vignette, unsigned seed)
{
    Vignette(img, vignette, 0.8f);
    Grain(img, 0.025f, seed);
}
}
}
