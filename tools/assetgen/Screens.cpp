// The logo and window icons, the cursor, the transition doors, full-screen overlays, level titles
// and the editor's icons.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "Noise.h"
#include "Paints.h"
#include "Rng.h"
#include "Scenery.h"
#include "Shapes.h"
#include "UiKit.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
namespace
{
// The emblem: a low sun cut by dusk bands, a weathervane across it.
void Emblem(Image& img, Vec2 c, float r)
{
    Draw(img, Circle(c, r * 1.15f), Hex(0xFF8A3A, 0.35f), r * 0.35f);
    Shape sun = Circle(c, r);
    for (int i = 0; i < 4; ++i)
    {
        float y = c.y + r * (0.15f + 0.2f * i);
        sun = Subtract(sun, Box({c.x, y}, {r * 1.1f, r * (0.025f + 0.015f * i)}));
    }
    Draw(img, sun, Linear(c - Vec2{0, r}, c + Vec2{0, r}, Hex(0xFFD27A), Hex(0xC8342A)));
    scenery::Weathervane(img, c + Vec2{0, -r * 0.15f}, r * 1.3f, Hex(0x1A1222));
    Draw(img, Box(c + Vec2{0, r * 0.92f}, {r * 1.2f, r * 0.08f}), Hex(0x1A1222));
}

Image Icon(int size)
{
    Image img(size, size);
    float s = static_cast<float>(size);
    Draw(img, Box({s * 0.5f, s * 0.5f}, {s * 0.48f, s * 0.48f}, 0, s * 0.18f),
         Linear({0, 0}, {0, s}, Hex(0x4A2E5A), Hex(0x1A1224)));
    Emblem(img, {s * 0.5f, s * 0.52f}, s * 0.3f);
    return img;
}

Image Logo(Lettering& font)
{
    Image img(1024, 512);
    // The glow fades out inside the image's top edge.
    Emblem(img, {512, 200}, 142);
    Image word = font.Mask("DUSKVANE", 190, 6.0f);
    word = ui::TrimToInk(word, 8);
    Image fill(word.Width(), word.Height());
    for (int y = 0; y < word.Height(); ++y)
        for (int x = 0; x < word.Width(); ++x)
        {
            float a = word.Get(x, y).a;
            if (a <= 0)
                continue;
            float t = static_cast<float>(y) / word.Height();
            fill.Set(x, y, WithAlpha(Mix(Hex(0xFFF0D0), Hex(0xF08A3A), Smoothstep(0.3f, 0.9f, t)), a));
        }
    Image framed = WithOutline(fill, 5.0f, Hex(0x1A1222));
    Image shadow = SilhouetteShadow(framed, {4, 8}, 8, Hex(0x000000, 0.6f));
    shadow.Composite(framed, 0, 0);
    img.Composite(shadow, 512 - shadow.Width() / 2, 300);
    ui::PutText(img, font, "HOLD THE LINE UNTIL DARK", 34, {512, 488}, Hex(0xE8C8A0), Hex(0x1A1222), 2.0f, 2.0f);
    return img;
}

// The engine draws the cursor centred on the pointer's position, so the arrow's tip is the
// image's centre and the arrow fills the lower right quarter. A power-of-two size, like the
// logo screen's other images: the driver then draws all three with one compiled shader.
Image Cursor()
{
    Image layer(128, 128);
    const Vec2 tip{64, 64};
    auto at = [&](float x, float y) { return Vec2{tip.x + x * 1.6f, tip.y + y * 1.6f}; };
    Draw(layer, Polygon({at(0, 0), at(0, 32), at(8, 24), at(14, 38), at(20, 35), at(14, 22), at(25, 22)}),
         Linear(at(0, 0), at(14, 36), Hex(0xFFF2DC), Hex(0xF0B060)));
    return WithOutline(layer, 3.0f, ui::Ink());
}

Image Door(bool left)
{
    const int W = 480, H = 540;
    Image img(W, H);
    MapPixels(img, [&](Color, int x, int y) {
        float n = Fbm(x * 0.02f, y * 0.02f, 4, left ? 301 : 302);
        float ridge = (y % 90 < 4) ? 0.7f : 1.0f;
        Color c = Mix(Hex(0x3A3A44), Hex(0x5A5864), 0.5f + n * 0.6f);
        return Shade(c, ridge);
    });
    float inner = left ? W - 1.0f : 0.0f, dir = left ? -1.0f : 1.0f;
    // Hazard stripes along the seam, rivets along the edges and the emblem's half at the seam.
    Shape stripe = Box({inner + dir * 22, H * 0.5f}, {22, H * 0.5f});
    Draw(img, stripe, [&](Vec2 p) {
        return std::fmod(p.y + p.x * dir + 1000.0f, 48.0f) < 24.0f ? Hex(0xE0A030) : Hex(0x1E1A20);
    });
    Draw(img, Box({inner + dir * 46, H * 0.5f}, {2, H * 0.5f}), Hex(0x1A1820));
    for (int i = 0; i < 12; ++i)
    {
        float y = 22.0f + i * 45.0f;
        for (float x : {inner + dir * 64, inner + dir * (W - 24.0f)})
        {
            Draw(img, Circle({x + 1, y + 2}, 5.0f), Hex(0x141218, 0.7f), 2.0f);
            Draw(img, Circle({x, y}, 4.5f), Lit(Hex(0x8A8894), {x, y}, 5, 0.6f));
        }
    }
    Image emblem(W * 2, H);
    Emblem(emblem, {static_cast<float>(W), H * 0.5f}, 110);
    img.Composite(emblem.Cropped(left ? 0 : W, 0, W, H), 0, 0, 0.9f);
    // Warm light leaking along the top edge.
    Draw(img, Box({W * 0.5f, 0}, {W * 0.5f + 2, 10}), Hex(0xFF9A50, 0.35f), 12.0f);
    return img;
}

Image Solid(int w, int h, Color c)
{
    Image img(w, h, c);
    return img;
}

Image VignetteOverlay()
{
    Image img(960, 540);
    MapPixels(img, [&](Color, int x, int y) {
        float dx = (x + 0.5f - 480.0f) / 480.0f, dy = (y + 0.5f - 270.0f) / 270.0f;
        float d = std::sqrt(dx * dx * 0.8f + dy * dy * 0.9f);
        // Clear over the middle of the screen, where a software renderer then draws none of it:
        // the curve is lowered a little, so that its faint start, too light to see, is clear.
        const float faint = 0.05f;
        float a = std::max(Smoothstep(0.7f, 1.3f, d) - faint, 0.0f) / (1.0f - faint);
        return Color{0.04f, 0.02f, 0.07f, a * 0.85f};
    });
    return img;
}

Image LevelTitle(Lettering& font, const std::string& name, const std::string& subtitle)
{
    Image img(1100, 260);
    Image glow(1100, 260);
    Draw(glow, Box({550, 130}, {470, 70}, 0, 40), Hex(0x000000, 0.55f), 60.0f);
    img.Composite(glow, 0, 0);
    Draw(img, Box({550, 200}, {330, 2}), ui::Amber());
    ui::PutText(img, font, name, 130, {550, 115}, ui::Text(), ui::Ink(), 4.0f, 4.0f);
    ui::PutText(img, font, subtitle, 36, {550, 228}, ui::AmberHot(), ui::Ink(), 2.0f, 2.0f);
    return img;
}

Image EditorIcon(bool folder)
{
    Image img(32, 32);
    if (folder)
    {
        Draw(img, Box({11, 9}, {8, 4}, 0, 2), Hex(0xC8902E));
        Draw(img, Box({16, 18}, {13, 9}, 0, 2), Hex(0xE8B04A));
    }
    else
    {
        Draw(img, Polygon({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}), Hex(0xE8E4DA));
        Draw(img, Polygon({{20, 3}, {26, 9}, {20, 9}}), Hex(0xB8B4AA));
        for (int i = 0; i < 4; ++i)
            Draw(img, Box({16, 14.0f + i * 4}, {6, 0.8f}), Hex(0x8A8690));
    }
    return img;
}
}

void MakeScreens(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage("First_Load", "Logos", "dvico", Icon(32));
    kit.out.AddImage("First_Load", "Logos", "dvico2", Icon(64));
    kit.out.AddImage("First_Load", "Logos", "Logo_Duskvane", Logo(f));
    kit.out.AddImage("First_Load", "Cursor", "Cursor", Cursor());
    kit.out.AddImage("First_Load", "Transition", "Transition_DoorLeft", Door(true));
    kit.out.AddImage("First_Load", "Transition", "Transition_DoorRight", Door(false));
    kit.out.AddImage("First_Load", "Overlays", "Fade_Overlay", Solid(64, 64, Hex(0x06040A)));
    kit.out.AddImage("First_Load", "Overlays", "Vignette", VignetteOverlay());

    kit.out.AddImage("Third_Load", "Titles", "Title_AbandonedHouse", LevelTitle(f, "THE ABANDONED HOUSE", "CHAPTER ONE"));
    kit.out.AddImage("Third_Load", "Titles", "Title_Farmhouse", LevelTitle(f, "THE FARMHOUSE", "CHAPTER TWO"));
    kit.out.AddImage("Third_Load", "Titles", "Title_Warehouse", LevelTitle(f, "THE WAREHOUSE", "CHAPTER THREE"));
    kit.out.AddImage("Third_Load", "Titles", "Letterbox", Solid(64, 64, Hex(0x050308)));
}

void MakeEditorIcons(Kit& kit)
{
    kit.out.AddEditorImage("Editor_Folder", EditorIcon(true));
    kit.out.AddEditorImage("Editor_File", EditorIcon(false));
}
}
