// Painted dusk scenes: the main menu and credits backdrops and the four cutscene stills, plus the
// cutscene's text box and skip button. Painted at 960 x 540, drawn at twice that size.
#include "Families.h"
#include "Filters.h"
#include "Paints.h"
#include "Rng.h"
#include "Scenery.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int W = 960, H = 540;
using namespace scenery;

Image MainMenuBackground()
{
    Image img(W, H);
    Sky(img, Hex(0x1C1430), Hex(0x6A2E4A), Hex(0xF08A44), 400);
    Stars(img, 160, 90, 11);
    Sun(img, {640, 372}, 70, Hex(0xFFD890), Hex(0xE0502E));
    Clouds(img, 210, 330, Hex(0x3A1E36, 0.8f), 0.45f, 12);
    Hills(img, 420, 60, 0.004f, Hex(0x3A2238), 13);
    House(img, 220, 440, 120, 110, Hex(0x24142A), true);
    Barn(img, 420, 450, 170, 150, Hex(0x24142A));
    Windmill(img, 560, 452, 150, Hex(0x24142A), 0.3f);
    Hills(img, 470, 40, 0.006f, Hex(0x1C1020), 14);
    Tree(img, 90, 480, 170, Hex(0x140A16), 15);
    Tree(img, 860, 490, 200, Hex(0x140A16), 16);
    Fence(img, 300, 760, 500, 26, Hex(0x140A16));
    Weathervane(img, {420, 288}, 70, Hex(0x24142A));
    SmokeColumn(img, {220, 340}, 250, 40, Hex(0x2A1A2A, 0.7f), 17);
    Ground(img, 500, Hex(0x0E0810));
    Fog(img, 420, 540, Hex(0x7A4A6A, 0.7f), 0.8f, 18);
    Finish(img, 0.55f, 19);
    return img;
}

Image CreditsBackground()
{
    Image img(W, H);
    Sky(img, Hex(0x0A0A1E), Hex(0x24204A), Hex(0x8A4A5A), 430);
    Stars(img, 330, 260, 21);
    Sun(img, {240, 460}, 46, Hex(0xF8C080), Hex(0xB0402E));
    Clouds(img, 240, 360, Hex(0x1E1A38, 0.7f), 0.4f, 22);
    Hills(img, 450, 50, 0.005f, Hex(0x1A1428), 23);
    TownHall(img, 700, 470, 200, 220, Hex(0x120E1C));
    House(img, 520, 470, 90, 90, Hex(0x120E1C), false);
    Window(img, {520, 448}, {6, 7}, Hex(0xFFC46A));
    for (int i = 0; i < 4; ++i)
        Soldier(img, 330.0f + i * 34, 500, 60, Hex(0x0A0810), true);
    Ground(img, 498, Hex(0x0A0810));
    Fog(img, 430, 540, Hex(0x4A3A5A, 0.7f), 0.7f, 24);
    Finish(img, 0.6f, 25);
    return img;
}

Image Outbreak()
{
    Image img(W, H);
    Sky(img, Hex(0x2A1220), Hex(0x8A2A2A), Hex(0xF0A050), 380);
    Sun(img, {480, 390}, 90, Hex(0xFFE0A0), Hex(0xE04028));
    Clouds(img, 120, 300, Hex(0x2A1020, 0.85f), 0.55f, 31);
    SmokeColumn(img, {300, 380}, 330, 60, Hex(0x1A0A14, 0.9f), 32);
    SmokeColumn(img, {700, 390}, 280, 50, Hex(0x1A0A14, 0.8f), 33);
    Hills(img, 420, 30, 0.008f, Hex(0x3A1A24), 34);
    for (int i = 0; i < 9; ++i)
    {
        float x = 60.0f + i * 105;
        House(img, x, 440, 80 + (i % 3) * 20, 80 + (i % 2) * 40, Hex(0x1E0C16), i % 3 == 1);
        if (i % 3 != 1)
            Window(img, {x - 10, 415}, {5, 6}, Hex(0xFFB050));
    }
    Fire(img, {300, 440}, 60, 80, 35);
    Fire(img, {700, 442}, 40, 60, 36);
    Ground(img, 440, Hex(0x12080E));
    Fog(img, 430, 540, Hex(0x6A2A2A, 0.5f), 0.6f, 37);
    for (int i = 0; i < 7; ++i)
        Zombie(img, 120.0f + i * 120 + (i % 2) * 30, 520.0f - (i % 3) * 14, 90.0f - (i % 3) * 12, Hex(0x080408), 0.6f, 40 + i);
    Finish(img, 0.6f, 38);
    return img;
}

Image FarmhouseScene()
{
    Image img(W, H);
    Sky(img, Hex(0x1E1838), Hex(0x5A3A6A), Hex(0xE89A5A), 390);
    Sun(img, {760, 380}, 55, Hex(0xFFE4A0), Hex(0xE06A36));
    Clouds(img, 160, 300, Hex(0x3A2A4A, 0.8f), 0.45f, 41);
    Hills(img, 410, 50, 0.004f, Hex(0x3A2A40), 42);
    Barn(img, 520, 450, 220, 190, Hex(0x1C1222));
    House(img, 320, 450, 160, 140, Hex(0x1C1222), false);
    Window(img, {300, 420}, {7, 9}, Hex(0xFFC060));
    Window(img, {345, 420}, {7, 9}, Hex(0xFFC060));
    Windmill(img, 720, 455, 180, Hex(0x1C1222), 1.1f);
    Fence(img, 40, 920, 480, 30, Hex(0x120A16));
    Ground(img, 470, Hex(0x100A12));
    Fog(img, 440, 540, Hex(0x5A4A6A, 0.6f), 0.7f, 43);
    for (int i = 0; i < 4; ++i)
        Soldier(img, 120.0f + i * 40, 520, 80, Hex(0x06040A), true);
    for (int i = 0; i < 5; ++i)
        Zombie(img, 700.0f + i * 45, 515.0f - (i % 2) * 10, 75, Hex(0x06040A), -0.5f, 50 + i);
    Finish(img, 0.55f, 44);
    return img;
}

Image WarehouseScene()
{
    Image img(W, H);
    Sky(img, Hex(0x141830), Hex(0x3A3A5A), Hex(0xD0804A), 380);
    Sun(img, {200, 370}, 50, Hex(0xFFD090), Hex(0xD0502A));
    Clouds(img, 150, 320, Hex(0x24243A, 0.85f), 0.5f, 51);
    Crane(img, 760, 430, 330, Hex(0x101222));
    Warehouse(img, 480, 440, 420, 170, Hex(0x161A2A));
    Warehouse(img, 150, 450, 220, 110, Hex(0x12141E));
    for (int i = 0; i < 6; ++i)
        Window(img, {330.0f + i * 60, 400}, {10, 5}, Hex(0xE8A050, 0.8f));
    Ground(img, 450, Hex(0x0C0C14));
    Fog(img, 420, 540, Hex(0x3A3A5A, 0.6f), 0.75f, 52);
    for (int i = 0; i < 3; ++i)
        Draw(img, Box({600.0f + i * 70, 470}, {28, 22}), Hex(0x0A0A10));
    for (int i = 0; i < 6; ++i)
        Zombie(img, 80.0f + i * 150, 530.0f - (i % 2) * 18, 85, Hex(0x05050A), 0.5f, 60 + i);
    Finish(img, 0.6f, 53);
    return img;
}

Image TownHallScene()
{
    Image img(W, H);
    Sky(img, Hex(0x0C0A1C), Hex(0x3A1E40), Hex(0xB0483A), 400);
    Stars(img, 200, 120, 61);
    Sun(img, {480, 430}, 60, Hex(0xF0A070), Hex(0xA02A2A));
    Clouds(img, 140, 320, Hex(0x1A1024, 0.85f), 0.5f, 62);
    TownHall(img, 480, 450, 360, 340, Hex(0x0E0A16));
    House(img, 150, 450, 140, 150, Hex(0x0E0A16), true);
    House(img, 820, 450, 150, 160, Hex(0x0E0A16), false);
    Fire(img, {150, 452}, 50, 70, 63);
    Window(img, {480, 290}, {14, 14}, Hex(0xFFD080));
    Ground(img, 450, Hex(0x08060C));
    Fog(img, 430, 540, Hex(0x5A2A3A, 0.55f), 0.7f, 64);
    for (int i = 0; i < 10; ++i)
        Zombie(img, 40.0f + i * 95, 530.0f - (i % 3) * 12, 70.0f + (i % 2) * 15, Hex(0x040308), i < 5 ? 0.5f : -0.5f, 70 + i);
    for (int i = 0; i < 4; ++i)
        Soldier(img, 430.0f + i * 34, 470, 56, Hex(0x040308), i % 2 == 0);
    Finish(img, 0.65f, 65);
    return img;
}
}

void MakeCutscenes(Kit& kit)
{
    Lettering& f = kit.display;
    kit.out.AddImage("First_Load", "MainMenu", "MainMenu_Background", MainMenuBackground());
    kit.out.AddImage("First_Load", "Credits", "Credits_Background", CreditsBackground());
    kit.out.AddImage("Second_Load", "Cutscenes", "Cutscene_Outbreak", Outbreak());
    kit.out.AddImage("Second_Load", "Cutscenes", "Cutscene_Farmhouse", FarmhouseScene());
    kit.out.AddImage("Second_Load", "Cutscenes", "Cutscene_Warehouse", WarehouseScene());
    kit.out.AddImage("Second_Load", "Cutscenes", "Cutscene_TownHall", TownHallScene());
    Image box(1400, 240);
    ui::DrawPanel(box, {697, 116}, {684, 104}, 14, ui::Amber());
    box.ScaleAlpha(0.92f);
    kit.out.AddImage("Second_Load", "Cutscenes", "Cutscene_TextBox", box);
    kit.out.AddImage("Second_Load", "Cutscenes", "Btn_Skip", ui::Button(f, 220, 72, "SKIP", ui::Look::Normal));
    kit.out.AddImage("Second_Load", "Cutscenes", "Btn_Skip_Hover", ui::Button(f, 220, 72, "SKIP", ui::Look::Hover));
}
}
