#pragma once
#include "support/content/ContentFinding.h"
#include "support/content/ContentNames.h"
#include "support/content/ContentReport.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The check that keeps the game's data honest: it reads the scene files and the prefab file,
// builds every entity as the engine does, and runs its rules over them. Rules are added by the
// parts of the game that make demands on data (engine rules in EngineContentRules.h); each adds
// findings through the ContentReport.
class ContentCheck
{
public:
    using EntityRule = std::function<void(const DataEntity& entity, ContentReport& report)>;
    using DataRule = std::function<void(ContentReport& report)>;

    explicit ContentCheck(ContentNames names) : names(std::move(names)) {}

    const ContentNames& Names() const { return names; }

    // Runs on every entity of every file, the prefab file's included.
    void AddEntityRule(EntityRule rule);
    // Runs on every entity whose "Behaviour" names this class (without "class ").
    void AddBehaviourRule(const std::string& behaviour, EntityRule rule);
    // Runs once over the whole data.
    void AddDataRule(DataRule rule);

    // Every finding: those of reading and building the files first, then each rule's in the
    // order the rules were added. Empty when the data is sound.
    std::vector<ContentFinding> Run(const std::vector<std::filesystem::path>& scenes,
                                    const std::filesystem::path& prefabFile) const;

private:
    struct BehaviourRule
    {
        std::string behaviour;
        EntityRule rule;
    };

    ContentNames names;
    std::vector<EntityRule> entityRules;
    std::vector<BehaviourRule> behaviourRules;
    std::vector<DataRule> dataRules;
};

// The scene files of a Resources folder: every "*.json" directly in it except "Prefab.json",
// sorted by name.
std::vector<std::filesystem::path> SceneFilesIn(const std::filesystem::path& resourcesFolder);
