#include "IconArt.h"

#include "Shapes.h"

#include <cmath>
#include <vector>

namespace assetgen
{
namespace icon
{
namespace
{
Shape Arc(Vec2 c, float r, float thickness, float from, float to)
{
    Shape ring = Ring(c, r, thickness);
    // Keep the part of the ring between the two angles by cutting with a wedge polygon.
    std::vector<Vec2> wedge{c};
    int steps = 16;
    for (int i = 0; i <= steps; ++i)
    {
        float a = from + (to - from) * i / steps;
        wedge.push_back(c + Vec2{std::cos(a), std::sin(a)} * (r * 2.0f));
    }
    return Intersect(ring, Polygon(wedge));
}

Shape Triangle(Vec2 a, Vec2 b, Vec2 c) { return Polygon({a, b, c}); }
}

void Reload(Image& l, Vec2 c, float s, Color k)
{
    float r = s * 0.36f, t = s * 0.11f;
    Draw(l, Arc(c, r, t, -2.6f, 0.2f), k);
    Draw(l, Arc(c, r, t, 0.55f, 3.35f), k);
    Vec2 a = c + Vec2{std::cos(0.2f), std::sin(0.2f)} * r;
    Draw(l, Triangle(a + Vec2{-s * 0.13f, 0}, a + Vec2{s * 0.13f, 0}, a + Vec2{0, s * 0.16f}), k);
    Vec2 b = c + Vec2{std::cos(3.35f), std::sin(3.35f)} * r;
    Draw(l, Triangle(b + Vec2{-s * 0.13f, 0}, b + Vec2{s * 0.13f, 0}, b + Vec2{0, -s * 0.16f}), k);
}

void Heal(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Box(c, {s * 0.4f, s * 0.13f}, 0, s * 0.03f), k);
    Draw(l, Box(c, {s * 0.13f, s * 0.4f}, 0, s * 0.03f), k);
}

void Breach(Image& l, Vec2 c, float s, Color k)
{
    // A door knocked open with an impact star.
    Draw(l, Subtract(Box(c + Vec2{-s * 0.12f, 0}, {s * 0.22f, s * 0.4f}, 0, 2),
                     Box(c + Vec2{-s * 0.12f, 0}, {s * 0.15f, s * 0.33f}, 0, 1)),
         k);
    Draw(l, Polygon({c + Vec2{-s * 0.27f, -s * 0.33f}, c + Vec2{s * 0.05f, -s * 0.24f}, c + Vec2{s * 0.05f, s * 0.4f},
                     c + Vec2{-s * 0.27f, s * 0.33f}}),
         k);
    std::vector<Vec2> star;
    Vec2 sc = c + Vec2{s * 0.28f, -s * 0.05f};
    for (int i = 0; i < 12; ++i)
    {
        float a = TwoPi * i / 12.0f;
        float r = (i % 2 == 0) ? s * 0.22f : s * 0.09f;
        star.push_back(sc + Vec2{std::cos(a), std::sin(a)} * r);
    }
    Draw(l, Polygon(star), k);
}

void Stop(Image& l, Vec2 c, float s, Color k)
{
    std::vector<Vec2> oct;
    for (int i = 0; i < 8; ++i)
    {
        float a = TwoPi * (i + 0.5f) / 8.0f;
        oct.push_back(c + Vec2{std::cos(a), std::sin(a)} * (s * 0.45f));
    }
    Draw(l, Subtract(Polygon(oct), Box(c, {s * 0.22f, s * 0.07f})), k);
}

void CentreCamera(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Ring(c, s * 0.3f, s * 0.08f), k);
    Draw(l, Circle(c, s * 0.08f), k);
    for (int i = 0; i < 4; ++i)
    {
        Vec2 d = Rotated({1, 0}, i * Pi * 0.5f);
        Draw(l, Capsule(c + d * (s * 0.34f), c + d * (s * 0.5f), s * 0.045f), k);
    }
}

void Pause(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Box(c + Vec2{-s * 0.15f, 0}, {s * 0.09f, s * 0.32f}, 0, 2), k);
    Draw(l, Box(c + Vec2{s * 0.15f, 0}, {s * 0.09f, s * 0.32f}, 0, 2), k);
}

void Gear(Image& l, Vec2 c, float s, Color k)
{
    Shape g = Circle(c, s * 0.3f);
    for (int i = 0; i < 8; ++i)
    {
        float a = TwoPi * i / 8.0f;
        g = Union(g, Box(c + Vec2{std::cos(a), std::sin(a)} * (s * 0.34f), {s * 0.09f, s * 0.08f}, a, 1));
    }
    Draw(l, Subtract(g, Circle(c, s * 0.13f)), k);
}

void Plus(Image& l, Vec2 c, float s, Color k) { Heal(l, c, s * 0.9f, k); }

void Minus(Image& l, Vec2 c, float s, Color k) { Draw(l, Box(c, {s * 0.36f, s * 0.12f}, 0, s * 0.03f), k); }

void Reset(Image& l, Vec2 c, float s, Color k)
{
    float r = s * 0.32f, t = s * 0.1f;
    Draw(l, Arc(c, r, t, -1.2f, 4.2f), k);
    Vec2 a = c + Vec2{std::cos(-1.2f), std::sin(-1.2f)} * r;
    Draw(l, Triangle(a + Vec2{-s * 0.02f, -s * 0.16f}, a + Vec2{-s * 0.02f, s * 0.14f}, a + Vec2{s * 0.2f, 0}), k);
}

void Skull(Image& l, Vec2 c, float s, Color k)
{
    Shape head = Union(Circle(c + Vec2{0, -s * 0.06f}, s * 0.34f), Box(c + Vec2{0, s * 0.22f}, {s * 0.2f, s * 0.14f}, 0, 2));
    head = Subtract(head, Circle(c + Vec2{-s * 0.13f, -s * 0.04f}, s * 0.09f));
    head = Subtract(head, Circle(c + Vec2{s * 0.13f, -s * 0.04f}, s * 0.09f));
    head = Subtract(head, Triangle(c + Vec2{0, s * 0.06f}, c + Vec2{-s * 0.05f, s * 0.15f}, c + Vec2{s * 0.05f, s * 0.15f}));
    for (int i = -1; i <= 1; ++i)
        head = Subtract(head, Box(c + Vec2{i * s * 0.09f, s * 0.3f}, {s * 0.02f, s * 0.07f}));
    Draw(l, head, k);
}

void ZombieHead(Image& l, Vec2 c, float s, Color k)
{
    Shape head = Ellipse(c, {s * 0.32f, s * 0.38f});
    head = Subtract(head, Ellipse(c + Vec2{-s * 0.12f, -s * 0.06f}, {s * 0.08f, s * 0.05f}, 0.3f));
    head = Subtract(head, Ellipse(c + Vec2{s * 0.12f, -s * 0.06f}, {s * 0.08f, s * 0.05f}, -0.3f));
    head = Subtract(head, Box(c + Vec2{0, s * 0.2f}, {s * 0.14f, s * 0.035f}, 0.1f));
    Draw(l, head, k);
}

void ArrowRight(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Union(Box(c + Vec2{-s * 0.12f, 0}, {s * 0.22f, s * 0.1f}),
                  Triangle(c + Vec2{s * 0.05f, -s * 0.3f}, c + Vec2{s * 0.05f, s * 0.3f}, c + Vec2{s * 0.4f, 0})),
         k);
}

void ArrowLeft(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Union(Box(c + Vec2{s * 0.12f, 0}, {s * 0.22f, s * 0.1f}),
                  Triangle(c + Vec2{-s * 0.05f, -s * 0.3f}, c + Vec2{-s * 0.05f, s * 0.3f}, c + Vec2{-s * 0.4f, 0})),
         k);
}

void ArrowDown(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Union(Box(c + Vec2{0, -s * 0.12f}, {s * 0.1f, s * 0.22f}),
                  Triangle(c + Vec2{-s * 0.3f, s * 0.05f}, c + Vec2{s * 0.3f, s * 0.05f}, c + Vec2{0, s * 0.4f})),
         k);
}

void Padlock(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Arc(c + Vec2{0, -s * 0.08f}, s * 0.2f, s * 0.08f, Pi, TwoPi), k);
    Draw(l, Box(c + Vec2{-s * 0.2f, -s * 0.04f}, {s * 0.04f, s * 0.06f}), k);
    Draw(l, Box(c + Vec2{s * 0.2f, -s * 0.04f}, {s * 0.04f, s * 0.06f}), k);
    Draw(l, Subtract(Box(c + Vec2{0, s * 0.18f}, {s * 0.3f, s * 0.22f}, 0, s * 0.04f),
                     Union(Circle(c + Vec2{0, s * 0.14f}, s * 0.06f), Box(c + Vec2{0, s * 0.24f}, {s * 0.025f, s * 0.08f}))),
         k);
}

void Speaker(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Polygon({c + Vec2{-s * 0.35f, -s * 0.12f}, c + Vec2{-s * 0.18f, -s * 0.12f}, c + Vec2{s * 0.02f, -s * 0.32f},
                     c + Vec2{s * 0.02f, s * 0.32f}, c + Vec2{-s * 0.18f, s * 0.12f}, c + Vec2{-s * 0.35f, s * 0.12f}}),
         k);
    Draw(l, Arc(c + Vec2{s * 0.02f, 0}, s * 0.18f, s * 0.06f, -0.9f, 0.9f), k);
    Draw(l, Arc(c + Vec2{s * 0.02f, 0}, s * 0.32f, s * 0.06f, -0.9f, 0.9f), k);
}

void Screen(Image& l, Vec2 c, float s, Color k)
{
    float a = s * 0.4f, b = s * 0.14f, t = s * 0.07f;
    for (int sx = -1; sx <= 1; sx += 2)
        for (int sy = -1; sy <= 1; sy += 2)
        {
            Vec2 corner = c + Vec2{sx * a, sy * a};
            Draw(l, Capsule(corner, corner + Vec2{-sx * b, 0}, t * 0.5f), k);
            Draw(l, Capsule(corner, corner + Vec2{0, -sy * b}, t * 0.5f), k);
        }
    Draw(l, Box(c, {s * 0.18f, s * 0.12f}, 0, 1), k);
}

void Check(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Capsule(c + Vec2{-s * 0.3f, 0}, c + Vec2{-s * 0.08f, s * 0.22f}, s * 0.07f), k);
    Draw(l, Capsule(c + Vec2{-s * 0.08f, s * 0.22f}, c + Vec2{s * 0.32f, -s * 0.25f}, s * 0.07f), k);
}

void Cross(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Capsule(c + Vec2{-s * 0.27f, -s * 0.27f}, c + Vec2{s * 0.27f, s * 0.27f}, s * 0.07f), k);
    Draw(l, Capsule(c + Vec2{-s * 0.27f, s * 0.27f}, c + Vec2{s * 0.27f, -s * 0.27f}, s * 0.07f), k);
}

void Exclamation(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Taper(c + Vec2{0, -s * 0.36f}, c + Vec2{0, s * 0.12f}, s * 0.1f, s * 0.06f), k);
    Draw(l, Circle(c + Vec2{0, s * 0.32f}, s * 0.08f), k);
}

void Mouse(Image& l, Vec2 c, float s, Color k, int button)
{
    Shape body = Box(c, {s * 0.26f, s * 0.38f}, 0, s * 0.24f);
    Draw(l, Subtract(body, Box(c, {s * 0.19f, s * 0.31f}, 0, s * 0.18f)), k);
    Draw(l, Box(c + Vec2{0, -s * 0.2f}, {s * 0.015f, s * 0.14f}), k);
    Draw(l, Box(c + Vec2{0, -s * 0.06f}, {s * 0.22f, s * 0.015f}), k);
    if (button != 0)
    {
        float side = button == 1 ? -1.0f : 1.0f;
        Draw(l, Intersect(body, Box(c + Vec2{side * s * 0.12f, -s * 0.2f}, {s * 0.11f, s * 0.13f})), k);
    }
}

void Flag(Image& l, Vec2 c, float s, Color k)
{
    Draw(l, Box(c + Vec2{-s * 0.25f, 0}, {s * 0.04f, s * 0.42f}), k);
    Draw(l, Polygon({c + Vec2{-s * 0.21f, -s * 0.4f}, c + Vec2{s * 0.35f, -s * 0.26f}, c + Vec2{-s * 0.21f, -s * 0.1f}}), k);
}
}
}
