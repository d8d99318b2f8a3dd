// The settings page: its panel and labels, slider tracks, fill bars and knobs, the plus, minus
// and reset buttons and the on/off toggles.
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "Paints.h"
#include "Shapes.h"
#include "UiKit.h"

namespace assetgen
{
namespace
{
using ui::Look;
const char* Group = "First_Load";
const char* Sub = "Settings";

Image Page(Lettering& font)
{
    Image img = ui::Panel(1100, 780);
    ui::PutText(img, font, "SETTINGS", 92, {547, 82}, ui::Text(), ui::Ink(), 4.0f, 4.0f);
    Draw(img, Box({547, 132}, {300, 1.5f}), ui::Amber());
    return img;
}

Image Labels(Lettering& font)
{
    Image img(380, 620);
    const char* labels[] = {"MASTER VOLUME", "MUSIC", "EFFECTS", "CAMERA SPEED", "FULL SCREEN", "MUTE"};
    for (int i = 0; i < 6; ++i)
        ui::PutText(img, font, labels[i], 48, {190, 50.0f + i * 104}, ui::Text(), ui::Ink(), 2.0f, 2.0f);
    return img;
}

Image Track()
{
    Image img(520, 40);
    Draw(img, Box({260, 21}, {250, 9}, 0, 9), Hex(0x000000, 0.4f), 3.0f);
    DrawOutlined(img, Box({260, 20}, {248, 8}, 0, 8), Linear({0, 12}, {0, 28}, Hex(0x0E0A14), Hex(0x2A2234)), ui::Ink(), 2.0f);
    return img;
}

// The page, labels and tracks in one picture, laid out as the main menu places them, for the
// pause menu's settings page (which has no separate labels and tracks).
Image Sheet(Lettering& font)
{
    Image img = Page(font);
    img.Composite(Labels(font), 15, 135);
    const Image track = Track();
    for (int y : {167, 270, 373, 477})
        img.Composite(track, 460, y);
    return img;
}

Image Fill()
{
    Image img(512, 24);
    Draw(img, Box({256, 12}, {254, 6}, 0, 6), Linear({0, 6}, {0, 18}, ui::AmberHot(), Hex(0xC05A2A)));
    Draw(img, Box({256, 9}, {250, 1.5f}, 0, 1), Hex(0xFFF0C8, 0.6f));
    return img;
}

Image Knob(bool hover)
{
    Image img(64, 64);
    Vec2 c{32, 32};
    if (hover)
        Draw(img, Circle(c, 26), WithAlpha(ui::AmberHot(), 0.5f), 8.0f);
    Draw(img, Circle(c + Vec2{2, 3}, 18), Hex(0x000000, 0.5f), 4.0f);
    DrawOutlined(img, Circle(c, 17), Radial(c + Vec2{-5, -6}, 22, hover ? Hex(0xFFF0D0) : Hex(0xF0E0C8), hover ? ui::AmberHot() : Hex(0xA8845A)),
                 ui::Ink(), 2.0f);
    Draw(img, Ring(c, 9, 2), Hex(0x6A4A2A, 0.6f));
    return img;
}

Image Toggle(Lettering& font, bool on)
{
    Image img(180, 84);
    Vec2 c{88, 40};
    Draw(img, Box(c + Vec2{2, 4}, {76, 30}, 0, 30), Hex(0x000000, 0.5f), 5.0f);
    DrawOutlined(img, Box(c, {76, 30}, 0, 30),
                 Linear(c - Vec2{0, 30}, c + Vec2{0, 30}, on ? Hex(0xD07A34) : Hex(0x2E2838), on ? Hex(0x7A3A22) : Hex(0x18141E)),
                 ui::Ink(), 2.0f);
    Vec2 knob = c + Vec2{on ? 46.0f : -46.0f, 0};
    DrawOutlined(img, Circle(knob, 24), Radial(knob + Vec2{-6, -7}, 30, Hex(0xF8ECD8), Hex(0xA8988A)), ui::Ink(), 2.0f);
    ui::PutText(img, font, on ? "ON" : "OFF", 34, c + Vec2{on ? -26.0f : 24.0f, 1}, on ? Hex(0xFFF4E0) : ui::TextDim(), ui::Ink(), 1.5f);
    return img;
}
}

void MakeSettings(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage(Group, Sub, "Settings_Page", Page(f));
    kit.out.AddImage(Group, Sub, "Settings_Labels", Labels(f));
    Image gear(128, 128);
    icon::Gear(gear, {64, 64}, 110, ui::AmberHot());
    kit.out.AddImage(Group, Sub, "Settings_Icon", WithOutline(gear, 3.0f, ui::Ink()));
    kit.out.AddImage(Group, Sub, "Slider_Track", Track());
    kit.out.AddImage(Group, Sub, "Slider_Fill", Fill());
    kit.out.AddImage(Group, Sub, "Slider_Knob", Knob(false));
    kit.out.AddImage(Group, Sub, "Slider_Knob_Hover", Knob(true));
    kit.out.AddImage(Group, Sub, "Btn_Plus", ui::IconButton(f, 72, icon::Plus, Look::Normal));
    kit.out.AddImage(Group, Sub, "Btn_Plus_Hover", ui::IconButton(f, 72, icon::Plus, Look::Hover));
    kit.out.AddImage(Group, Sub, "Btn_Minus", ui::IconButton(f, 72, icon::Minus, Look::Normal));
    kit.out.AddImage(Group, Sub, "Btn_Minus_Hover", ui::IconButton(f, 72, icon::Minus, Look::Hover));
    kit.out.AddImage(Group, Sub, "Btn_Reset", ui::Button(f, 260, 80, "RESET", Look::Normal));
    kit.out.AddImage(Group, Sub, "Btn_Reset_Hover", ui::Button(f, 260, 80, "RESET", Look::Hover));
    kit.out.AddImage(Group, Sub, "Toggle_On", Toggle(f, true));
    kit.out.AddImage(Group, Sub, "Toggle_Off", Toggle(f, false));
    // Levels load it with the rest of the pause menu.
    kit.out.AddImage("Third_Load", "PauseMenu", "Settings_Sheet", Sheet(f));
}
}
