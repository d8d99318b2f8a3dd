#include "support/content/LevelRulesContentRules.h"

#include "engine/core/Json.h"
#include "game/definitions/LevelFiles.h"

#include <string>

namespace
{
std::string BehaviourClass(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : "";
}

int CountHolding(const DataFile& scene, const std::string& behaviour)
{
    int count = 0;
    for (const DataEntity& entity : scene.entities)
        count += BehaviourClass(entity) == behaviour ? 1 : 0;
    return count;
}

void RulesBeforeHudRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        bool rulesSeen = false;
        for (const DataEntity& entity : scene->entities)
        {
            const std::string behaviour = BehaviourClass(entity);
            rulesSeen = rulesSeen || behaviour == "bGameLogic";
            if (behaviour == "bHUD" && !rulesSeen && CountHolding(*scene, "bGameLogic") != 0)
                report.Fault(entity, "holds the HUD before the level rules (bGameLogic): the HUD would build only its "
                                     "pop-ups and the level would never leave its opening");
        }
    }
}

void LevelContentsRule(ContentReport& report)
{
    const struct
    {
        const char* behaviour;
        const char* what;
    } needs[] = {
        {"bGameLogic", "the level rules"},
        {"bCameraBehaviour", "a camera behaviour"},
        {"bHUD", "the HUD"},
        {"bGameController", "the squad controller"},
    };
    for (const DataFile* scene : report.Data().Scenes())
    {
        if (!LevelFiles().Find(scene->label).has_value())
            continue;
        for (const auto& need : needs)
            if (CountHolding(*scene, need.behaviour) == 0)
                report.Fault(scene->label, std::string("is a level without ") + need.what + " (" + need.behaviour + ")");
        if (const int rules = CountHolding(*scene, "bGameLogic"); rules > 1)
            report.Fault(scene->label, "is a level with " + std::to_string(rules) +
                                           " level rules (bGameLogic); the last to wake would keep the level");
        bool transition = false;
        for (const DataEntity& entity : scene->entities)
            transition = transition || entity.HasTag("TRANSITION");
        if (!transition)
            report.Fault(scene->label, "is a level without the transition entity (tagged \"TRANSITION\"): its "
                                       "pause menu and end pop-ups would change scenes without the doors");
    }
}
}

void AddLevelRulesRules(ContentCheck& check)
{
    check.AddDataRule(RulesBeforeHudRule);
    check.AddDataRule(LevelContentsRule);
}
