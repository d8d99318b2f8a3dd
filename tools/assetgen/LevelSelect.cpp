// The level select: a dusk map, a card per level (normal, hover, locked) and the pointer arrow.
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"
#include "Scenery.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cmath>
#include <functional>

namespace assetgen
{
namespace
{
using namespace scenery;
const char* Group = "Second_Load";
const char* Sub = "LevelSelect";

Image MapBackground()
{
    const int W = 960, H = 540;
    Image img(W, H);
    MapPixels(img, [&](Color, int x, int y) {
        float n = Fbm(x * 0.006f, y * 0.006f, 5, 401) * 0.5f + 0.5f;
        float fields = Fbm(x * 0.02f, y * 0.02f, 2, 402);
        Color c = Mix(Hex(0x1E2A1E), Hex(0x4A4A2A), n);
        if (fields > 0.25f)
            c = Mix(c, Hex(0x5A4A2A), 0.35f);
        return c;
    });
    // A river and two roads.
    Rng rng("level select map");
    auto path = [&](Vec2 a, Vec2 b, float width, Color col, unsigned seed) {
        Vec2 prev = a;
        for (int i = 1; i <= 40; ++i)
        {
            float t = i / 40.0f;
            Vec2 p = Lerp(a, b, t) + Vec2{0, 40.0f * Perlin(t * 3.0f, 0.5f, static_cast<int>(seed))};
            Draw(img, Capsule(prev, p, width), col);
            prev = p;
        }
    };
    path({-20, 120}, {980, 420}, 14, Hex(0x2A4A5A), 403);
    path({-20, 120}, {980, 420}, 6, Hex(0x3A6A7A), 403);
    path({100, 560}, {860, -20}, 5, Hex(0x8A7A5A), 404);
    path({-20, 300}, {980, 250}, 4, Hex(0x7A6A4A), 405);
    for (int i = 0; i < 40; ++i)
    {
        Vec2 p{rng.Range(0, W), rng.Range(0, H)};
        Draw(img, Circle(p, rng.Range(6, 14)), Hex(0x14200E, 0.8f), 4.0f);
    }
    MapPixels(img, [&](Color c, int x, int y) {
        // Dusk light from the upper left, night creeping in from the lower right.
        float t = (x / static_cast<float>(W) + y / static_cast<float>(H)) * 0.5f;
        return Mix(Mix(c, Hex(0xE08A4A), 0.18f * (1.0f - t)), Hex(0x0A0818), 0.45f * t);
    });
    Grain(img, 0.03f, 406);
    Vignette(img, 0.6f, 0.8f);
    return img;
}

using Painting = std::function<void(Image&)>;

Image Card(Lettering& font, const std::string& name, const Painting& paint, ui::Look look)
{
    const int W = 340, H = 250;
    Image img(W, H);
    Vec2 c{W * 0.5f - 2, H * 0.5f - 3};
    if (look == ui::Look::Hover)
        Draw(img, Box(c, {W * 0.5f - 6, H * 0.5f - 6}, 0, 16), WithAlpha(ui::AmberHot(), 0.6f), 10.0f);
    ui::DrawPanel(img, c, {W * 0.5f - 12, H * 0.5f - 12}, 14, look == ui::Look::Hover ? ui::AmberHot() : ui::Amber());
    Image scene(292, 150);
    paint(scene);
    Finish(scene, 0.5f, 407);
    Image framed(292, 150);
    Draw(framed, Box({146, 75}, {146, 75}, 0, 8), [&](Vec2 p) { return scene.Get(static_cast<int>(p.x), static_cast<int>(p.y)); });
    img.Composite(framed, static_cast<int>(c.x - 146), 34);
    Draw(img, Subtract(Box({c.x, 109}, {148, 77}, 0, 9), Box({c.x, 109}, {146, 75}, 0, 8)), ui::Ink());
    Color text = look == ui::Look::Hover ? Hex(0xFFF6E4) : ui::Text();
    ui::PutText(img, font, name, font.FitSize(name, 40, 290), {c.x, 212}, text, ui::Ink(), 2.0f, 2.0f);
    if (look == ui::Look::Locked)
    {
        MapPixels(img, [](Color p, int, int) { return Shade(Desaturate(p, 0.8f), 0.45f); });
        Image lock(W, H);
        icon::Padlock(lock, {c.x, 100}, 90, ui::Text());
        img.Composite(WithOutline(lock, 2.5f, ui::Ink()), 0, 0);
        ui::PutText(img, font, "LOCKED", 34, {c.x, 165}, ui::AmberHot(), ui::Ink(), 2.0f, 2.0f);
    }
    return img;
}

void AbandonedHouseArt(Image& s)
{
    Sky(s, Hex(0x2A1A3A), Hex(0x7A3A4A), Hex(0xF09A50), 110);
    Sun(s, {220, 108}, 22, Hex(0xFFD890), Hex(0xE0502E));
    Hills(s, 118, 10, 0.02f, Hex(0x3A2238), 411);
    House(s, 120, 128, 120, 100, Hex(0x1A0E1E), true);
    Tree(s, 240, 135, 80, Hex(0x120A14), 412);
    Ground(s, 128, Hex(0x120A14));
}

void FarmhouseArt(Image& s)
{
    Sky(s, Hex(0x1E1838), Hex(0x5A3A6A), Hex(0xE89A5A), 110);
    Sun(s, {60, 108}, 20, Hex(0xFFE4A0), Hex(0xE06A36));
    Barn(s, 150, 130, 110, 90, Hex(0x1C1222));
    Windmill(s, 240, 132, 80, Hex(0x1C1222), 0.5f);
    Fence(s, 10, 290, 140, 12, Hex(0x120A16));
    Ground(s, 130, Hex(0x100A12));
}

void WarehouseArt(Image& s)
{
    Sky(s, Hex(0x141830), Hex(0x3A3A5A), Hex(0xD0804A), 110);
    Sun(s, {250, 104}, 18, Hex(0xFFD090), Hex(0xD0502A));
    Crane(s, 60, 130, 100, Hex(0x101222));
    Warehouse(s, 170, 130, 180, 70, Hex(0x161A2A));
    Ground(s, 130, Hex(0x0C0C14));
}

void TownHallArt(Image& s)
{
    Sky(s, Hex(0x0C0A1C), Hex(0x3A1E40), Hex(0xB0483A), 110);
    Stars(s, 60, 30, 413);
    TownHall(s, 146, 132, 150, 115, Hex(0x0E0A16));
    House(s, 40, 132, 60, 60, Hex(0x0E0A16), false);
    House(s, 255, 132, 60, 70, Hex(0x0E0A16), true);
    Ground(s, 130, Hex(0x08060C));
}

Image Pointer()
{
    Image img(96, 112);
    Image layer(96, 112);
    Draw(layer, Circle({48, 56}, 34), WithAlpha(ui::AmberHot(), 0.35f), 20.0f);
    Image arrow(96, 112);
    icon::ArrowDown(arrow, {48, 52}, 84, ui::AmberHot());
    layer.Composite(WithOutline(arrow, 3.0f, ui::Ink()), 0, 0);
    return layer;
}
}

void MakeLevelSelect(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage(Group, Sub, "LevelSelect_Background", MapBackground());
    kit.out.AddImage(Group, Sub, "LevelSelect_Title", ui::TextPicture(f, "CHOOSE YOUR GROUND", 96, ui::Text(), ui::Ink(), 4.0f));
    struct Level
    {
        const char* key;
        const char* name;
        Painting art;
    };
    const Level levels[4] = {{"LS_AbandonedHouse", "ABANDONED HOUSE", AbandonedHouseArt},
                             {"LS_Farmhouse", "FARMHOUSE", FarmhouseArt},
                             {"LS_Warehouse", "WAREHOUSE", WarehouseArt},
                             {"LS_TownHall", "TOWN HALL", TownHallArt}};
    for (const Level& l : levels)
    {
        std::string key = l.key;
        kit.out.AddImage(Group, Sub, key, Card(f, l.name, l.art, ui::Look::Normal));
        kit.out.AddImage(Group, Sub, key + "_Hover", Card(f, l.name, l.art, ui::Look::Hover));
        kit.out.AddImage(Group, Sub, key + "_Locked", Card(f, l.name, l.art, ui::Look::Locked));
    }
    kit.out.AddImage(Group, Sub, "Pointer_Arrow", Pointer());
}
}
