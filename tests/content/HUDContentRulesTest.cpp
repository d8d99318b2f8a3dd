#include "support/content/ContentCheck.h"
#include "support/content/EngineContentRules.h"
#include "support/content/HUDContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::Contains;
using testing::IsEmpty;

namespace
{
const ContentCheck& Check()
{
    static const ContentCheck check = [] {
        ContentCheck hud = EngineContentCheck(GameContent().assetRoot);
        AddHUDRules(hud);
        return hud;
    }();
    return check;
}

fs::path Fixture(const std::string& name)
{
    return fs::path(DUSKVANE_FIXTURES) / "content" / "hud" / name;
}

// Findings in the file of that label (an entity's findings as "entity: problem").
std::vector<std::string> FindingsIn(const std::vector<ContentFinding>& findings, const std::string& file)
{
    std::vector<std::string> texts;
    for (const ContentFinding& finding : findings)
        if (finding.file == file)
            texts.push_back(finding.entity.empty() ? finding.problem : finding.entity + ": " + finding.problem);
    return texts;
}
}

TEST(HUDContentRules, TheGamesScenesAndPrefabsPass)
{
    EXPECT_THAT(Check().Run(SceneFilesIn(GameContent().resources), GameContent().resources / "Prefab.json"), IsEmpty());
}

TEST(HUDContentRules, EachFaultIsNamed)
{
    std::vector<fs::path> scenes = SceneFilesIn(GameContent().resources);
    scenes.push_back(Fixture("HudBeforeRules.json"));
    const std::vector<ContentFinding> findings = Check().Run(scenes, Fixture("Prefab.json"));

    EXPECT_THAT(FindingsIn(findings, "hud/HudBeforeRules.json"),
                testing::ElementsAre("entity \"GameLogic\": holds the level rules after the HUD \"HUD\", which then "
                                     "builds only its pop-up texts; the level never leaves its opening"));
    const std::vector<std::string> prefabs = FindingsIn(findings, "hud/Prefab.json");
    EXPECT_THAT(prefabs, Contains("entity \"Pause_Menu\": starts shown (\"OnInitialScreen\"), but the HUD never hides "
                                  "it: it would stand over the level from its first frame"));
    EXPECT_THAT(prefabs, Contains("entity \"Pause_Overlay\": has no screen-element behaviour to keep it hidden until "
                                  "it is shown"));
    EXPECT_THAT(prefabs, Contains("entity \"Quit_No_Button\": Behaviour \"SubScreen\" names \"Pause_Manu\", which is "
                                  "no element the HUD spawns"));
    EXPECT_THAT(prefabs, Contains("has no prefab \"PopUpText\", which the HUD (its pop-up texts) instantiates"));
}
