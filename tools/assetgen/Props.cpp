// Furniture and props seen from above, each on its own transparent picture with a soft shadow.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "ItemArt.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"
#include "Shapes.h"
#include "WorldKit.h"

#include <cmath>
#include <functional>

namespace assetgen
{
namespace
{
const char* Group = "Third_Load";
const char* Sub = "Props";

const Color WoodLight = Hex(0x9A6A3E);
const Color WoodDark = Hex(0x5E3C22);
const Color Fabric = Hex(0x5A6A7A);
const Color Steel = Hex(0x70767C);

using Painter = std::function<void(Image&, Vec2, Vec2)>;

// Draws a prop centred in a w x h picture (half size passed to the painter), inks its rim and
// lays a soft shadow towards the lower right, away from the dusk light.
Image Prop(int w, int h, const Painter& paint)
{
    Image layer(w, h);
    Vec2 c{w * 0.5f, h * 0.5f};
    paint(layer, c, {w * 0.5f - 8, h * 0.5f - 8});
    Image inked = WithOutline(layer, 1.6f, InkColor());
    Image out = SilhouetteShadow(inked, {4, 5}, 6, Hex(0x0A0812, 0.5f));
    out.Composite(inked, 0, 0);
    return out;
}

void Grain(Image& layer, Color base, Vec2 c, Vec2 half, float angle, int seed)
{
    Draw(layer, Box(c, half, angle, 3), [=](Vec2 p) {
        Vec2 q = Rotated(p - c, -angle);
        float g = std::sin(q.y * 0.6f + 4.0f * Perlin(q.x * 0.02f, q.y * 0.15f, seed));
        return Shade(Lit(base, c, std::max(half.x, half.y), 0.2f)(p), 1.0f + 0.07f * g);
    });
}

void Table(Image& l, Vec2 c, Vec2 h)
{
    Grain(l, WoodLight, c, h, 0, 61);
    Draw(l, Ring(c + Vec2{-h.x * 0.4f, -h.y * 0.2f}, 9, 1.2f), Hex(0x4A2E18, 0.5f));
    InkedBall(l, c + Vec2{h.x * 0.35f, h.y * 0.1f}, 7, Hex(0xD8D4C8));
    InkedBox(l, c + Vec2{-h.x * 0.1f, h.y * 0.35f}, {12, 8}, 0.3f, 1, Hex(0xE8E0C8));
}

void Chair(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c + Vec2{-h.x * 0.75f, 0}, {h.x * 0.25f, h.y}, 0, 2, WoodDark);
    InkedBox(l, c + Vec2{h.x * 0.15f, 0}, {h.x * 0.8f, h.y * 0.85f}, 0, 3, WoodLight);
}

void Sofa(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 10, Shade(Fabric, 0.8f));
    InkedBox(l, c + Vec2{0, h.y * 0.2f}, {h.x * 0.75f, h.y * 0.7f}, 0, 8, Fabric);
    for (int i = -1; i <= 1; i += 2)
        InkedBox(l, c + Vec2{i * h.x * 0.37f, h.y * 0.25f}, {h.x * 0.35f, h.y * 0.55f}, 0, 6, Shade(Fabric, 1.1f));
}

void Bed(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 4, WoodDark);
    InkedBox(l, c + Vec2{0, 4}, {h.x - 5, h.y - 6}, 0, 6, Hex(0xD8D0C0));
    InkedBox(l, c + Vec2{0, -h.y * 0.7f}, {h.x * 0.7f, h.y * 0.16f}, 0, 8, Hex(0xF0ECE4));
    InkedBox(l, c + Vec2{0, h.y * 0.25f}, {h.x - 4, h.y * 0.65f}, 0, 5, Hex(0x6A4A7A));
    Draw(l, Box(c + Vec2{0, -h.y * 0.38f}, {h.x - 4, 3}), Hex(0x8A6A9A));
}

void Bookshelf(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 2, WoodDark);
    Rng rng("bookshelf");
    float x = c.x - h.x + 4;
    while (x < c.x + h.x - 6)
    {
        float w = rng.Range(4, 8);
        Color b = Mix(Hex(0x7A2A2A), Hex(0x2A4A6A), rng.Unit());
        b = Mix(b, Hex(0x8A7A3A), rng.Unit() * 0.4f);
        Draw(l, Box({x + w * 0.5f, c.y + 2}, {w * 0.5f - 0.4f, h.y - 5}, 0, 1), Lit(b, {x, c.y}, 10, 0.3f));
        x += w;
    }
}

void Cabinet(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 3, Hex(0x7A6A58));
    Draw(l, Box(c, {1, h.y - 3}), Hex(0x3A3028));
    InkedBall(l, c + Vec2{-5, h.y * 0.5f}, 2, Hex(0xC8A040));
    InkedBall(l, c + Vec2{5, h.y * 0.5f}, 2, Hex(0xC8A040));
}

void Counter(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 3, Hex(0xB8B0A0));
    InkedBox(l, c + Vec2{h.x * 0.45f, 0}, {h.x * 0.22f, h.y * 0.65f}, 0, 6, Steel);
    Draw(l, Box(c + Vec2{h.x * 0.45f, 0}, {h.x * 0.18f, h.y * 0.5f}, 0, 5), Hex(0x3A4048));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            Draw(l, Ring(c + Vec2{-h.x * 0.6f + i * 20.0f, -8.0f + j * 16.0f}, 6, 2), Hex(0x2A2A2E));
}

void Fridge(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 4, Hex(0xD8DCDC));
    Draw(l, Box(c + Vec2{h.x * 0.6f, 0}, {2, h.y * 0.6f}, 0, 1), Hex(0x8A9090));
}

void Desk(Image& l, Vec2 c, Vec2 h)
{
    Grain(l, WoodDark, c, h, 0, 63);
    InkedBox(l, c + Vec2{-h.x * 0.3f, -h.y * 0.2f}, {16, 11}, 0.1f, 1, Hex(0x2A2E34));
    Draw(l, Box(c + Vec2{-h.x * 0.3f, -h.y * 0.2f}, {13, 8}, 0.1f, 1), Hex(0x5A8AA8));
    for (int i = 0; i < 3; ++i)
        InkedBox(l, c + Vec2{h.x * 0.35f + i * 2.0f, h.y * 0.1f - i * 2.0f}, {11, 14}, 0.2f * i, 1, Hex(0xEEE8D8));
}

void CrateStack(Image& l, Vec2 c, Vec2 h)
{
    for (int i = 0; i < 3; ++i)
    {
        Vec2 p = c + Vec2{(i == 1 ? 0.45f : -0.45f) * h.x, (i == 2 ? 0.45f : -0.45f) * h.y};
        if (i == 1)
            p = c + Vec2{0.45f * h.x, 0.1f * h.y};
        float s = h.x * 0.55f;
        InkedBox(l, p, {s, s}, 0.05f * i, 2, Shade(WoodLight, 0.9f + 0.1f * i));
        InkedBox(l, p, {s * 1.35f, 3}, 0.785f, 1, Shade(WoodLight, 1.1f));
    }
}

void Pallet(Image& l, Vec2 c, Vec2 h)
{
    for (int i = -2; i <= 2; ++i)
        InkedBox(l, c + Vec2{0, i * h.y * 0.4f}, {h.x, h.y * 0.14f}, 0, 1, Hex(0xA88A5E));
    InkedBox(l, c + Vec2{0, 0}, {h.x * 0.7f, h.y * 0.6f}, 0, 6, Hex(0x3A3E44));
    Draw(l, Box(c, {h.x * 0.7f, 2}), Hex(0xC8B040));
}

void MetalShelf(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 1, Steel);
    Rng rng("metal shelf");
    for (int i = 0; i < 5; ++i)
    {
        Vec2 p = c + Vec2{-h.x + (i + 0.5f) * h.x * 0.4f, rng.Range(-3, 3)};
        InkedBox(l, p, {h.x * 0.16f, h.y * 0.7f}, rng.Range(-0.1f, 0.1f), 1, Mix(Hex(0xB08A5A), Hex(0x8A7A6A), rng.Unit()));
        Draw(l, Box(p, {h.x * 0.16f, 1.5f}), Hex(0xD8C8A0, 0.8f));
    }
}

void HayBale(Image& l, Vec2 c, Vec2 h)
{
    DrawOutlined(l, Box(c, h, 0, 8), [=](Vec2 p) {
        float n = Perlin(p.x * 0.3f, p.y * 0.08f, 65);
        return Mix(Hex(0xA88A3A), Hex(0xE0C870), Clamp01(0.5f + n));
    }, InkColor(), 1.3f);
    for (int i = -1; i <= 1; i += 2)
        Draw(l, Box(c + Vec2{i * h.x * 0.45f, 0}, {2, h.y}), Hex(0x6A4A2A));
}

void CarWreck(Image& l, Vec2 c, Vec2 h)
{
    Color paint = Hex(0x5A6E7A);
    InkedBox(l, c, h, 0, 18, Shade(paint, 0.9f));
    InkedBox(l, c + Vec2{-h.x * 0.05f, 0}, {h.x * 0.42f, h.y * 0.78f}, 0, 12, Hex(0x2E3A44));
    InkedBox(l, c + Vec2{-h.x * 0.05f, 0}, {h.x * 0.3f, h.y * 0.7f}, 0, 10, Shade(paint, 1.1f));
    Draw(l, Box(c + Vec2{h.x * 0.58f, 0}, {h.x * 0.3f, h.y * 0.85f}, 0, 10), Hex(0x4A5A64));
    for (Vec2 w : {Vec2{0.62f, -1.0f}, Vec2{0.62f, 1.0f}, Vec2{-0.62f, -1.0f}, Vec2{-0.62f, 1.0f}})
        InkedBox(l, c + Vec2{w.x * h.x, w.y * (h.y + 1)}, {12, 4}, 0, 2, Hex(0x1E1E20));
    Rng rng("car wreck");
    for (int i = 0; i < 7; ++i)
        Draw(l, Ragged(Circle(c + Vec2{rng.Range(-h.x, h.x), rng.Range(-h.y, h.y) * 0.8f}, rng.Range(5, 12)), 3, 0.2f, 70 + i),
             Hex(0x7A4020, 0.7f));
}

void Tree(Image& l, Vec2 c, Vec2 h)
{
    Rng rng("tree");
    float r = std::min(h.x, h.y);
    for (int i = 0; i < 9; ++i)
    {
        float a = TwoPi * i / 9.0f;
        Vec2 p = c + Vec2{std::cos(a), std::sin(a)} * (r * 0.45f);
        Draw(l, Ragged(Circle(p, r * 0.5f), r * 0.08f, 0.1f, 72 + i), Lit(Hex(0x3A5424), c, r, 0.45f));
    }
    Draw(l, Ragged(Circle(c, r * 0.55f), r * 0.08f, 0.1f, 81), Lit(Hex(0x4A6A2C), c + Vec2{-r * 0.2f, -r * 0.2f}, r, 0.5f));
    for (int i = 0; i < 40; ++i)
    {
        Vec2 p = c + Vec2{rng.Signed(), rng.Signed()} * (r * 0.7f);
        Draw(l, Circle(p, rng.Range(2, 4)), Hex(0x8AA04A, 0.35f));
    }
}

void Bush(Image& l, Vec2 c, Vec2 h)
{
    float r = std::min(h.x, h.y);
    for (int i = 0; i < 6; ++i)
    {
        float a = TwoPi * i / 6.0f + 0.3f;
        Draw(l, Ragged(Circle(c + Vec2{std::cos(a), std::sin(a)} * (r * 0.4f), r * 0.55f), r * 0.1f, 0.15f, 90 + i),
             Lit(Hex(0x46602A), c, r, 0.45f));
    }
}

void Rock(Image& l, Vec2 c, Vec2 h)
{
    Draw(l, Ragged(Ellipse(c, h, 0.4f), h.y * 0.15f, 0.08f, 95), Lit(Hex(0x7A7670), c, h.x, 0.55f));
}

void Rug(Image& l, Vec2 c, Vec2 h)
{
    Draw(l, Box(c, h, 0, 2), Hex(0x6A3A2A));
    Draw(l, Box(c, {h.x - 6, h.y - 6}, 0, 2), Hex(0x9A6A3A));
    Draw(l, Box(c, {h.x - 10, h.y - 10}, 0, 2), Hex(0x5A2A30));
    Draw(l, Box(c, {h.y * 0.45f, h.y * 0.45f}, 0.785f, 2), Hex(0x9A6A3A));
}

void Lamp(Image& l, Vec2 c, Vec2 h)
{
    Draw(l, Circle(c, h.x), Hex(0xFFC870, 0.3f), h.x * 0.6f);
    InkedBall(l, c, h.x * 0.55f, Hex(0xE8D0A0), 0.5f);
    Draw(l, Circle(c, h.x * 0.2f), Hex(0xFFF4D0));
}

void Bench(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c + Vec2{0, -h.y * 0.55f}, {h.x, h.y * 0.25f}, 0, 2, WoodDark);
    for (int i = 0; i < 3; ++i)
        InkedBox(l, c + Vec2{0, h.y * (0.05f + 0.3f * i) - h.y * 0.1f}, {h.x, h.y * 0.12f}, 0, 1, WoodLight);
}

void Podium(Image& l, Vec2 c, Vec2 h)
{
    InkedBox(l, c, h, 0, 4, Hex(0x5A3422));
    InkedBox(l, c + Vec2{0, -2}, {h.x * 0.8f, h.y * 0.6f}, 0, 3, Hex(0x7A4A2E));
    InkedBall(l, c + Vec2{h.x * 0.5f, -h.y * 0.1f}, 4, Hex(0x2A2A2A));
}

void PlantPot(Image& l, Vec2 c, Vec2 h)
{
    InkedBall(l, c, h.x, Hex(0xA0583A));
    for (int i = 0; i < 7; ++i)
    {
        float a = TwoPi * i / 7.0f;
        InkedTaper(l, c, c + Vec2{std::cos(a), std::sin(a)} * (h.x * 1.05f), 4.0f, 1.0f, Hex(0x4A7A30));
    }
}

void WoodBarrel(Image& l, Vec2 c, Vec2 h)
{
    InkedBall(l, c, h.x, Hex(0x7A5030));
    Draw(l, Ring(c, h.x * 0.8f, 2.5f), Hex(0x4A4A4E));
    Draw(l, Ring(c, h.x * 0.45f, 1.5f), Hex(0x4A3020));
}

void OilDrum(Image& l, Vec2 c, Vec2 h)
{
    InkedBall(l, c, h.x, Hex(0x2E5A7A));
    Draw(l, Ring(c, h.x * 0.75f, 2.0f), Hex(0x1E3A50));
    InkedBall(l, c + Vec2{h.x * 0.45f, -h.x * 0.3f}, 3, Hex(0x9A9A9A));
}

void Tires(Image& l, Vec2 c, Vec2 h)
{
    for (int i = 0; i < 2; ++i)
    {
        Vec2 p = c + Vec2{i == 0 ? -h.x * 0.25f : h.x * 0.3f, i == 0 ? -h.y * 0.2f : h.y * 0.25f};
        DrawOutlined(l, Ring(p, h.x * 0.45f, h.x * 0.3f), Lit(Hex(0x26262A), p, h.x * 0.6f, 0.4f), InkColor(), 1.2f);
    }
}

void Debris(Image& l, Vec2 c, Vec2 h)
{
    Rng rng("debris");
    for (int i = 0; i < 12; ++i)
    {
        Vec2 p = c + Vec2{rng.Signed() * h.x * 0.8f, rng.Signed() * h.y * 0.8f};
        InkedBox(l, p, {rng.Range(4, 12), rng.Range(2, 4)}, rng.Range(0, Pi), 1, Mix(WoodDark, Hex(0x8A8070), rng.Unit()));
    }
}
}

void MakeProps(Kit& kit)
{
    auto add = [&](const char* key, int w, int h, const Painter& p) { kit.out.AddImage(Group, Sub, key, Prop(w, h, p)); };
    add("Prop_Table", 144, 104, Table);
    add("Prop_Chair", 56, 56, Chair);
    add("Prop_Sofa", 176, 88, Sofa);
    add("Prop_Bed", 120, 176, Bed);
    add("Prop_Bookshelf", 176, 52, Bookshelf);
    add("Prop_Cabinet", 96, 52, Cabinet);
    add("Prop_Counter", 208, 64, Counter);
    add("Prop_Fridge", 72, 72, Fridge);
    add("Prop_Desk", 144, 88, Desk);
    add("Prop_CrateStack", 112, 112, CrateStack);
    add("Prop_Pallet", 112, 96, Pallet);
    add("Prop_MetalShelf", 208, 64, MetalShelf);
    add("Prop_HayBale", 112, 72, HayBale);
    add("Prop_CarWreck", 240, 128, CarWreck);
    add("Prop_Tree", 208, 208, Tree);
    add("Prop_Bush", 104, 104, Bush);
    add("Prop_Rock", 80, 64, Rock);
    add("Prop_Rug", 208, 144, Rug);
    add("Prop_Lamp", 56, 56, Lamp);
    add("Prop_Bench", 176, 56, Bench);
    add("Prop_Podium", 104, 72, Podium);
    add("Prop_PlantPot", 64, 64, PlantPot);
    add("Prop_WoodBarrel", 72, 72, WoodBarrel);
    add("Prop_OilDrum", 72, 72, OilDrum);
    add("Prop_Tires", 104, 96, Tires);
    add("Prop_Debris", 112, 96, Debris);
}
}
