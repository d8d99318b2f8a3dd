#include "support/content/ContentCheck.h"
#include "support/content/ContentData.h"
#include "support/content/EngineContentRules.h"
#include "support/content/LevelLayoutContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAreArray;

namespace
{
const ContentCheck& Check()
{
    static const ContentCheck check = [] {
        ContentCheck levels = EngineContentCheck(GameContent().assetRoot);
        AddLevelLayoutRules(levels);
        return levels;
    }();
    return check;
}

// The findings about one fixture level of tests/fixtures/content/levels, checked beside the game's
// own scenes and prefab file.
std::vector<std::string> FindingsAbout(const std::string& fixture)
{
    const fs::path path = fs::path(DUSKVANE_FIXTURES) / "content" / "levels" / fixture;
    std::vector<fs::path> scenes = SceneFilesIn(GameContent().resources);
    scenes.push_back(path);
    std::vector<std::string> texts;
    for (const ContentFinding& finding : Check().Run(scenes, GameContent().resources / "Prefab.json"))
        if (finding.file == DataFileLabel(path))
            texts.push_back(finding.entity.empty() ? finding.problem : finding.entity + ": " + finding.problem);
    return texts;
}
}

TEST(LevelLayoutContentRules, TheGamesLevelsAndASoundLevelPass)
{
    // The sound level's zombie and pickup lie behind a shut door: a breach opens the way.
    EXPECT_THAT(FindingsAbout("Sound.json"), testing::IsEmpty());
    EXPECT_THAT(Check().Run(SceneFilesIn(GameContent().resources), GameContent().resources / "Prefab.json"),
                testing::IsEmpty());
}

TEST(LevelLayoutContentRules, EachFaultIsNamed)
{
    const struct
    {
        const char* fixture;
        std::vector<std::string> findings;
    } cases[] = {
        {"Layout.json",
         {"entity \"Zombie_1\": cannot be reached on the path grid from \"Player_1\", even with every door breached",
          "entity \"Zombie_2\": stands inside entity \"Wall_2\"",
          "entity \"Zombie_2\": stands on a cell the path grid blocks, where no path leads",
          "entity \"Zombie_3\": has its collider at (1080, 80) to (1120, 120), outside the camera bounds (-300, "
          "-300) to (1000, 700)",
          "entity \"Zombie_3\": stands outside the path grid, where no path leads",
          "entity \"Ammo_1\": has its collider at (3280, 80) to (3320, 120), outside the collision world (-630, "
          "-700) to (3250, 1440)",
          "entity \"Ammo_1\": has its collider at (3280, 80) to (3320, 120), outside the camera bounds (-300, "
          "-300) to (1000, 700)",
          "entity \"Ammo_1\": stands outside the path grid, where no path leads"}},
        {"NamesAndTags.json",
         {"has 2 entities named \"Lamp_1\"; the code looks that name up and finds only one of them",
          "entity \"Door_1\": names \"Lamp_9\", which no entity of the scene is called, so it is silently skipped",
          "entity \"Wall_1\": is a wall without the tag \"UNPATHABLE\": thrown explosives pass through it and paths "
          "lead through it",
          "entity \"Door_1\": is a door without the path grid's tag \"UNPATHABLE\", so paths lead through it while "
          "it is shut"}},
        {"Throwing.json",
         {"entity \"GameLogic\": forbids explosives in the throwing tutorial's level, whose steps need a throw",
          "entity \"Player_2\": carries no grenade or molotov in the throwing tutorial's level, whose steps need a "
          "throw"}},
        {"credits/Credits.json",
         {"entity \"Lawn\": shows the image \"Floor_Grass\", which loads only in a later stage; the credits load no "
          "stage of their own, so it draws as nothing"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        EXPECT_THAT(FindingsAbout(c.fixture), UnorderedElementsAreArray(c.findings));
    }
}
