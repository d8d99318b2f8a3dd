#include "support/content/TutorialContentRules.h"
#include "support/content/EngineContentRules.h"

#include "engine/components/Renderer.h"
#include "engine/core/Json.h"
#include "game/definitions/ButtonActions.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <string>

namespace
{
const struct
{
    const char* prefix;
    std::size_t count;
} PanelSets[] = {{"Lvl1Tutorial_", 10}, {"Lvl2Tutorial_", 4}};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void ButtonActionRule(ContentReport& report, const char* prefab, ButtonAction action, const char* actionName)
{
    const DataEntity* button = report.Data().FindPrefab(prefab);
    const auto behaviour = button == nullptr ? nullptr : button->Behaviour<bUIButtonBehaviour>();
    if (behaviour != nullptr && behaviour->UniqueBehaviour != action)
        report.Fault(*button, std::string("Behaviour UniqueBehaviour is not ") + Quoted(actionName) +
                                  ", so a click on it does nothing it promises");
}

void FogLengthRule(ContentReport& report, const char* prefab, bool alongX)
{
    const DataEntity* strip = report.Data().FindPrefab(prefab);
    const Renderer* renderer = strip == nullptr ? nullptr : strip->Get<Renderer>();
    if (renderer == nullptr)
        return; // the prefab rule reports it
    const float length = alongX ? renderer->scaleX : renderer->scaleY;
    if (!(length > 0.0f))
        report.Fault(*strip, std::string("Renderer ") + (alongX ? "scaleX" : "scaleY") +
                                 " is not above 0, so no row of fog can cover an edge");
}

// The panels in prefab-file order, counted by set; each must hide at first and end by itself.
void PanelRule(ContentReport& report)
{
    const DataFile* prefabs = report.Data().PrefabFile();
    if (prefabs == nullptr)
        return;
    for (const auto& set : PanelSets)
    {
        std::size_t found = 0;
        for (const DataEntity& entity : prefabs->entities)
        {
            if (entity.name.size() < 13 || entity.name.find(set.prefix) == std::string::npos)
                continue;
            ++found;
            const auto image = entity.Behaviour<bImageBehaviour>();
            if (image == nullptr)
                report.Fault(entity, "is a tutorial panel without a bImageBehaviour, so it never shows or ends");
            else if (image->OnInitialScreen || !(image->ShowTimer > 0.0f))
                report.Fault(entity, "is a tutorial panel that is shown at first or has no ShowTimer, so its step "
                                     "never ends by itself");
        }
        if (found != set.count)
            report.Fault(prefabs->label, std::to_string(found) + " tutorial panels named with " + Quoted(set.prefix) +
                                             " where the tutorial has " + std::to_string(set.count) + " steps");
    }
}

void TutorialRule(const DataEntity& entity, ContentReport& report)
{
    const auto tutorial = entity.Behaviour<bTutorialLogic>();
    if (tutorial != nullptr && tutorial->TutorialLevel != 1 && tutorial->TutorialLevel != 2)
        report.Fault(entity, "Behaviour TutorialLevel is " + std::to_string(tutorial->TutorialLevel) +
                                 ": there are only tutorials 1 and 2");
}

void DoorRule(const DataEntity& entity, ContentReport& report)
{
    if (!entity.HasTag("DOOR"))
        report.Fault(entity, "is a bDoorBehaviour without the tag \"DOOR\", so no soldier can reach or breach it");
}

void OneShotRule(const DataEntity& entity, ContentReport& report)
{
    if (Json::Find(*entity.json, "Animation") == nullptr)
        report.Fault(entity, "is a bOneShot without an Animation, so its clip never ends and it is never removed");
}
}

void AddTutorialRules(ContentCheck& check)
{
    RequirePrefab(check, {"Door_Button", "bDoorBehaviour (the first door of a scene)", {"Transform"}, "bUIButtonBehaviour", "", ""});
    RequirePrefab(check, {"SkipTutorial_Button", "bTutorialLogic", {"Transform"}, "bUIButtonBehaviour", "", ""});
    RequirePrefab(check, {"Circle_Indicator", "bTutorialLogic (hint markers)", {"Transform", "Renderer"}, "", "", ""});
    RequirePrefab(check, {"pSmoke", "bSmokeEmitter", {"Transform"}, "", "", ""});
    RequirePrefab(check, {"FogEdge", "bSmokeFill (rows)", {"Transform", "Renderer"}, "", "", ""});
    RequirePrefab(check, {"FogEdgeV", "bSmokeFill (columns)", {"Transform", "Renderer"}, "", "", ""});
    check.AddDataRule([](ContentReport& report) {
        ButtonActionRule(report, "Door_Button", ButtonAction::Breach, "Breach");
        ButtonActionRule(report, "SkipTutorial_Button", ButtonAction::SkipTutorial, "SkipTutorial");
        FogLengthRule(report, "FogEdge", true);
        FogLengthRule(report, "FogEdgeV", false);
    });
    check.AddDataRule(PanelRule);
    check.AddBehaviourRule("bTutorialLogic", TutorialRule);
    check.AddBehaviourRule("bDoorBehaviour", DoorRule);
    check.AddBehaviourRule("bOneShot", OneShotRule);
}
