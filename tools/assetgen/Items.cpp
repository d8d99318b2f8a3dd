// Pickups (bobbing on a glowing ring), thrown things and destructible objects.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "ItemArt.h"
#include "Paints.h"

#include <cmath>
#include <functional>

namespace assetgen
{
namespace
{
using ItemPainter = std::function<void(Image&, Vec2, float, float)>;

void MakePickup(Kit& kit, const std::string& tag, Color glow, const ItemPainter& paint)
{
    constexpr int S = 64;
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        float t = TwoPi * i / 8.0f;
        Vec2 c{S * 0.5f, S * 0.5f};
        Image frame(S, S);
        float pulse = 0.5f + 0.5f * std::sin(t);
        Draw(frame, Circle(c, 22.0f + 2.0f * pulse), WithAlpha(glow, 0.25f + 0.2f * pulse), 8.0f);
        Draw(frame, Ring(c, 23.0f + 2.0f * pulse, 2.0f), WithAlpha(Mix(glow, Hex(0xFFFFFF), 0.4f), 0.6f), 1.5f);
        GroundShadow(frame, c + Vec2{1, 3}, {13, 10}, 0.45f);
        Image item(S, S);
        float bob = 1.0f + 0.06f * std::sin(t);
        paint(item, c + Vec2{0, -1.5f * std::sin(t)}, 34.0f * bob, 0.08f * std::sin(t));
        frame.Composite(WithOutline(item, 1.5f, InkColor()), 0, 0);
        frames.push_back(frame);
    }
    kit.out.AddSheet(tag, "Idle", frames, 0.1f);
}

void MakeProjectiles(Kit& kit)
{
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        Image f(48, 48);
        GroundShadow(f, {26, 28}, {9, 7}, 0.4f);
        Image item(48, 48);
        DrawGrenade(item, {24, 24}, 24.0f, TwoPi * i / 8.0f);
        f.Composite(WithOutline(item, 1.2f, InkColor()), 0, 0);
        frames.push_back(f);
    }
    kit.out.AddSheet("Projectile_Grenade", "Idle", frames, 0.05f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
    {
        Image f(64, 64);
        GroundShadow(f, {34, 36}, {11, 8}, 0.4f);
        Image item(64, 64);
        float a = TwoPi * i / 8.0f;
        DrawMolotov(item, {32, 32}, 34.0f, a, false);
        Image framed = WithOutline(item, 1.2f, InkColor());
        Vec2 rag = Vec2{32, 32} + Rotated({0.5f * 34.0f, 0.1f * 34.0f}, a);
        // The flame trails behind the spinning bottle, away from the direction of flight.
        DrawFlame(framed, rag, {-1, 0.15f}, 14.0f, 5.0f, i / 8.0f, 5);
        f.Composite(framed, 0, 0);
        frames.push_back(f);
    }
    kit.out.AddSheet("Projectile_Molotov", "Idle", frames, 0.05f);

    frames.clear();
    for (int i = 0; i < 6; ++i)
    {
        float t = TwoPi * i / 6.0f;
        Image f(48, 48);
        Vec2 c{28, 24};
        Draw(f, Circle(c, 12), Hex(0xB6D636, 0.3f), 8.0f);
        for (int d = 1; d <= 3; ++d)
            Draw(f, Circle(c + Vec2{-6.0f * d - 2, 2.5f * std::sin(t + d)}, 3.2f - 0.7f * d), Hex(0x9CC22E, 0.85f));
        Shape glob = Ellipse(c, {8.5f + std::sin(t), 7.0f - std::sin(t) * 0.8f}, 0.2f * std::sin(t));
        DrawOutlined(f, glob, Radial(c + Vec2{-1, -2}, 9, Hex(0xEFFFA0), Hex(0x5F8A1C)), InkColor(), 1.2f);
        frames.push_back(f);
    }
    kit.out.AddSheet("Projectile_Spit", "Idle", frames, 0.07f);
}

using TargetPainter = std::function<void(Image&, Vec2)>;

void MakeTarget(Kit& kit, const std::string& tag, const TargetPainter& paint)
{
    constexpr int S = 96;
    Vec2 c{S * 0.5f, S * 0.5f};
    Image base(S, S);
    GroundShadow(base, c + Vec2{3, 4}, {30, 28}, 0.5f);
    Image object(S, S);
    paint(object, c);
    Image plain = base;
    plain.Composite(WithOutline(object, 1.8f, InkColor()), 0, 0);
    kit.out.AddSheet(tag, "Non_Hover", {plain}, 0.2f);

    std::vector<Image> hover;
    for (int i = 0; i < 4; ++i)
    {
        float pulse = 0.5f + 0.5f * std::sin(TwoPi * i / 4.0f);
        Image f = base;
        Image rim = WithOutline(object, 4.0f + 1.5f * pulse, Hex(0xFFB040, 0.75f + 0.25f * pulse));
        Blur(rim, 2);
        f.Composite(rim, 0, 0);
        f.Composite(WithOutline(object, 1.8f, InkColor()), 0, 0);
        hover.push_back(f);
    }
    kit.out.AddSheet(tag, "Hover", hover, 0.1f);

    std::vector<Image> hit;
    for (int i = 0; i < 2; ++i)
    {
        Image f = base;
        Image struck = WithOutline(object, 1.8f, InkColor());
        MapPixels(struck, [i](Color p, int, int) {
            return i == 0 ? Mix(p, Color{1.0f, 0.95f, 0.9f, p.a}, 0.6f) : Mix(p, Color{1.0f, 0.25f, 0.2f, p.a}, 0.35f);
        });
        f.Composite(struck, i == 0 ? 2 : -1, i == 0 ? -1 : 1);
        hit.push_back(f);
    }
    kit.out.AddSheet(tag, "TakeDamage", hit, 0.06f);
}

void PaintBarrel(Image& layer, Vec2 c)
{
    DrawOutlined(layer, Circle(c, 30), Lit(Hex(0xB4281E), c, 30, 0.45f), InkColor(), 1.3f);
    Draw(layer, Ring(c, 24, 2.5f), Hex(0x7E1A14));
    Draw(layer, Ring(c, 14, 2.0f), Hex(0x7E1A14));
    InkedBall(layer, c + Vec2{12, -10}, 4.0f, Hex(0x8C8E90));
    // A flame warning mark on the lid.
    Draw(layer, Polygon({c + Vec2{-9, 8}, c + Vec2{9, 8}, c + Vec2{0, -9}}), Hex(0xF2C230));
    Draw(layer, Taper(c + Vec2{0, 5}, c + Vec2{0, -3}, 3.0f, 0.8f), Hex(0x2A1A10));
}

void PaintGasTank(Image& layer, Vec2 c)
{
    DrawOutlined(layer, Box(c, {32, 17}, 0, 16), Linear(c + Vec2{0, -17}, c + Vec2{0, 17}, Hex(0xF0EEE6), Hex(0x9A9890)),
                 InkColor(), 1.3f);
    Draw(layer, Box(c + Vec2{0, 0}, {28, 4}, 0, 2), Hex(0xC83A2A));
    InkedBox(layer, c + Vec2{34, 0}, {5, 6}, 0, 2, Hex(0x8A8C8E));
    InkedBall(layer, c + Vec2{38, 0}, 4.0f, Hex(0x4A7A3A));
    Draw(layer, Box(c + Vec2{-12, -9}, {12, 2.5f}, 0, 2), Hex(0xFFFFFF, 0.5f));
}

void PaintCrate(Image& layer, Vec2 c)
{
    Color wood = Hex(0x8E6236);
    DrawOutlined(layer, Box(c, {30, 30}, 0, 3), Lit(wood, c, 30, 0.3f), InkColor(), 1.3f);
    for (int i = -1; i <= 1; ++i)
        Draw(layer, Box(c + Vec2{0, i * 14.0f}, {28, 0.8f}), Hex(0x5A3A1E));
    InkedBox(layer, c + Vec2{0, -26}, {30, 4}, 0, 1, Shade(wood, 0.85f));
    InkedBox(layer, c + Vec2{0, 26}, {30, 4}, 0, 1, Shade(wood, 0.85f));
    InkedBox(layer, c, {39, 4}, 0.785f, 1, Shade(wood, 1.1f));
    for (Vec2 n : {Vec2{-25, -25}, Vec2{25, -25}, Vec2{-25, 25}, Vec2{25, 25}})
        Draw(layer, Circle(c + n, 1.6f), Hex(0x3A3A3A));
}
}

void MakeItems(Kit& kit)
{
    MakePickup(kit, "Pickup_Ammo", Hex(0xFFC040), DrawAmmoBox);
    MakePickup(kit, "Pickup_Health", Hex(0xFF5050), DrawMedkit);
    MakePickup(kit, "Pickup_Grenade", Hex(0x9CE060), DrawGrenade);
    MakePickup(kit, "Pickup_Molotov", Hex(0xFF8A30),
               [](Image& l, Vec2 c, float s, float a) { DrawMolotov(l, c, s, a, false); });
    MakeProjectiles(kit);
    MakeTarget(kit, "Target_Barrel", PaintBarrel);
    MakeTarget(kit, "Target_GasTank", PaintGasTank);
    MakeTarget(kit, "Target_Crate", PaintCrate);
}
}
