// Menu pictures: the main menu's title and buttons, confirmations, how-to-play pages, credits,
// the pause menu and the win and lose pop-ups.
#include "CharacterParts.h"
#include "Families.h"
#include "Filters.h"
#include "IconArt.h"
#include "ItemArt.h"
#include "Paints.h"
#include "Shapes.h"
#include "UiKit.h"

#include <string>
#include <vector>

namespace assetgen
{
namespace
{
using ui::Look;

void AddButtonPair(Kit& kit, const char* group, const char* sub, const std::string& key, int w, int h,
                   const std::string& label)
{
    kit.out.AddImage(group, sub, key, ui::Button(kit.display, w, h, label, Look::Normal));
    kit.out.AddImage(group, sub, key + "_Hover", ui::Button(kit.display, w, h, label, Look::Hover));
}

Image Confirmation(Lettering& font, const std::string& title, const std::vector<std::string>& body)
{
    Image img = ui::Panel(760, 340);
    ui::PutText(img, font, title, 64, {377, 90}, ui::Text(), ui::Ink(), 3.0f, 3.0f);
    Draw(img, Box({377, 132}, {250, 1.5f}), ui::Amber());
    ui::PutLines(img, font, body, 34, {377, 156}, Hex(0xD8C8B8), Align::Centre);
    return img;
}

// Key cap picture used inside pages.
void KeyCap(Image& img, Lettering& font, const std::string& key, Vec2 c, float h)
{
    float w = std::max(h, font.Measure(key, static_cast<int>(h * 0.55f)) + h * 0.5f);
    Draw(img, Box(c + Vec2{1, 3}, {w * 0.5f, h * 0.5f}, 0, h * 0.18f), Hex(0x000000, 0.5f), 3.0f);
    DrawOutlined(img, Box(c, {w * 0.5f, h * 0.5f}, 0, h * 0.18f),
                 Linear(c - Vec2{0, h * 0.5f}, c + Vec2{0, h * 0.5f}, Hex(0xF0E6D6), Hex(0xA89C8E)), ui::Ink(), 2.0f);
    ui::PutText(img, font, key, static_cast<int>(h * 0.55f), c, ui::Ink());
}

struct Row
{
    std::string key;   // key cap text, or "" for an icon
    ui::IconFn icon;
    std::string text;
};

Image Page(Lettering& font, const std::string& title, int number, const std::vector<Row>& rows)
{
    const int W = 1040, H = 640;
    Image img = ui::Panel(W, H);
    ui::PutText(img, font, title, 70, {W * 0.5f - 3, 70}, ui::Text(), ui::Ink(), 3.0f, 3.0f);
    Draw(img, Box({W * 0.5f - 3, 112}, {360, 1.5f}), ui::Amber());
    float y = 170;
    for (const Row& r : rows)
    {
        if (!r.key.empty())
            KeyCap(img, font, r.key, {150, y}, 54);
        else if (r.icon)
        {
            Image layer(96, 96);
            r.icon(layer, {48, 48}, 64, ui::Text());
            img.Composite(WithOutline(layer, 2.0f, ui::Ink()), 150 - 48, static_cast<int>(y) - 48);
        }
        ui::PutLines(img, font, {r.text}, 38, {250, y - 24}, Hex(0xE8DCC8), Align::Left);
        y += 84;
    }
    ui::PutText(img, font, std::to_string(number) + " / 4", 30, {W * 0.5f - 3, H - 48.0f}, ui::TextDim());
    return img;
}

ui::IconFn Item(void (*draw)(Image&, Vec2, float, float))
{
    return [draw](Image& l, Vec2 c, float s, Color) { draw(l, c, s * 1.1f, 0.0f); };
}

Image Credits(Lettering& font)
{
    const int W = 900, H = 1500;
    Image img(W, H);
    struct Block
    {
        std::string heading;
        std::vector<std::string> lines;
    };
    const std::vector<Block> blocks{
        {"DUSKVANE", {"A SQUAD AGAINST THE DARK"}},
        {"DESIGN AND CODE", {"THE DUSKVANE TEAM"}},
        {"ENGINE", {"A SMALL ENTITY-COMPONENT ENGINE OF ITS OWN", "OPENGL, GLFW, FREETYPE, RAPIDJSON, DEAR IMGUI, SDL2"}},
        {"ART AND SOUND", {"DRAWN AND SYNTHESISED BY ASSETGEN", "STB IMAGE WRITE, STB PERLIN, LIBSNDFILE"}},
        {"LETTERING", {"BEBAS NEUE BY DHARMA TYPE", "DEJAVU FONTS"}},
        {"THANK YOU FOR PLAYING", {"HOLD THE LINE UNTIL DARK"}},
    };
    float y = 80;
    for (const Block& b : blocks)
    {
        ui::PutText(img, font, b.heading, b.heading == "DUSKVANE" ? 140 : 64, {W * 0.5f, y + 40}, ui::AmberHot(), ui::Ink(),
                    3.0f, 3.0f);
        y += b.heading == "DUSKVANE" ? 150 : 90;
        ui::PutLines(img, font, b.lines, 40, {W * 0.5f, y}, ui::Text(), Align::Centre);
        y += 52.0f * b.lines.size() + 110;
    }
    return img;
}

Image EndPopup(Lettering& font, bool win)
{
    const int W = 900, H = 520;
    Image img = ui::Panel(W, H, 22, win ? ui::AmberHot() : ui::Danger());
    Image emblem(200, 200);
    if (win)
        icon::Flag(emblem, {100, 100}, 150, ui::AmberHot());
    else
        icon::Skull(emblem, {100, 100}, 150, Hex(0xE8D8C8));
    img.Composite(WithOutline(emblem, 3.0f, ui::Ink()), W / 2 - 103, 50);
    ui::PutText(img, font, win ? "AREA SECURED" : "SQUAD LOST", 110, {W * 0.5f - 3, 300},
                win ? ui::Text() : Hex(0xF0C8B8), ui::Ink(), 4.0f, 4.0f);
    ui::PutText(img, font, win ? "THE DEAD FALL BACK, FOR NOW" : "THE DARK TAKES ANOTHER TOWN", 40,
                {W * 0.5f - 3, 380}, win ? ui::AmberHot() : ui::Danger(), ui::Ink(), 2.0f, 2.0f);
    return img;
}
}

void MakeMenus(Kit& kit)
{
    Lettering& f = kit.display;
    const char* G1 = "First_Load";
    kit.out.AddImage(G1, "MainMenu", "MainMenu_Title", ui::TextPicture(f, "DUSKVANE", 200, ui::Text(), ui::Ink(), 6.0f));
    const std::pair<const char*, const char*> mainButtons[] = {{"MM_Continue", "CONTINUE"}, {"MM_NewGame", "NEW GAME"},
                                                               {"MM_HowToPlay", "HOW TO PLAY"}, {"MM_Settings", "SETTINGS"},
                                                               {"MM_Credits", "CREDITS"}, {"MM_Quit", "QUIT"}};
    for (const auto& [key, label] : mainButtons)
        AddButtonPair(kit, G1, "MainMenu", key, 440, 92, label);

    kit.out.AddImage(G1, "Confirm", "Confirm_Quit", Confirmation(f, "QUIT THE GAME?", {"YOUR PROGRESS IS SAVED."}));
    kit.out.AddImage(G1, "Confirm", "Confirm_Menu",
                     Confirmation(f, "BACK TO THE MAIN MENU?", {"THIS LEVEL'S PROGRESS WILL BE LOST."}));
    kit.out.AddImage(G1, "Confirm", "Confirm_Restart", Confirmation(f, "RESTART THIS LEVEL?", {"THE SQUAD STARTS OVER."}));
    kit.out.AddImage(G1, "Confirm", "Confirm_NewGame",
                     Confirmation(f, "START A NEW GAME?", {"LEVELS, CUTSCENES AND TUTORIALS", "START OVER."}));
    AddButtonPair(kit, G1, "Confirm", "Btn_Yes", 220, 80, "YES");
    AddButtonPair(kit, G1, "Confirm", "Btn_No", 220, 80, "NO");
    AddButtonPair(kit, G1, "Confirm", "Btn_Back", 240, 80, "BACK");

    const char* G3 = "Third_Load";
    Image overlay(64, 64, Hex(0x0A0612, 0.7f));
    kit.out.AddImage(G3, "PauseMenu", "Pause_Overlay", overlay);
    Image menu = ui::Panel(560, 760);
    ui::PutText(menu, f, "PAUSED", 96, {277, 86}, ui::Text(), ui::Ink(), 4.0f, 4.0f);
    Draw(menu, Box({277, 140}, {170, 1.5f}), ui::Amber());
    kit.out.AddImage(G3, "PauseMenu", "Pause_Menu", menu);
    const std::pair<const char*, const char*> pauseButtons[] = {{"Btn_Resume", "RESUME"},     {"Btn_Restart", "RESTART"},
                                                                {"Btn_HowToPlay", "HOW TO PLAY"}, {"Btn_Settings", "SETTINGS"},
                                                                {"Btn_MainMenu", "MAIN MENU"}, {"Btn_Quit", "QUIT"}};
    for (const auto& [key, label] : pauseButtons)
        AddButtonPair(kit, G3, "PauseMenu", key, 380, 80, label);

    kit.out.AddImage(G3, "Popups", "Popup_Win", EndPopup(f, true));
    kit.out.AddImage(G3, "Popups", "Popup_Lose", EndPopup(f, false));
    AddButtonPair(kit, G3, "Popups", "Btn_Continue", 320, 84, "CONTINUE");
    AddButtonPair(kit, G3, "Popups", "Btn_PlayAgain", 320, 84, "PLAY AGAIN");
}

void MakePages(Kit& kit)
{
    Lettering& f = kit.display;
    const char* G1 = "First_Load";
    const char* HTP = "HowToPlay";
    kit.out.AddImage(G1, HTP, "HTP_Page1",
                     Page(f, "COMMAND YOUR SQUAD", 1,
                          {{"", [](Image& l, Vec2 c, float s, Color k) { icon::Mouse(l, c, s, k, 1); }, "DRAG THE LEFT BUTTON TO SELECT SOLDIERS"},
                           {"1-4", nullptr, "SELECT ONE SOLDIER,  5 SELECTS ALL"},
                           {"", [](Image& l, Vec2 c, float s, Color k) { icon::Mouse(l, c, s, k, 2); }, "RIGHT CLICK TO MOVE, RIGHT DRAG TO FACE"},
                           {"T", nullptr, "CENTRE THE CAMERA ON THE SELECTION"},
                           {"S", nullptr, "STOP WHERE YOU STAND"}}));
    kit.out.AddImage(G1, HTP, "HTP_Page2",
                     Page(f, "FIGHT", 2,
                          {{"", icon::ZombieHead, "SOLDIERS FIRE ON ZOMBIES THEY CAN SEE"},
                           {"R", nullptr, "RELOAD BEFORE THE CLIP RUNS DRY"},
                           {"E", nullptr, "USE A HEALTH PACK"},
                           {"", Item(DrawAmmoBox), "WALK OVER SUPPLIES TO PICK THEM UP"},
                           {"ESC", nullptr, "PAUSE"}}));
    kit.out.AddImage(G1, HTP, "HTP_Page3",
                     Page(f, "THROW AND BREACH", 3,
                          {{"Q", nullptr, "AIM A GRENADE"},
                           {"W", nullptr, "AIM A MOLOTOV"},
                           {"", [](Image& l, Vec2 c, float s, Color k) { icon::Mouse(l, c, s, k, 1); }, "LEFT CLICK THROWS, RIGHT CLICK CANCELS"},
                           {"F", nullptr, "BREACH A DOOR YOU STAND BY"},
                           {"", icon::Breach, "THROWS BOUNCE OFF WALLS AND DOORS"}}));
    kit.out.AddImage(G1, HTP, "HTP_Page4",
                     Page(f, "KNOW THE DEAD", 4,
                          {{"", icon::ZombieHead, "WALKERS: SLOW, MANY, ALWAYS HUNGRY"},
                           {"", icon::Exclamation, "CHARGERS RUN YOU DOWN - SHOOT THEM BEFORE THEY CLOSE"},
                           {"", icon::Skull, "SPITTERS LOB ACID - MOVE OUT OF THE PUDDLES"},
                           {"", icon::Flag, "KILL THEM ALL OR REACH THE WAY OUT"}}));
    kit.out.AddImage(G1, HTP, "HTP_Next", ui::IconButton(f, 96, icon::ArrowRight, Look::Normal));
    kit.out.AddImage(G1, HTP, "HTP_Next_Hover", ui::IconButton(f, 96, icon::ArrowRight, Look::Hover));
    kit.out.AddImage(G1, HTP, "HTP_Prev", ui::IconButton(f, 96, icon::ArrowLeft, Look::Normal));
    kit.out.AddImage(G1, HTP, "HTP_Prev_Hover", ui::IconButton(f, 96, icon::ArrowLeft, Look::Hover));

    kit.out.AddImage(G1, "Credits", "Credits_Title", ui::TextPicture(f, "CREDITS", 130, ui::Text(), ui::Ink(), 5.0f));
    kit.out.AddImage(G1, "Credits", "Credits_Roll", Credits(f));

}
}
