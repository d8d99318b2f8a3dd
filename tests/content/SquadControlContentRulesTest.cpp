#include "support/content/ContentCheck.h"
#include "support/content/EngineContentRules.h"
#include "support/content/SquadControlContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// The engine's rules and the squad controller's, read once.
const ContentCheck& Check()
{
    static const ContentCheck check = [] {
        ContentCheck squad = EngineContentCheck(GameContent().assetRoot);
        AddSquadControlRules(squad);
        return squad;
    }();
    return check;
}

// The findings about one fixture scene of tests/fixtures/content/squad, checked beside the game's
// own scenes and prefab file; with an empty name, the findings about the game's own data.
std::vector<std::string> FindingsAbout(const std::string& fixture)
{
    std::vector<fs::path> scenes = SceneFilesIn(GameContent().resources);
    if (!fixture.empty())
        scenes.push_back(fs::path(DUSKVANE_FIXTURES) / "content" / "squad" / fixture);
    std::vector<std::string> texts;
    for (const ContentFinding& finding : Check().Run(scenes, GameContent().resources / "Prefab.json"))
        if (fixture.empty() || finding.file == "squad/" + fixture)
            texts.push_back(finding.entity.empty() ? finding.problem : finding.entity + ": " + finding.problem);
    return texts;
}
} // namespace

TEST(SquadControlContentRules, TheGamesScenesAndMarkerPrefabsPass)
{
    EXPECT_THAT(FindingsAbout(""), testing::IsEmpty());
    EXPECT_THAT(FindingsAbout("OneController.json"), testing::IsEmpty());
}

TEST(SquadControlContentRules, SoldiersNeedExactlyOneController)
{
    EXPECT_THAT(FindingsAbout("NoController.json"),
                testing::ElementsAre(testing::HasSubstr("and 0 bGameController entities")));
    EXPECT_THAT(FindingsAbout("TwoControllers.json"),
                testing::ElementsAre(testing::HasSubstr("and 2 bGameController entities")));
}
