#include "support/content/RulesAlone.h"

#include "support/content/EngineContentRules.h"

std::vector<std::string> FindingsOfRulesAlone(const std::function<void(ContentCheck&)>& addRules,
                                              const std::vector<std::filesystem::path>& scenes,
                                              const std::filesystem::path& prefabFile, const std::string& onlyFile)
{
    ContentCheck check(ReadContentNames(GameContent().assetRoot));
    addRules(check);
    std::vector<std::string> texts;
    for (const ContentFinding& finding : check.Run(scenes, prefabFile))
        if (onlyFile.empty() || finding.file == onlyFile)
            texts.push_back(finding.Text());
    return texts;
}
