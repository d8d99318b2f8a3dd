#include "Catalogue.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

namespace assetgen
{
namespace
{
std::string Upper(const std::string& s)
{
    std::string u = s;
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

std::string FileName(const AssetRecord& r) { return r.path.substr(r.path.rfind('/') + 1); }

std::string Format(const char* pattern, double a, double b = 0, double c = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

const std::map<std::string, std::string>& TagNotes()
{
    static const std::map<std::string, std::string> notes{
        {"Soldier1", "soldier 1, blue, rifle (M4A1)"},
        {"Soldier2", "soldier 2, red, long rifle (Barrett)"},
        {"Soldier3", "soldier 3, amber, rifle (AK_47)"},
        {"Soldier4", "soldier 4, violet, pistol (Glock / USP_S)"},
        {"Zombie", "plain zombie; walks with Idle, attacks with Shooting"},
        {"Charger", "charging zombie: Aim = stalking (hold), Shooting = charge, Block, Melee"},
        {"Spitter", "spitting zombie: Shooting = spit wind-up (hold), Explosion = bursting (hold)"},
        {"ONESHOT", "one-shot effects for SpawnOneShot; they end after their last frame"},
        {"Area_Fire", "burning area; the flames fill 0.72 of the half size (renderer scale = range x 1.39)"},
        {"Area_Acid", "acid area and spit puddle; same proportions as Area_Fire"},
        {"Pickup_Ammo", "ammo pickup (PICKUP, AMMO)"},
        {"Pickup_Health", "health pack pickup (PICKUP, HEALTH)"},
        {"Pickup_Grenade", "grenade pickup (PICKUP, GRENADE)"},
        {"Pickup_Molotov", "molotov pickup (PICKUP, MOLOTOV)"},
        {"Projectile_Grenade", "thrown grenade"},
        {"Projectile_Molotov", "thrown molotov"},
        {"Projectile_Spit", "spitter's projectile"},
        {"Target_Barrel", "destructible explosive barrel"},
        {"Target_GasTank", "destructible gas tank"},
        {"Target_Crate", "destructible crate"},
    };
    return notes;
}

const std::vector<std::pair<std::string, std::string>>& UseNotes()
{
    static const std::vector<std::pair<std::string, std::string>> notes{
        {"Cursor", "Cursor"},
        {"ScreenLeftDoor, ScreenRightDoor", "Transition_DoorLeft, Transition_DoorRight (each covers half the view)"},
        {"logo screen", "Logo_Duskvane; window icons dvico, dvico2"},
        {"main menu", "MainMenu_Background, MainMenu_Title, MM_* buttons with _Hover, Confirm_* with Btn_Yes, Btn_No"},
        {"how to play", "HTP_Page1 to HTP_Page4, HTP_Next, HTP_Prev, Btn_Back"},
        {"settings", "Settings_Page, Settings_Labels (SoundSetting), Settings_Icon, Slider_Track, Slider_Fill "
                     "(Fillbar*), Slider_Knob (SliderButton*), Btn_Plus, Btn_Minus, Btn_Reset, Toggle_On/Toggle_Off "
                     "(FullscreenButton, MuteButton)"},
        {"credits", "Credits_Background, Credits_Title, Credits_Roll"},
        {"level select", "LevelSelect_Background, LevelSelect_Title, LS_<Level> with _Hover and _Locked "
                         "(<Level>_Button, <Level>_Locked), Pointer_Arrow"},
        {"cutscenes", "Cutscene_Outbreak (Cutscene.json), Cutscene_Farmhouse, Cutscene_Warehouse, Cutscene_TownHall "
                      "(CutsceneLevel1 to 3), Cutscene_TextBox, Btn_Skip"},
        {"SelectionMarker, SelectionMovement", "Marker_Selection, Marker_Move"},
        {"Dir_ArrowBody, Dir_ArrowHead", "Dir_ArrowBody (stretched along x), Dir_ArrowHead"},
        {"Throw_Trajectory, AOE_Indicator, Fire_AOE_Indicator", "the textures of the same names (Fire_AOE_Indicator "
                                                                "rings the area with the inner half of its image)"},
        {"selectionArea", "Selection_Area"},
        {"Danger_Icon, Plus_Icon, Bullet_Line, Circle_Indicator", "the textures of the same names"},
        {"Door_Button", "Door_Button, Door_Button_Hover"},
        {"Charger_Block", "Charger_Shield"},
        {"Grenade, Molotov, Spit_Projectile", "tags Projectile_Grenade, Projectile_Molotov, Projectile_Spit"},
        {"Ammo_Drop, Health_Pack, Grenade_Pickup, Molotov_Pickup", "tags Pickup_Ammo, Pickup_Health, Pickup_Grenade, "
                                                                  "Pickup_Molotov"},
        {"Spit_Puddle, SpitterExplosion and burning areas", "tags Area_Acid and Area_Fire"},
        {"OneshotExplosion, OneshotEnemyDamage, OneshotEnemyDeath, OneshotSparks", "tag ONESHOT"},
        {"Barrel, GasTank, Crate", "tags Target_Barrel, Target_GasTank, Target_Crate"},
        {"Explosion_AOE, Fire_AOE", "tag ONESHOT (clip Explosion, held on its last frame), tag Area_Fire"},
        {"Grenade, Molotov, the areas and the targets before they first draw animated",
         "Icon_Grenade, Icon_Molotov, Decal_Scorch, Prop_OilDrum, Prop_CrateStack"},
        {"pSmoke, FogEdge, FogEdgeV", "Smoke_Puff, Fog_Edge, Fog_EdgeV"},
        {"HUD_Bar, Player_HUD, Selected_Unit_HUD, HealthBar", "HUD_Bar, Player_HUD, Selected_Unit_HUD, HealthBar_Back "
                                                              "with HealthBar_Fill"},
        {"Player<n>_DP, Player<n>_Death, P<n>_Icon, Icon_Marker", "Portrait_P<n>, Portrait_Dead, P<n>_Icon, Icon_Marker"},
        {"stat texts", "Icon_Clip, Icon_Ammo, Icon_HealthPack, Icon_Grenade, Icon_Molotov beside the numbers"},
        {"ZombieCounter, Objective_KillAll", "Zombie_Counter, Objective_KillAll (Objective_Escape for Escape levels)"},
        {"HUD buttons", "Btn_Reload, Btn_Heal, Btn_Grenade, Btn_Molotov, Btn_Breach, Btn_Stop, Btn_CenterCam, each "
                        "with _Hover and _Off (unavailable); Pause_Button; key caps Key_*"},
        {"pause menu", "Pause_Overlay, Pause_Menu, Btn_Resume, Btn_Restart, Btn_HowToPlay, Btn_Settings, Btn_MainMenu, "
                       "Btn_Quit"},
        {"WinPopup, LosePopup", "Popup_Win, Popup_Lose with Btn_Continue, Btn_PlayAgain; FadeIn_Overlay: Fade_Overlay"},
        {"AHouse_Title, Farmhouse_Title, Warehouse_Title", "Title_AbandonedHouse, Title_Farmhouse, Title_Warehouse"},
        {"Letterbox_Top, Letterbox_Bottom, Vignette", "Letterbox, Vignette"},
        {"Lvl1Tutorial_*, Lvl2Tutorial_*, SkipTutorial_Button", "Tut1_Step01 to Tut1_Step10, Tut2_Step11 to "
                                                                "Tut2_Step14, Btn_SkipTutorial"},
    };
    return notes;
}
}

bool ScanNameLess(const std::string& a, const std::string& b)
{
    std::string ua = Upper(a), ub = Upper(b);
    if (ua != ub)
        return ua < ub;
    return a < b;
}

std::vector<const AssetRecord*> ImagesInScanOrder(const std::vector<AssetRecord>& records)
{
    std::vector<const AssetRecord*> images, editor;
    for (const AssetRecord& r : records)
    {
        if (r.kind == AssetKind::Image)
            images.push_back(&r);
        if (r.kind == AssetKind::EditorImage)
            editor.push_back(&r);
    }
    auto less = [](const AssetRecord* a, const AssetRecord* b) {
        if (a->group != b->group)
            return ScanNameLess(a->group, b->group);
        if (a->subgroup != b->subgroup)
            return ScanNameLess(a->subgroup, b->subgroup);
        return ScanNameLess(FileName(*a), FileName(*b));
    };
    std::sort(images.begin(), images.end(), less);
    std::sort(editor.begin(), editor.end(), less);
    images.insert(images.end(), editor.begin(), editor.end());
    return images;
}

std::vector<const AssetRecord*> SoundsInScanOrder(const std::vector<AssetRecord>& records)
{
    std::vector<const AssetRecord*> sounds;
    for (const AssetRecord& r : records)
        if (r.kind == AssetKind::Sound)
            sounds.push_back(&r);
    std::sort(sounds.begin(), sounds.end(), [](const AssetRecord* a, const AssetRecord* b) {
        if (a->group != b->group)
            return ScanNameLess(a->group, b->group);
        return ScanNameLess(FileName(*a), FileName(*b));
    });
    return sounds;
}

int ImageStage(size_t index) { return index < 92 ? 1 : (index < 206 ? 2 : 3); }

int SoundStage(size_t index) { return index < 10 ? 1 : 2; }

std::string CatalogueText(const std::vector<AssetRecord>& records)
{
    std::string t;
    t += "# Asset catalogue\n\n";
    t += "Written by `assetgen --catalogue` from the generator itself; refresh it after changing the\n"
         "generator (the tools test compares it with a fresh run). Everything listed here is generated at\n"
         "build time into `build/Resources` (and `build/Editor_Resources`); a picture of every sprite is\n"
         "`build/assetgen_contact_sheet.png`.\n\n";
    t += "Conventions:\n\n"
         "- Texture keys are the image file names without `.png`; sound ids are the file names without\n"
         "  `.wav`; spritesheets are keyed by (tag, state), their folder names.\n"
         "- Stage is the resource stage that loads the file (images: the first 92 in scan order, then the\n"
         "  next 114, then the rest; sounds: the first 10, then the rest). Spritesheets load in stage 3.\n"
         "- Characters, thrown things and pickups face +x (to the right) at rotation 0; light comes from\n"
         "  the upper left. An animated entity carries its animation tag among its Identifier tags.\n"
         "- Spritesheets hold their frames in one row, in playing order, from the sheet's left edge;\n"
         "  layout.json gives each frame's rectangle (y counted from the top of the image, always 0 here)\n"
         "  and format.json the frame delay and the sheet's size.\n"
         "- Death clips are seamless loops (the body lies still), so they look right held or repeated.\n"
         "- Loop sounds (`_true_`) repeat without a click; effects start and end at silence.\n\n";

    t += "## Textures\n\n| key | size | folder | stage |\n|---|---|---|---|\n";
    std::vector<const AssetRecord*> images = ImagesInScanOrder(records);
    for (size_t i = 0; i < images.size(); ++i)
    {
        const AssetRecord& r = *images[i];
        std::string folder = r.kind == AssetKind::EditorImage ? "Editor_Resources" : r.group + "/" + r.subgroup;
        t += "| " + r.key + " | " + std::to_string(r.width) + "x" + std::to_string(r.height) + " | " + folder +
             " | " + (r.kind == AssetKind::EditorImage ? std::string("3") : std::to_string(ImageStage(i))) + " |\n";
    }

    t += "\n## Spritesheets\n\n| tag | state | frames | frame size | frame delay (s) |\n|---|---|---|---|---|\n";
    std::vector<const AssetRecord*> sheets;
    for (const AssetRecord& r : records)
        if (r.kind == AssetKind::Sheet)
            sheets.push_back(&r);
    std::stable_sort(sheets.begin(), sheets.end(), [](const AssetRecord* a, const AssetRecord* b) {
        return a->group != b->group ? a->group < b->group : a->subgroup < b->subgroup;
    });
    for (const AssetRecord* r : sheets)
        t += "| " + r->group + " | " + r->subgroup + " | " + std::to_string(r->frames) + " | " +
             std::to_string(r->width) + "x" + std::to_string(r->height) + " | " +
             Format("%.3g", r->frameDelay) + " |\n";
    t += "\nTags:\n\n";
    for (const auto& [tag, note] : TagNotes())
        t += "- " + tag + ": " + note + "\n";

    t += "\n## Where the pictures go\n\nThe prefab and entity names the game's code asks for, with the art made for them:\n\n";
    for (const auto& [use, art] : UseNotes())
        t += "- " + use + ": " + art + "\n";

    t += "\n## Sounds\n\n| id | seconds | channels | stage |\n|---|---|---|---|\n";
    std::vector<const AssetRecord*> sounds = SoundsInScanOrder(records);
    for (size_t i = 0; i < sounds.size(); ++i)
        t += "| " + sounds[i]->key + " | " + Format("%.2f", sounds[i]->seconds) + " | " +
             std::to_string(sounds[i]->channels) + " | " + std::to_string(SoundStage(i)) + " |\n";

    t += "\n## Fonts\n\n";
    for (const AssetRecord& r : records)
        if (r.kind == AssetKind::Font)
            t += "- " + r.key + " (`" + r.path + "`)\n";
    return t;
}
}
