#include "support/content/FrontEndContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/components/PhysicsCollision.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/CommaList.h"
#include "engine/core/Json.h"
#include "game/definitions/LevelFiles.h"
#include "game/flow/ScenePaths.h"
#include "game/flow/bCutsceneAudio.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bLogoDisplay.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace
{
const char* const Doors[] = {"ScreenLeftDoor", "ScreenRightDoor"};
const char* const LevelPrefixes[] = {"AbandonedHouse", "Farmhouse", "Warehouse", "TownHall"};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string Number(float value)
{
    if (value == static_cast<float>(static_cast<long>(value)))
        return std::to_string(static_cast<long>(value));
    return std::to_string(value);
}

std::string BehaviourClass(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : "";
}

bool Holds(const DataFile& scene, const std::string& behaviour)
{
    return std::any_of(scene.entities.begin(), scene.entities.end(),
                       [&](const DataEntity& entity) { return BehaviourClass(entity) == behaviour; });
}

const DataEntity* Named(const DataFile& file, const std::string& name)
{
    for (const DataEntity& entity : file.entities)
        if (entity.name == name)
            return &entity;
    return nullptr;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsCutscene(const DataFile& scene)
{
    return scene.label.find("Cutscene") != std::string::npos;
}

// --- Camera and transition ------------------------------------------------------------------------

void CameraFirstRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        // A scene without a camera is the engine rule's finding.
        const auto cameras = std::count_if(scene->entities.begin(), scene->entities.end(),
                                           [](const DataEntity& entity) { return entity.name == "Camera"; });
        if (cameras == 0)
            continue;
        if (scene->entities.front().name != "Camera")
            report.Fault(scene->entities.front(), "comes before the \"Camera\": the camera must be the first entity, "
                                                  "so its behaviour starts first (the doors restore the view it saved)");
        if (cameras > 1)
            report.Fault(scene->label, "has " + std::to_string(cameras) + " entities named \"Camera\"; the engine "
                                       "renames all but the first, which alone is the camera");
    }
}

void TransitionRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        int screens = 0;
        for (const DataEntity& entity : scene->entities)
        {
            const bool screen = BehaviourClass(entity) == "bTransitionScreen";
            screens += screen ? 1 : 0;
            if (screen && !entity.HasTag("TRANSITION"))
                report.Fault(entity, "has the bTransitionScreen but not the tag \"TRANSITION\" that buttons find it by");
            if (!screen && entity.HasTag("TRANSITION"))
                report.Fault(entity, "is tagged \"TRANSITION\" without a bTransitionScreen, so scene requests skip "
                                     "the doors");
        }
        if (screens > 1)
            report.Fault(scene->label, "has " + std::to_string(screens) + " transition screens; one scene has one");
    }
}

void DoorsOnTopRule(ContentReport& report)
{
    float doorLayer = 0.0f;
    for (const char* door : Doors)
        if (const DataEntity* prefab = report.Data().FindPrefab(door))
            if (const Renderer* renderer = prefab->Get<Renderer>())
                doorLayer = doorLayer == 0.0f ? renderer->layer : std::min(doorLayer, renderer->layer);
    if (doorLayer == 0.0f)
        return;
    for (const DataEntity* entity : report.Data().Entities())
    {
        const Renderer* renderer = entity->Get<Renderer>();
        const bool door = std::find(std::begin(Doors), std::end(Doors), entity->name) != std::end(Doors);
        if (renderer == nullptr || door || entity->name == "Cursor" || renderer->layer < doorLayer)
            continue;
        report.Fault(*entity, "Renderer layer " + Number(renderer->layer) +
                                  " is not below the transition doors', so it would show through them");
    }
}

// --- Menu scenes ------------------------------------------------------------------------------------

void MenuScenesRule(ContentReport& report)
{
    const std::set<std::string> menus = {LogoScene,          MainMenuScene,       LevelSelectScene,
                                         FirstCutsceneScene, SecondCutsceneScene, ThirdCutsceneScene,
                                         FourthCutsceneScene, CreditsEffectScene};
    for (const DataFile* scene : report.Data().Scenes())
        if (menus.count(scene->label) != 0 && Holds(*scene, "bGameLogic"))
            report.Fault(scene->label, "is a menu scene but holds the level rules (bGameLogic), which would run it "
                                       "as a level");
}

// Every scene the data leads to, and who leads there.
void DestinationsRule(ContentReport& report)
{
    std::set<std::string> scenes;
    for (const DataFile* scene : report.Data().Scenes())
        scenes.insert(Lower(scene->label));
    auto expect = [&](const DataEntity& entity, const std::string& path, const std::string& where) {
        // The levels come with the levels, not with the front end.
        if (LevelFiles().Find(path).has_value() || scenes.count(Lower(path)) != 0)
            return;
        report.Fault(entity, where + " leads to " + Quoted(path) + ", which is no scene file");
    };
    const std::map<std::string, std::vector<std::string>> keywords = {
        {"CUTSCENE",
         {FirstCutsceneScene, SecondCutsceneScene, ThirdCutsceneScene, FourthCutsceneScene, LevelSelectScene}},
        {"NEWGAME", {FirstCutsceneScene}},
        {"CREDITS", {CreditsButtonScene}},
        {"EXIT", {}},
        {"THIS_LEVEL", {}},
        {"", {}},
    };
    for (const DataEntity* entity : report.Data().Entities())
    {
        if (const auto button = entity->Behaviour<bUIButtonBehaviour>())
        {
            const auto keyword = keywords.find(button->LevelToTarget);
            if (keyword == keywords.end())
                expect(*entity, button->LevelToTarget, "Behaviour \"LevelToTarget\"");
            else
                for (const std::string& path : keyword->second)
                    expect(*entity, path, "Behaviour \"LevelToTarget\" " + Quoted(button->LevelToTarget));
        }
        if (const auto logo = entity->Behaviour<bLogoDisplay>(); logo != nullptr && logo->ChangeType == 2)
            expect(*entity, logo->ChangeTarget, "Behaviour \"ChangeTarget\"");
        if (const auto logo = entity->Behaviour<bLogoDisplay>(); logo != nullptr && logo->ChangeType == 1)
            report.ExpectPrefab(*entity, logo->ChangeTarget, "Behaviour \"ChangeTarget\"");
        if (const auto image = entity->Behaviour<bImageBehaviour>())
        {
            if (image->ImageFX == ImageEffect::GoMainMenu)
                expect(*entity, MainMenuScene, "Behaviour \"ImageFX\" \"GoMainMenu\"");
            if (image->ImageFX == ImageEffect::GoCredits)
                expect(*entity, CreditsEffectScene, "Behaviour \"ImageFX\" \"GoCredits\"");
        }
    }
}

// --- Level select -------------------------------------------------------------------------------------

void LevelSelectRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        if (!Holds(*scene, "bLevelSelect"))
            continue;
        std::vector<std::string> names = {"Pointer_Arrow"};
        for (const char* level : LevelPrefixes)
        {
            names.push_back(std::string(level) + "_Button");
            names.push_back(std::string(level) + "_Locked");
        }
        for (const std::string& name : names)
        {
            const auto count = std::count_if(scene->entities.begin(), scene->entities.end(),
                                             [&](const DataEntity& entity) { return entity.name == name; });
            if (count > 1)
                report.Fault(scene->label, "has " + std::to_string(count) + " entities named " + Quoted(name) +
                                           "; the level select finds the first, and the engine renames the others "
                                           "into the level's group");
        }
        for (const char* level : LevelPrefixes)
        {
            const DataEntity* button = Named(*scene, std::string(level) + "_Button");
            if (button != nullptr && button->Get<PhysicsCollision>() == nullptr)
                report.Fault(*button, "has no PhysicsCollision; the arrow is placed above it by its collider's height");
        }
        const DataEntity* arrow = Named(*scene, "Pointer_Arrow");
        if (arrow == nullptr)
            continue;
        const auto image = arrow->Behaviour<bImageBehaviour>();
        if (image == nullptr)
            report.Fault(*arrow, "is no image (bImageBehaviour), so the level select never places it");
        else if (image->BindToCamera)
            report.Fault(*arrow, "binds to the camera, but the level select places it in the world");
        const auto after = std::find_if(scene->entities.begin(), scene->entities.end(), [](const DataEntity& entity) {
            return BehaviourClass(entity) == "bLevelSelect";
        });
        if (after->index < arrow->index)
            report.Fault(*after, "comes before \"Pointer_Arrow\": the arrow's own start would move its bobbing "
                                 "centre to the lifted place");
    }
}

// --- Sliders ------------------------------------------------------------------------------------------

bool IsSliderStep(ButtonAction action)
{
    return action >= ButtonAction::ResetSoundSettings && action <= ButtonAction::MinusButtonCameraSensitivity &&
           action != ButtonAction::ToggleFullScreen && action != ButtonAction::ToggleMute;
}

const DataFile* FileOf(const ContentData& data, const DataEntity& entity)
{
    for (const auto& file : data.files)
        if (file->label == entity.file)
            return file.get();
    return nullptr;
}

void KnobRule(const DataEntity& entity, const bUIButtonBehaviour& knob, const DataFile& file, ContentReport& report)
{
    if (knob.MaxPosX == knob.MinPosX)
        report.Fault(entity, "is a slider knob whose track has no width (\"MinPosX\" equals \"MaxPosX\"), so it only "
                             "ever gives 0");
    if (!knob.BindToCamera)
        report.Fault(entity, "is a slider knob that does not bind to the camera; its collider follows it only in "
                             "screen space");
    if (knob.OnInitialScreen)
        report.Fault(entity, "is a slider knob shown at start; its collider is placed where it stands after its "
                             "start and then moved again, so it is picked in the wrong place");
    const Transform* place = entity.Get<Transform>();
    const float startX = 960.0f + knob.MinPosX;
    const float startY = 540.0f + knob.MinPosY;
    if (place != nullptr && (place->position.x != startX || place->position.y != startY))
        report.Fault(entity, "is a slider knob placed away from its track's start (" + Number(startX) + ", " +
                                 Number(startY) + "); its collider is placed where the file puts it and "
                                 "moved from there as if that were the start");
    if (knob.AffectEntity.empty())
        return;
    const DataEntity* fill = Named(file, knob.AffectEntity);
    const auto image = fill == nullptr ? nullptr : fill->Behaviour<bImageBehaviour>();
    if (image == nullptr || !image->BindToCamera)
        report.Fault(entity, "names the fill " + Quoted(knob.AffectEntity) +
                                 ", which is no camera-bound image (bImageBehaviour with \"BindToCamera\")");
}

void SliderButtonsRule(const DataEntity& entity, const bUIButtonBehaviour& button, const DataFile& file,
                       ContentReport& report)
{
    std::vector<std::string> names;
    SplitCommaList(button.AffectSliders, names);
    std::erase(names, "");
    if (names.empty() && button.UniqueBehaviour != ButtonAction::ResetSoundSettings)
        report.Fault(entity, "is a plus or minus button without \"AffectSliders\", so it moves nothing");
    for (const std::string& name : names)
    {
        const DataEntity* knob = Named(file, name);
        const auto slider = knob == nullptr ? nullptr : knob->Behaviour<bUIButtonBehaviour>();
        if (slider == nullptr || slider->SliderBehaviour == SettingKey::None)
            report.Fault(entity, "\"AffectSliders\" names " + Quoted(name) + ", which is no slider knob");
    }
}

void SlidersRule(ContentReport& report)
{
    for (const DataEntity* entity : report.Data().Entities())
    {
        const auto button = entity->Behaviour<bUIButtonBehaviour>();
        const DataFile* file = FileOf(report.Data(), *entity);
        if (button == nullptr || file == nullptr)
            continue;
        if (button->SliderBehaviour != SettingKey::None)
            KnobRule(*entity, *button, *file, report);
        if (IsSliderStep(button->UniqueBehaviour))
            SliderButtonsRule(*entity, *button, *file, report);
    }
}

// --- Cutscenes ----------------------------------------------------------------------------------------

void CutsceneRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        for (const DataEntity& entity : scene->entities)
        {
            const auto audio = entity.Behaviour<bCutsceneAudio>();
            if (audio == nullptr)
                continue;
            std::size_t triggers = 0;
            for (const DataEntity& trigger : scene->entities)
            {
                if (!trigger.HasTag("ATRIG"))
                    continue;
                ++triggers;
                if (trigger.Behaviour<bFontBehaviour>() == nullptr)
                    report.Fault(trigger, "is tagged \"ATRIG\" but is no text; the cutscene's sound follows texts");
            }
            const std::size_t needed = audio->TypingOnly ? 1 : 4;
            if (triggers < needed)
                report.Fault(entity, "follows " + std::to_string(triggers) + " \"ATRIG\" texts where its form needs " +
                                         std::to_string(needed) + ", so it stays silent");
        }
        if (!IsCutscene(*scene))
            continue;
        for (const DataEntity& entity : scene->entities)
        {
            if (const auto image = entity.Behaviour<bImageBehaviour>(); image != nullptr && image->FXDuration <= 0.0f)
                report.Fault(entity, "is a cutscene image without an effect length (\"FXDuration\"), so the first "
                                     "click in the cutscene hides it");
            if (const auto text = entity.Behaviour<bFontBehaviour>();
                text != nullptr && !text->QueueToEntity.empty() && Named(*scene, text->QueueToEntity) == nullptr)
                report.Fault(entity, "hands over to " + Quoted(text->QueueToEntity) + ", which the scene lacks");
        }
    }
}
}

void AddFrontEndRules(ContentCheck& check)
{
    check.AddDataRule(CameraFirstRule);
    check.AddDataRule(TransitionRule);
    check.AddDataRule(DoorsOnTopRule);
    check.AddDataRule(MenuScenesRule);
    check.AddDataRule(DestinationsRule);
    check.AddDataRule(LevelSelectRule);
    check.AddDataRule(SlidersRule);
    check.AddDataRule(CutsceneRule);
    for (const char* door : Doors)
        RequirePrefab(check, {door, "bTransitionScreen", {"Transform", "Renderer"}, "", "", ""});
}
