// The in-level HUD: the bottom bar, soldier cards and portraits, health bar, stat icons, action
// buttons (normal, hover, unavailable), the pause button, objective banners and key caps.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "ItemArt.h"
#include "Paints.h"
#include "Shapes.h"
#include "UiKit.h"

#include <string>

namespace assetgen
{
namespace
{
using ui::Look;
const char* Group = "Third_Load";
const char* Sub = "HUD";

const Color SoldierColours[4] = {Hex(0x3E74D6), Hex(0xCC4432), Hex(0xE2A72A), Hex(0x9356CC)};

// The bar's outline follows the strip that the off-screen markers keep clear of: 634 pixels
// wide at the screen's edge, 510 at its top, 80 high.
Image Bar()
{
    Image img(680, 100);
    float cx = 340, bottom = 96, top = 16;
    std::vector<Vec2> shape{{cx - 317, bottom}, {cx + 317, bottom}, {cx + 255, top}, {cx - 255, top}};
    Draw(img, Polygon(shape), Hex(0x000000, 0.45f), 8.0f);
    Shape bar = Polygon(shape);
    Draw(img, Expanded(bar, 2.0f), ui::Ink());
    Draw(img, bar, Linear({0, top}, {0, bottom}, Hex(0x3A2E4A, 0.95f), Hex(0x150F1C, 0.95f)));
    Draw(img, Intersect(Polygon({{cx - 252, top + 3}, {cx + 252, top + 3}, {cx + 250, top + 5}, {cx - 250, top + 5}}), bar), ui::Amber());
    return img;
}

Image Card()
{
    Image img(156, 190);
    ui::DrawPanel(img, {76, 92}, {68, 84}, 12, ui::Amber());
    Draw(img, Box({76, 52}, {52, 44}, 0, 8), Hex(0x0A0810, 0.6f));
    return img;
}

Image SelectedFrame()
{
    Image img(176, 210);
    Shape frame = Subtract(Box({88, 104}, {78, 94}, 0, 16), Box({88, 104}, {72, 88}, 0, 12));
    Draw(img, Box({88, 104}, {80, 96}, 0, 18), WithAlpha(ui::AmberHot(), 0.35f), 8.0f);
    Draw(img, frame, ui::AmberHot());
    return img;
}

// A front view of a soldier's head and shoulders, in the soldier's colour.
Image Portrait(Lettering& font, int index)
{
    Image img(112, 112);
    Vec2 c{56, 56};
    Color uniform = SoldierColours[index];
    Shape frame = Box(c, {52, 52}, 0, 14);
    Draw(img, Expanded(frame, 2.0f), ui::Ink());
    Draw(img, frame, Linear({0, 4}, {0, 108}, Hex(0xE89A5A), Hex(0x4A2E4A)));
    Image bust(112, 112);
    InkedBlob(bust, c + Vec2{0, 52}, {44, 26}, 0, uniform);
    InkedBox(bust, c + Vec2{0, 22}, {10, 10}, 0, 3, Hex(0xC08A64));
    InkedBlob(bust, c + Vec2{0, 2}, {22, 26}, 0, Hex(0xD09A72), 0.3f);
    Draw(bust, Circle(c + Vec2{-8, 2}, 2.6f), ui::Ink());
    Draw(bust, Circle(c + Vec2{8, 2}, 2.6f), ui::Ink());
    Draw(bust, Capsule(c + Vec2{-6, 15}, c + Vec2{6, 15}, 1.3f), Hex(0x6A3A2A));
    Shape helmet = Subtract(Ellipse(c + Vec2{0, -10}, {27, 22}), Box(c + Vec2{0, 8}, {30, 10}));
    DrawOutlined(bust, helmet, Lit(Mix(Shade(uniform, 0.6f), Hex(0x3A3F33), 0.3f), c + Vec2{0, -14}, 26, 0.4f), ui::Ink(), 1.5f);
    Draw(bust, Box(c + Vec2{0, -1}, {26, 2.5f}), Shade(uniform, 1.15f));
    img.Composite(bust, 0, 0);
    Draw(img, Subtract(Box(c, {52, 52}, 0, 14), Box(c, {49, 49}, 0, 12)), uniform);
    Image badge(112, 112);
    DrawOutlined(badge, Circle({92, 92}, 14), Flat(uniform), ui::Ink(), 2.0f);
    img.Composite(badge, 0, 0);
    ui::PutText(img, font, std::to_string(index + 1), 22, {92, 92}, ui::Text(), ui::Ink(), 1.5f);
    return img;
}

Image DeadOverlay()
{
    Image img(112, 112);
    Vec2 c{56, 56};
    Draw(img, Box(c, {52, 52}, 0, 14), Hex(0x0A0608, 0.72f));
    Image skull(112, 112);
    icon::Skull(skull, c, 70, Hex(0xE8D8C8));
    img.Composite(WithOutline(skull, 2.0f, ui::Ink()), 0, 0);
    Draw(img, Capsule(c + Vec2{-40, -40}, c + Vec2{40, 40}, 3.0f), WithAlpha(ui::Danger(), 0.85f));
    return img;
}

// A soldier's slot in the HUD row: the card with the health bar's trough and the five stat icons
// (clip, total rounds; health packs, grenades, molotovs), the numbers written beside them.
Image SoldierCard()
{
    Image img(150, 190);
    ui::DrawPanel(img, {75, 95}, {71, 91}, 12, ui::Amber());
    DrawOutlined(img, Box({75, 128}, {62, 7}, 0, 4), Flat(Hex(0x1A1014)), ui::Ink(), 2.0f);
    void (*icons[])(Image&, Vec2, float, float) = {DrawMagazine, DrawAmmoBox, DrawMedkit, DrawGrenade};
    const Vec2 places[] = {{14, 150}, {87, 150}, {13, 175}, {63, 175}};
    for (int i = 0; i < 4; ++i)
    {
        Image layer(48, 48);
        icons[i](layer, {24, 24}, 34, 0.0f);
        Image small = WithOutline(layer, 1.5f, ui::Ink()).Resized(22, 22);
        img.Composite(small, static_cast<int>(places[i].x) - 11, static_cast<int>(places[i].y) - 11);
    }
    Image molotov(48, 48);
    DrawMolotov(molotov, {24, 24}, 34, 0.0f, false);
    img.Composite(WithOutline(molotov, 1.5f, ui::Ink()).Resized(22, 22), 113 - 11, 175 - 11);
    return img;
}

// A picture centred in a slot as wide as two cards, its middle 35 pixels above the slot's.
Image InSlot(const Image& picture)
{
    Image img(300, 190);
    img.Composite(picture, 150 - picture.Width() / 2, 60 - picture.Height() / 2);
    return img;
}

Image HealthBack()
{
    Image img(132, 22);
    DrawOutlined(img, Box({66, 11}, {62, 7}, 0, 4), Flat(Hex(0x1A1014)), ui::Ink(), 2.0f);
    return img;
}

Image HealthFill()
{
    Image img(124, 14);
    Draw(img, Box({62, 7}, {62, 7}, 0, 3), Linear({0, 0}, {0, 14}, Hex(0x8AE060), Hex(0x2E8A2A)));
    Draw(img, Box({62, 4}, {58, 1.2f}), Hex(0xE8FFD0, 0.6f));
    return img;
}

Image StatIcon(void (*draw)(Image&, Vec2, float, float))
{
    Image layer(48, 48);
    draw(layer, {24, 24}, 34, 0.0f);
    return WithOutline(layer, 1.5f, ui::Ink());
}

Image Banner(Lettering& font, const std::string& text, const ui::IconFn& icon)
{
    Image img = ui::Panel(560, 96, 12);
    Image layer(80, 80);
    icon(layer, {40, 40}, 52, ui::AmberHot());
    img.Composite(WithOutline(layer, 1.5f, ui::Ink()), 22, 5);
    ui::PutText(img, font, text, 46, {300, 44}, ui::Text(), ui::Ink(), 2.0f, 2.0f);
    return img;
}

Image Counter(Lettering& font)
{
    Image img = ui::Panel(280, 96, 12);
    Image layer(80, 80);
    icon::ZombieHead(layer, {40, 40}, 56, Hex(0x9AB07A));
    img.Composite(WithOutline(layer, 1.5f, ui::Ink()), 18, 5);
    ui::PutText(img, font, "LEFT", 30, {210, 24}, ui::TextDim());
    return img;
}

Image KeyCap(Lettering& font, const std::string& key)
{
    int w = key.size() > 1 ? 76 : 52;
    Image img(w, 52);
    Vec2 c{w * 0.5f - 1, 24};
    Draw(img, Box(c + Vec2{1, 3}, {w * 0.5f - 5, 20}, 0, 7), Hex(0x000000, 0.5f), 3.0f);
    DrawOutlined(img, Box(c, {w * 0.5f - 5, 20}, 0, 7), Linear(c - Vec2{0, 20}, c + Vec2{0, 20}, Hex(0xF0E6D6), Hex(0xA89C8E)),
                 ui::Ink(), 2.0f);
    ui::PutText(img, font, key, key.size() > 1 ? 24 : 30, c, ui::Ink());
    return img;
}

void ActionButton(Kit& kit, const std::string& key, const ui::IconFn& icon, const std::string& caption)
{
    kit.out.AddImage(Group, "Actions", key, ui::IconButton(kit.display, 104, icon, Look::Normal, caption));
    kit.out.AddImage(Group, "Actions", key + "_Hover", ui::IconButton(kit.display, 104, icon, Look::Hover, caption));
    kit.out.AddImage(Group, "Actions", key + "_Off", ui::IconButton(kit.display, 104, icon, Look::Unavailable, caption));
}

ui::IconFn ItemIcon(void (*draw)(Image&, Vec2, float, float))
{
    return [draw](Image& l, Vec2 c, float s, Color) { draw(l, c, s * 1.15f, 0.0f); };
}
}

void MakeHud(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage(Group, Sub, "HUD_Bar", Bar());
    kit.out.AddImage(Group, Sub, "Player_HUD", Card());
    kit.out.AddImage(Group, Sub, "Selected_Unit_HUD", SelectedFrame());
    for (int i = 0; i < 4; ++i)
        kit.out.AddImage(Group, Sub, "Portrait_P" + std::to_string(i + 1), Portrait(f, i));
    kit.out.AddImage(Group, Sub, "Portrait_Dead", DeadOverlay());
    kit.out.AddImage(Group, Sub, "Soldier_Card", SoldierCard());
    for (int i = 0; i < 4; ++i)
        kit.out.AddImage(Group, Sub, "Portrait_Slot_P" + std::to_string(i + 1), InSlot(Portrait(f, i)));
    kit.out.AddImage(Group, Sub, "Portrait_Slot_Dead", InSlot(DeadOverlay()));
    kit.out.AddImage(Group, Sub, "HealthBar_Back", HealthBack());
    kit.out.AddImage(Group, Sub, "HealthBar_Fill", HealthFill());
    kit.out.AddImage(Group, Sub, "Icon_Clip", StatIcon(DrawMagazine));
    kit.out.AddImage(Group, Sub, "Icon_Ammo", StatIcon(DrawAmmoBox));
    kit.out.AddImage(Group, Sub, "Icon_HealthPack", StatIcon(DrawMedkit));
    kit.out.AddImage(Group, Sub, "Icon_Grenade", StatIcon(DrawGrenade));
    kit.out.AddImage(Group, Sub, "Icon_Molotov", StatIcon([](Image& l, Vec2 c, float s, float a) { DrawMolotov(l, c, s, a, false); }));
    kit.out.AddImage(Group, Sub, "Zombie_Counter", Counter(f));
    kit.out.AddImage(Group, Sub, "Objective_KillAll", Banner(f, "KILL ALL ZOMBIES", icon::Skull));
    kit.out.AddImage(Group, Sub, "Objective_Escape", Banner(f, "REACH THE WAY OUT", icon::Flag));
    kit.out.AddImage(Group, Sub, "Pause_Button", ui::IconButton(f, 84, icon::Pause, Look::Normal));
    kit.out.AddImage(Group, Sub, "Pause_Button_Hover", ui::IconButton(f, 84, icon::Pause, Look::Hover));

    ActionButton(kit, "Btn_Reload", icon::Reload, "RELOAD");
    ActionButton(kit, "Btn_Heal", icon::Heal, "HEAL");
    ActionButton(kit, "Btn_Grenade", ItemIcon(DrawGrenade), "GRENADE");
    ActionButton(kit, "Btn_Molotov", [](Image& l, Vec2 c, float s, Color) { DrawMolotov(l, c, s * 1.15f, 0.0f, true); }, "MOLOTOV");
    ActionButton(kit, "Btn_Breach", icon::Breach, "BREACH");
    ActionButton(kit, "Btn_Stop", icon::Stop, "STOP");
    ActionButton(kit, "Btn_CenterCam", icon::CentreCamera, "CENTRE");

    for (const char* key : {"1", "2", "3", "4", "5", "Q", "W", "E", "R", "F", "S", "T", "ESC"})
        kit.out.AddImage(Group, "Keys", std::string("Key_") + key, KeyCap(f, key));
}
}
