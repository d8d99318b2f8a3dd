#include "support/content/HUDContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/core/CommaList.h"
#include "engine/core/Json.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <set>
#include <string>
#include <vector>

namespace
{
const char* const Spawner = "the HUD";
constexpr int MostSoldiers = 4;

// Elements that stay hidden until a button or the level rules show them.
const std::vector<std::string>& HiddenElements()
{
    static const std::vector<std::string> names = {
        "Pause_Overlay", "Pause_Menu", "Resume_Game_Button", "Restart_Game_Button", "PHTP_Button",
        "Back_Main_Menu_Button", "Quit_Game_Button", "Quit_No_Button", "Quit_to_Menu_Yes_Button",
        "Quit_to_Menu_Confirmation", "Quit_Yes_Button", "Quit_Confirmation", "Restart_Yes_Button",
        "Restart_Confirmation", "WinPopup", "Win_Continue", "Win_Playagain", "LosePopup", "Lose_Continue",
        "Lose_Playagain", "Settings_Button", "Settings_Back_Button", "SettingsIcon", "SoundSetting", "ResetButton",
        "FullscreenButton", "MuteButton", "SliderButtonMusic", "SliderButtonSFX", "SliderButtonMaster",
        "SliderButtonCameraSensitivity", "FillbarMusic", "FillbarSFX", "FillbarMaster", "FillbarCameraSensitivity",
        "PlusButtonMaster", "PlusButtonMusic", "PlusButtonSFX", "PlusButtonCameraSensitivity", "MinusButtonMaster",
        "MinusButtonMusic", "MinusButtonSFX", "MinusButtonCameraSensitivity", "FadeIn_Overlay"};
    return names;
}

const std::vector<std::string>& OtherElements()
{
    static const std::vector<std::string> names = {
        "ZombieCounter", "Zombies_Remaining", "Objective_KillAll", "Vignette", "HUD_Bar", "Selected_Unit_HUD",
        "Player_HUD", "Pause_Button", "AHouse_Title", "Farmhouse_Title", "Warehouse_Title", "Letterbox_Top",
        "Letterbox_Bottom"};
    return names;
}

const char* const StatTexts[] = {"Player_AmmoClip", "Player_AmmoTotal", "Player_HealthPacks", "Player_Grenades",
                                 "Player_Molotovs"};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool ScannedName(const std::string& name)
{
    return (name != "PHTP_Button" && name.find("HTP") != std::string::npos) ||
           name.find("HUD_Key") != std::string::npos;
}

// Every name the HUD gives its elements in a level.
std::set<std::string> HudNames(const ContentData& data)
{
    std::set<std::string> names(HiddenElements().begin(), HiddenElements().end());
    names.insert(OtherElements().begin(), OtherElements().end());
    names.insert({"PopUpText", "HealthBar", "Icon_Marker"});
    names.insert(std::begin(StatTexts), std::end(StatTexts));
    for (int n = 1; n <= MostSoldiers; ++n)
    {
        const std::string number = std::to_string(n);
        names.insert({"Player" + number + "_DP", "Player" + number + "_Death", "P" + number + "_Icon"});
    }
    if (const DataFile* prefabs = data.PrefabFile())
        for (const DataEntity& prefab : prefabs->entities)
            if (ScannedName(prefab.name))
                names.insert(prefab.name);
    return names;
}

bool StartsShown(const DataEntity& prefab, bool& known)
{
    known = true;
    if (const auto image = prefab.Behaviour<bImageBehaviour>())
        return image->OnInitialScreen;
    if (const auto button = prefab.Behaviour<bUIButtonBehaviour>())
        return button->OnInitialScreen;
    if (const auto text = prefab.Behaviour<bFontBehaviour>())
        return text->OnInitialScreen;
    known = false;
    return true;
}

void StartHiddenRule(ContentReport& report)
{
    std::vector<std::string> names = HiddenElements();
    if (const DataFile* prefabs = report.Data().PrefabFile())
        for (const DataEntity& prefab : prefabs->entities)
            if (prefab.name != "PHTP_Button" && prefab.name.find("HTP") != std::string::npos)
                names.push_back(prefab.name);
    for (const std::string& name : names)
    {
        const DataEntity* prefab = report.Data().FindPrefab(name);
        if (prefab == nullptr)
            continue;
        bool known = false;
        if (StartsShown(*prefab, known))
            report.Fault(*prefab, known ? "starts shown (\"OnInitialScreen\"), but the HUD never hides it: it would "
                                          "stand over the level from its first frame"
                                        : "has no screen-element behaviour to keep it hidden until it is shown");
    }
}

void LinkedNamesRule(ContentReport& report)
{
    const std::set<std::string> hud = HudNames(report.Data());
    for (const std::string& name : hud)
    {
        const DataEntity* prefab = report.Data().FindPrefab(name);
        if (prefab == nullptr)
            continue;
        std::vector<std::pair<std::string, std::string>> lists;
        if (const auto button = prefab->Behaviour<bUIButtonBehaviour>())
            lists = {{"MainScreen", button->MainScreen}, {"SubScreen", button->SubScreen},
                     {"QueueToEntity", button->QueueToEntity}};
        else if (const auto image = prefab->Behaviour<bImageBehaviour>())
            lists = {{"QueueToEntity", image->QueueToEntity}};
        for (const auto& [key, list] : lists)
        {
            std::vector<std::string> names;
            SplitCommaList(list, names);
            for (const std::string& linked : names)
                if (!linked.empty() && hud.count(linked) == 0)
                    report.Fault(*prefab, "Behaviour " + Quoted(key) + " names " + Quoted(linked) +
                                              ", which is no element the HUD spawns");
        }
    }
}

void RulesBeforeHudRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        const DataEntity* hud = nullptr;
        for (const DataEntity& entity : scene->entities)
        {
            const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
            const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
            const std::string type = name != nullptr && name->IsString() ? name->GetString() : "";
            if (type == "bHUD" && hud == nullptr)
                hud = &entity;
            else if (type == "bGameLogic" && hud != nullptr)
                report.Fault(entity, "holds the level rules after the HUD " + Quoted(hud->name) +
                                         ", which then builds only its pop-up texts; the level never leaves its "
                                         "opening");
        }
    }
}
}

void AddHUDRules(ContentCheck& check)
{
    for (const char* text : StatTexts)
        RequirePrefab(check, {text, "the HUD (a soldier's stat text)", {"Transform", "Font"}, "bFontBehaviour", "", ""});
    RequirePrefab(check, {"PopUpText", "the HUD (its pop-up texts)", {"Transform", "Font"}, "bFontBehaviour", "", ""});
    RequirePrefab(check, {"HealthBar", "the HUD (a soldier's health)", {"Transform", "Renderer"}, "bImageBehaviour", "", ""});
    RequirePrefab(check, {"FadeIn_Overlay", "the HUD (the end pop-ups' fade)", {"Transform", "Renderer"},
                          "bImageBehaviour", "", ""});
    RequirePrefab(check, {"Icon_Marker", "the HUD (the off-screen marker)", {"Transform", "Renderer"}, "", "", ""});
    for (int n = 1; n <= MostSoldiers; ++n)
    {
        const std::string number = std::to_string(n);
        RequirePrefab(check, {"Player" + number + "_DP", "the HUD (the portrait that sets the row's slots)",
                              {"Transform", "Renderer"}, "", "", ""});
        RequirePrefab(check, {"Player" + number + "_Death", Spawner, {"Transform"}, "", "", ""});
        RequirePrefab(check, {"P" + number + "_Icon", "the HUD (the off-screen icon)", {"Transform", "Renderer"}, "", "", ""});
    }
    for (const std::string& name : HiddenElements())
        RequirePrefab(check, {name, Spawner, {}, "", "", ""});
    for (const std::string& name : OtherElements())
        RequirePrefab(check, {name, Spawner, {}, "", "", ""});
    check.AddDataRule(StartHiddenRule);
    check.AddDataRule(LinkedNamesRule);
    check.AddDataRule(RulesBeforeHudRule);
}
