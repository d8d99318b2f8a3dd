// Tutorial panels, one per step (tutorial 1: steps 1 to 10, tutorial 2: steps 11 to 14), and the
// skip button.
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "Paints.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cstdio>
#include <string>
#include <vector>

namespace assetgen
{
namespace
{
const char* Group = "Third_Load";
const char* Sub = "Tutorial";

struct Step
{
    int number;
    std::string keys;   // key caps shown at the left, space-separated; "LMB"/"RMB" show the mouse
    std::vector<std::string> lines;
};

void Cap(Image& img, Lettering& font, const std::string& key, Vec2 c)
{
    if (key == "LMB" || key == "RMB")
    {
        Image layer(80, 80);
        icon::Mouse(layer, {40, 40}, 64, ui::Text(), key == "LMB" ? 1 : 2);
        img.Composite(WithOutline(layer, 2.0f, ui::Ink()), static_cast<int>(c.x) - 40, static_cast<int>(c.y) - 40);
        return;
    }
    float w = std::max(50.0f, font.Measure(key, 30) + 26.0f);
    Draw(img, Box(c + Vec2{1, 3}, {w * 0.5f, 25}, 0, 8), Hex(0x000000, 0.5f), 3.0f);
    DrawOutlined(img, Box(c, {w * 0.5f, 25}, 0, 8), Linear(c - Vec2{0, 25}, c + Vec2{0, 25}, Hex(0xF0E6D6), Hex(0xA89C8E)),
                 ui::Ink(), 2.0f);
    ui::PutText(img, font, key, 30, c, ui::Ink());
}

Image Panel(Lettering& font, const Step& s, int tutorial)
{
    const int W = 860, H = 200;
    Image img = ui::Panel(W, H, 16);
    char tag[32];
    std::snprintf(tag, sizeof tag, "TUTORIAL %d  -  STEP %d", tutorial, s.number);
    ui::PutText(img, font, tag, 26, {W * 0.5f - 3, 34}, ui::AmberHot(), ui::Ink(), 1.5f);
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < s.keys.size())
    {
        size_t end = s.keys.find(' ', start);
        if (end == std::string::npos)
            end = s.keys.size();
        keys.push_back(s.keys.substr(start, end - start));
        start = end + 1;
    }
    float x = 70;
    for (const std::string& k : keys)
    {
        Cap(img, font, k, {x, 112});
        x += 70;
    }
    float textX = keys.empty() ? 50.0f : 50.0f + 70.0f * keys.size();
    float top = s.lines.size() == 1 ? 90.0f : 66.0f;
    ui::PutLines(img, font, s.lines, 40, {textX, top}, ui::Text(), Align::Left);
    return img;
}
}

void MakeTutorial(Kit& kit)
{
    Lettering& f = kit.display;
    const std::vector<Step> first{
        {1, "LMB", {"HOLD THE LEFT BUTTON AND DRAG A BOX", "OVER YOUR SOLDIERS TO SELECT THEM"}},
        {2, "1 2 3 4", {"PRESS A NUMBER TO PICK ONE SOLDIER,", "OR 5 FOR THE WHOLE SQUAD"}},
        {3, "RMB", {"RIGHT CLICK INSIDE THE MARKED CIRCLE", "TO MOVE THERE"}},
        {4, "", {"WINDOWS LET YOU SEE OUT - AND LET THEM SEE IN.", "KEEP AN EYE ON THE GLASS"}},
        {5, "RMB", {"HOLD THE RIGHT BUTTON AND DRAG", "TO TURN THE SQUAD TO FACE A WAY"}},
        {6, "", {"WALK A SOLDIER UP TO THE DOOR", "TO GET READY TO BREACH IT"}},
        {7, "F", {"PRESS F, OR CLICK THE DOOR'S BUTTON,", "TO KICK THE DOOR IN"}},
        {8, "", {"SUPPLIES ARE MARKED: AMMO, HEALTH,", "GRENADES AND MOLOTOVS. WALK OVER THEM"}},
        {9, "E", {"YOU ARE HURT.", "PRESS E TO USE A HEALTH PACK"}},
        {10, "R", {"PRESS R TO RELOAD", "BEFORE THE CLIP RUNS DRY"}},
    };
    const std::vector<Step> second{
        {11, "", {"A CROWD AHEAD. GRENADES AND MOLOTOVS", "CLEAR THEM OUT"}},
        {12, "Q W", {"PRESS Q TO AIM A GRENADE,", "OR W TO AIM A MOLOTOV"}},
        {13, "", {"MOVE THE MOUSE TO AIM.", "THROWS BOUNCE OFF WALLS AND DOORS"}},
        {14, "LMB RMB", {"LEFT CLICK TO THROW,", "RIGHT CLICK TO PUT IT AWAY"}},
    };
    char key[32];
    for (const Step& s : first)
    {
        std::snprintf(key, sizeof key, "Tut1_Step%02d", s.number);
        kit.out.AddImage(Group, Sub, key, Panel(f, s, 1));
    }
    for (const Step& s : second)
    {
        std::snprintf(key, sizeof key, "Tut2_Step%02d", s.number);
        kit.out.AddImage(Group, Sub, key, Panel(f, s, 2));
    }
    kit.out.AddImage(Group, Sub, "Btn_SkipTutorial", ui::Button(f, 300, 76, "SKIP TUTORIAL", ui::Look::Normal));
    kit.out.AddImage(Group, Sub, "Btn_SkipTutorial_Hover", ui::Button(f, 300, 76, "SKIP TUTORIAL", ui::Look::Hover));
}
}
