// Markers drawn in the world: selection and move markers, the facing arrow, the throw path and
// landing area, danger and hint icons, the bullet line, off-screen markers and soldier badges.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "Paints.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cmath>
#include <string>

namespace assetgen
{
namespace
{
const char* Group = "Third_Load";
const char* Sub = "Markers";
const Color SoldierColours[4] = {Hex(0x3E74D6), Hex(0xCC4432), Hex(0xE2A72A), Hex(0x9356CC)};

Image Dashes(int size, float radius, float thickness, int count, Color color)
{
    Image img(size, size);
    Vec2 c{size * 0.5f, size * 0.5f};
    for (int i = 0; i < count; ++i)
    {
        float a0 = TwoPi * i / count, a1 = a0 + TwoPi / count * 0.55f;
        Vec2 p0 = c + Vec2{std::cos(a0), std::sin(a0)} * radius, p1 = c + Vec2{std::cos(a1), std::sin(a1)} * radius;
        Draw(img, Capsule(p0, p1, thickness * 0.5f), color);
    }
    return img;
}

Image SelectionRing()
{
    Image img(128, 128);
    Vec2 c{64, 64};
    Draw(img, Ring(c, 50, 10), Hex(0xFFC468, 0.25f), 6.0f);
    Draw(img, Expanded(Ring(c, 50, 4), 1.5f), Hex(0x120E18, 0.6f));
    Draw(img, Ring(c, 50, 4), Hex(0xFFD080));
    for (int i = 0; i < 4; ++i)
    {
        Vec2 d = Rotated({1, 0}, i * Pi * 0.5f + Pi * 0.25f);
        DrawOutlined(img, Polygon({c + d * 54.0f + Rotated(d, Pi * 0.5f) * 6.0f, c + d * 54.0f - Rotated(d, Pi * 0.5f) * 6.0f, c + d * 44.0f}),
                     Flat(Hex(0xFFE0A0)), Hex(0x120E18), 1.2f);
    }
    return img;
}

Image MoveMarker()
{
    Image img(96, 96);
    Vec2 c{48, 48};
    Draw(img, Circle(c, 30), Hex(0x8AE0FF, 0.18f), 10.0f);
    Image ring = Dashes(96, 30, 4, 12, Hex(0xB8F0FF));
    img.Composite(WithOutline(ring, 1.2f, Hex(0x0A1A22, 0.7f)), 0, 0);
    Image cross(96, 96);
    Draw(cross, Capsule(c - Vec2{9, 9}, c + Vec2{9, 9}, 2.5f), Hex(0xE8FAFF));
    Draw(cross, Capsule(c - Vec2{9, -9}, c + Vec2{9, -9}, 2.5f), Hex(0xE8FAFF));
    img.Composite(WithOutline(cross, 1.2f, Hex(0x0A1A22, 0.7f)), 0, 0);
    return img;
}

Image ArrowBody()
{
    Image img(128, 24);
    Draw(img, Box({64, 12}, {64, 5}), Linear({0, 0}, {128, 0}, Hex(0xFFC468, 0.2f), Hex(0xFFC468, 0.9f)));
    Draw(img, Box({64, 12}, {64, 1.5f}), Hex(0xFFF0D0, 0.8f));
    return img;
}

Image ArrowHead()
{
    Image img(64, 64);
    Image head(64, 64);
    Draw(head, Polygon({{10, 10}, {58, 32}, {10, 54}, {20, 32}}), Hex(0xFFC468));
    return WithOutline(head, 2.0f, Hex(0x120E18, 0.8f));
}

Image Trajectory()
{
    Image img(128, 16);
    for (int i = 0; i < 8; ++i)
        Draw(img, Capsule({6.0f + i * 16, 8}, {14.0f + i * 16, 8}, 3.0f), Hex(0xFFE8B0, 0.9f));
    return WithOutline(img, 1.0f, Hex(0x120E18, 0.6f));
}

// The landing indicator fills its image. The fire marker is drawn at twice the burning area's
// range (its half size), so its ring takes the inner half of the image and circles the area.
Image AreaIndicator(bool fire)
{
    Image img(256, 256);
    Vec2 c{128, 128};
    Color tone = fire ? Hex(0xFF7A2A) : Hex(0xFFC468);
    const float radius = fire ? 60.0f : 120.0f;
    Draw(img, Circle(c, radius), WithAlpha(tone, 0.16f));
    Draw(img, Circle(c, radius), Radial(c, radius, WithAlpha(tone, 0.0f), WithAlpha(tone, 0.25f)));
    img.Composite(Dashes(256, radius, fire ? 4.0f : 5.0f, fire ? 16 : 28, WithAlpha(Mix(tone, Hex(0xFFFFFF), 0.3f), 0.9f)),
                  0, 0);
    Draw(img, Circle(c, 5), WithAlpha(tone, 0.8f));
    return img;
}

Image Danger()
{
    Image img(64, 64);
    Image sign(64, 64);
    Vec2 c{32, 34};
    DrawOutlined(sign, Expanded(Polygon({{32, 6}, {60, 56}, {4, 56}}), 2.0f), Flat(ui::Danger()), ui::Ink(), 2.0f);
    icon::Exclamation(sign, c + Vec2{0, 4}, 34, Hex(0xFFF0E0));
    return sign;
}

Image HintCircle()
{
    Image img(256, 256);
    Vec2 c{128, 128};
    Draw(img, Ring(c, 112, 22), Hex(0xFFD060, 0.22f), 12.0f);
    Draw(img, Expanded(Ring(c, 112, 5), 1.5f), Hex(0x120E18, 0.5f));
    Draw(img, Ring(c, 112, 5), Hex(0xFFE090));
    img.Composite(Dashes(256, 96, 3, 20, Hex(0xFFE090, 0.7f)), 0, 0);
    return img;
}

Image BulletLine()
{
    Image img(256, 8);
    Draw(img, Box({128, 4}, {128, 2.5f}), Linear({0, 0}, {256, 0}, Hex(0xFFD070, 0.0f), Hex(0xFFD070, 0.75f)));
    Draw(img, Box({128, 4}, {128, 1.0f}), Linear({0, 0}, {256, 0}, Hex(0xFFFFF0, 0.0f), Hex(0xFFFFF0, 1.0f)));
    return img;
}

Image PlusIcon()
{
    Image img(64, 64);
    Draw(img, Circle({32, 32}, 26), Hex(0x60E070, 0.3f), 10.0f);
    Image plus(64, 64);
    Draw(plus, Box({32, 32}, {20, 7}, 0, 2), Hex(0x6AF07A));
    Draw(plus, Box({32, 32}, {7, 20}, 0, 2), Hex(0x6AF07A));
    img.Composite(WithOutline(plus, 2.0f, ui::Ink()), 0, 0);
    return img;
}

Image OffscreenMarker()
{
    Image img(64, 64);
    Image arrow(64, 64);
    Draw(arrow, Polygon({{8, 14}, {58, 32}, {8, 50}, {18, 32}}), Hex(0xFFE0A0));
    return WithOutline(arrow, 2.5f, ui::Ink());
}

Image Badge(Lettering& font, int index)
{
    Image img(64, 64);
    Vec2 c{32, 32};
    DrawOutlined(img, Circle(c, 26), Lit(SoldierColours[index], c, 26, 0.4f), ui::Ink(), 2.5f);
    Draw(img, Ring(c, 21, 2), Hex(0xFFFFFF, 0.35f));
    ui::PutText(img, font, std::to_string(index + 1), 34, c, ui::Text(), ui::Ink(), 2.0f);
    return img;
}

Image SelectionArea()
{
    Image img(64, 64);
    Draw(img, Box({32, 32}, {31, 31}), Hex(0xFFC468, 0.14f));
    Draw(img, Subtract(Box({32, 32}, {31, 31}), Box({32, 32}, {29, 29})), Hex(0xFFD080, 0.9f));
    return img;
}

Image Shield()
{
    Image img(128, 128);
    Vec2 c{64, 64};
    Shape arc = Intersect(Ring(c, 50, 9), Box(c + Vec2{40, 0}, {30, 60}));
    Draw(img, Expanded(arc, 6.0f), Hex(0x9AD0FF, 0.25f), 6.0f);
    DrawOutlined(img, arc, Linear(c - Vec2{0, 50}, c + Vec2{0, 50}, Hex(0xD8F0FF, 0.9f), Hex(0x6AA0D0, 0.9f)), Hex(0x10202A, 0.8f), 1.5f);
    return img;
}

Image DoorButton(Lettering& font, bool hover)
{
    Image img = ui::Button(font, 200, 64, "", hover ? ui::Look::Hover : ui::Look::Normal);
    Image layer(64, 64);
    icon::Breach(layer, {32, 32}, 40, ui::Text());
    img.Composite(WithOutline(layer, 1.5f, ui::Ink()), 12, -2);
    ui::PutText(img, font, "BREACH", 30, {108, 29}, ui::Text(), ui::Ink(), 1.5f);
    Draw(img, Box({165, 29}, {14, 14}, 0, 4), Hex(0xE8DCCC));
    ui::PutText(img, font, "F", 22, {165, 29}, ui::Ink());
    return img;
}
}

void MakeMarkers(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage(Group, Sub, "Marker_Selection", SelectionRing());
    kit.out.AddImage(Group, Sub, "Marker_Move", MoveMarker());
    kit.out.AddImage(Group, Sub, "Dir_ArrowBody", ArrowBody());
    kit.out.AddImage(Group, Sub, "Dir_ArrowHead", ArrowHead());
    kit.out.AddImage(Group, Sub, "Throw_Trajectory", Trajectory());
    kit.out.AddImage(Group, Sub, "AOE_Indicator", AreaIndicator(false));
    kit.out.AddImage(Group, Sub, "Fire_AOE_Indicator", AreaIndicator(true));
    kit.out.AddImage(Group, Sub, "Danger_Icon", Danger());
    kit.out.AddImage(Group, Sub, "Circle_Indicator", HintCircle());
    kit.out.AddImage(Group, Sub, "Bullet_Line", BulletLine());
    kit.out.AddImage(Group, Sub, "Plus_Icon", PlusIcon());
    kit.out.AddImage(Group, Sub, "Icon_Marker", OffscreenMarker());
    for (int i = 0; i < 4; ++i)
        kit.out.AddImage(Group, Sub, "P" + std::to_string(i + 1) + "_Icon", Badge(f, i));
    kit.out.AddImage(Group, Sub, "Selection_Area", SelectionArea());
    kit.out.AddImage(Group, Sub, "Charger_Shield", Shield());
    kit.out.AddImage(Group, Sub, "Door_Button", DoorButton(f, false));
    kit.out.AddImage(Group, Sub, "Door_Button_Hover", DoorButton(f, true));
}
}
