#include "CharacterParts.h"

#include "Filters.h"
#include "Paints.h"
#include "Rng.h"

#include <cmath>

namespace assetgen
{
Color InkColor() { return Hex(0x15121C); }

void GroundShadow(Image& frame, Vec2 centre, Vec2 radii, float alpha)
{
    Draw(frame, Ellipse(centre, radii), Hex(0x0A0812, alpha), 10.0f);
}

void Puddle(Image& frame, Vec2 centre, Vec2 radii, float angle, Color base, float shinePhase, unsigned seed)
{
    Shape pool = Ragged(Ellipse(centre, radii, angle), std::min(radii.x, radii.y) * 0.22f, 0.09f, seed);
    Draw(frame, Expanded(pool, 1.5f), Shade(base, 0.55f));
    Draw(frame, pool, Radial(centre, std::max(radii.x, radii.y), Shade(base, 1.1f), Shade(base, 0.8f)));
    float a = shinePhase * TwoPi;
    Vec2 shine = centre + Rotated({radii.x * 0.35f * std::cos(a), radii.y * 0.3f * std::sin(a)}, angle);
    Draw(frame, Intersect(Ellipse(shine, {radii.x * 0.22f, radii.y * 0.1f}, angle + 0.4f), pool),
         WithAlpha(Mix(base, Hex(0xFFFFFF), 0.55f), 0.55f), 2.5f);
}

Image Compose(const Image& ground, const Image& figure, float rim)
{
    Image out = ground;
    out.Composite(WithOutline(figure, rim, InkColor()), 0, 0);
    return out;
}

void Limb(Image& layer, Vec2 a, Vec2 b, float radius, Color color)
{
    Draw(layer, Capsule(a, b, radius), Lit(color, (a + b) * 0.5f, Length(b - a) * 0.5f + radius, 0.3f));
}

void Ball(Image& layer, Vec2 centre, float radius, Color color, float strength)
{
    Draw(layer, Circle(centre, radius), Lit(color, centre, radius, strength));
}

void Blob(Image& layer, Vec2 centre, Vec2 radii, float angle, Color color, float strength)
{
    Draw(layer, Ellipse(centre, radii, angle), Lit(color, centre, std::max(radii.x, radii.y), strength));
}

void Streaks(Image& layer, Vec2 origin, float length, float spread, int count, Color color, unsigned seed)
{
    Rng rng(static_cast<std::uint64_t>(seed) + 99u);
    for (int i = 0; i < count; ++i)
    {
        float y = origin.y + spread * (static_cast<float>(i) / std::max(1, count - 1) - 0.5f) * 2.0f;
        float x0 = origin.x - rng.Range(0.0f, length * 0.3f);
        float l = length * rng.Range(0.5f, 1.0f);
        Draw(layer, Taper({x0, y}, {x0 - l, y}, 1.6f, 0.2f), WithAlpha(color, rng.Range(0.35f, 0.7f)));
    }
}
}

namespace assetgen
{
namespace
{
constexpr float PartInk = 1.3f;
}

Vec2 Rig::P(float x, float y) const { return origin + Rotated({x * unit, y * unit}, angle); }

Vec2 Rig::P(Vec2 local) const { return P(local.x, local.y); }

float Rig::R(float r) const { return r * unit; }

void InkedBall(Image& layer, Vec2 centre, float radius, Color color, float strength)
{
    DrawOutlined(layer, Circle(centre, radius), Lit(color, centre, radius, strength), InkColor(), PartInk);
}

void InkedBlob(Image& layer, Vec2 centre, Vec2 radii, float angle, Color color, float strength)
{
    DrawOutlined(layer, Ellipse(centre, radii, angle), Lit(color, centre, std::max(radii.x, radii.y), strength),
                 InkColor(), PartInk);
}

void InkedLimb(Image& layer, Vec2 a, Vec2 b, float radius, Color color)
{
    DrawOutlined(layer, Capsule(a, b, radius), Lit(color, (a + b) * 0.5f, Length(b - a) * 0.5f + radius, 0.3f),
                 InkColor(), PartInk);
}

void InkedTaper(Image& layer, Vec2 a, Vec2 b, float ra, float rb, Color color)
{
    DrawOutlined(layer, Taper(a, b, ra, rb), Lit(color, (a + b) * 0.5f, Length(b - a) * 0.5f + ra, 0.3f),
                 InkColor(), PartInk);
}

void InkedBox(Image& layer, Vec2 centre, Vec2 half, float angle, float corner, Color color)
{
    DrawOutlined(layer, Box(centre, half, angle, corner), Lit(color, centre, std::max(half.x, half.y), 0.3f),
                 InkColor(), PartInk);
}
}

namespace assetgen
{
Color ZombieSkin() { return Hex(0x7F8F6C); }

Color ZombieBlood() { return Hex(0x3C6A1C); }

void ClawHand(Image& layer, Vec2 centre, Vec2 direction, float size, Color skin)
{
    Vec2 d = Normalized(direction);
    Vec2 side{-d.y, d.x};
    for (int i = -1; i <= 1; ++i)
    {
        Vec2 base = centre + side * (size * 0.55f * i);
        Vec2 tip = base + d * (size * 1.35f) + side * (size * 0.25f * i);
        DrawOutlined(layer, Taper(base, tip, size * 0.32f, size * 0.1f), Shade(skin, 0.85f), InkColor(), 1.0f);
    }
    InkedBall(layer, centre, size * 0.75f, skin);
}

void Stains(Image& layer, const Shape& within, int count, float size, Color color, unsigned seed)
{
    Rng rng(static_cast<std::uint64_t>(seed) * 31u + 7u);
    const Bounds& b = within.bounds;
    for (int i = 0; i < count; ++i)
    {
        Vec2 c{rng.Range(b.x0, b.x1), rng.Range(b.y0, b.y1)};
        Shape spot = Ragged(Circle(c, size * rng.Range(0.5f, 1.0f)), size * 0.3f, 0.3f, seed + i);
        Draw(layer, Intersect(spot, within), WithAlpha(color, rng.Range(0.55f, 0.85f)));
    }
}
}
