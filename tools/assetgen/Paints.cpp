#include "Paints.h"

#include "Noise.h"

namespace assetgen
{
Vec2 LightDirection() { return Normalized({-0.6f, -0.8f}); }

PaintFn Flat(Color c)
{
    return [c](Vec2) { return c; };
}

PaintFn Lit(Color base, Vec2 centre, float radius, float strength)
{
    Vec2 light = LightDirection();
    Color warm = Hex(0xFFC890);
    return [=](Vec2 p) {
        Vec2 d = (p - centre) * (1.0f / radius);
        float facing = Clamp(Dot(d, light), -1.0f, 1.0f);
        float k = 1.0f + strength * facing;
        Color c = Shade(base, k);
        // The lit side catches the warm sunset, the far side stays cool.
        if (facing > 0)
            c = Mix(c, Color{warm.r * base.r * 1.6f, warm.g * base.g * 1.4f, warm.b * base.b, base.a},
                    0.25f * facing);
        else
            c = Mix(c, Color{c.r * 0.85f, c.g * 0.9f, c.b * 1.15f, c.a}, -0.5f * facing);
        c.a = base.a;
        return c;
    };
}

PaintFn Linear(Vec2 a, Vec2 b, Color ca, Color cb)
{
    Vec2 ab = b - a;
    float len2 = Dot(ab, ab);
    return [=](Vec2 p) { return Mix(ca, cb, Clamp01(Dot(p - a, ab) / len2)); };
}

PaintFn Radial(Vec2 centre, float radius, Color inner, Color outer)
{
    return [=](Vec2 p) { return Mix(inner, outer, Clamp01(Length(p - centre) / radius)); };
}

PaintFn Mottled(PaintFn base, float amount, float scale, int seed)
{
    return [=](Vec2 p) {
        Color c = base(p);
        float n = Fbm(p.x * scale, p.y * scale, 3, seed) * amount;
        return Color{c.r * (1 + n), c.g * (1 + n), c.b * (1 + n), c.a};
    };
}
}
