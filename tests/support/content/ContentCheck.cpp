#include "support/content/ContentCheck.h"

#include "engine/core/Json.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace
{
std::string BehaviourOf(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : "";
}
}

void ContentCheck::AddEntityRule(EntityRule rule)
{
    entityRules.push_back(std::move(rule));
}

void ContentCheck::AddBehaviourRule(const std::string& behaviour, EntityRule rule)
{
    behaviourRules.push_back({behaviour, std::move(rule)});
}

void ContentCheck::AddDataRule(DataRule rule)
{
    dataRules.push_back(std::move(rule));
}

std::vector<ContentFinding> ContentCheck::Run(const std::vector<fs::path>& scenes, const fs::path& prefabFile) const
{
    std::vector<ContentFinding> readFindings;
    const ContentData data = ReadContentData(scenes, prefabFile, readFindings);
    ContentReport report(names, data);
    report.Add(std::move(readFindings));
    const std::vector<const DataEntity*> entities = data.Entities();
    for (const EntityRule& rule : entityRules)
        for (const DataEntity* entity : entities)
            rule(*entity, report);
    for (const BehaviourRule& rule : behaviourRules)
        for (const DataEntity* entity : entities)
            if (BehaviourOf(*entity) == rule.behaviour)
                rule.rule(*entity, report);
    for (const DataRule& rule : dataRules)
        rule(report);
    return report.Findings();
}

std::vector<fs::path> SceneFilesIn(const fs::path& resourcesFolder)
{
    std::vector<fs::path> scenes;
    for (const fs::directory_entry& entry : fs::directory_iterator(resourcesFolder))
        if (entry.is_regular_file() && entry.path().extension() == ".json" && entry.path().filename() != "Prefab.json")
            scenes.push_back(entry.path());
    std::sort(scenes.begin(), scenes.end());
    return scenes;
}
