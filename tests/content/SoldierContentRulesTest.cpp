#include "support/content/ContentCheck.h"
#include "support/content/EngineContentRules.h"
#include "support/content/SoldierContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAreArray;

namespace
{
// The engine's rules and the soldiers', read once.
const ContentCheck& Check()
{
    static const ContentCheck check = [] {
        ContentCheck soldiers = EngineContentCheck(GameContent().assetRoot);
        AddSoldierRules(soldiers);
        return soldiers;
    }();
    return check;
}

// The findings about one fixture scene of tests/fixtures/content/soldiers, checked beside the
// game's own scenes and prefab file.
std::vector<std::string> FindingsAbout(const std::string& fixture)
{
    std::vector<fs::path> scenes = SceneFilesIn(GameContent().resources);
    scenes.push_back(fs::path(DUSKVANE_FIXTURES) / "content" / "soldiers" / fixture);
    std::vector<std::string> texts;
    for (const ContentFinding& finding : Check().Run(scenes, GameContent().resources / "Prefab.json"))
        if (finding.file == "soldiers/" + fixture)
            texts.push_back(finding.entity.empty() ? finding.problem : finding.entity + ": " + finding.problem);
    return texts;
}
}

TEST(SoldierContentRules, TheGamesPrefabsAndSoundSoldiersPass)
{
    EXPECT_THAT(FindingsAbout("Sound.json"), testing::IsEmpty());
    std::vector<fs::path> scenes = SceneFilesIn(GameContent().resources);
    EXPECT_THAT(Check().Run(scenes, GameContent().resources / "Prefab.json"), testing::IsEmpty());
}

TEST(SoldierContentRules, EachFaultIsNamed)
{
    const struct
    {
        const char* fixture;
        std::vector<std::string> findings;
    } cases[] = {
        {"NoThrowClip.json",
         {"entity \"Player_1\": a soldier's throw (it ends with the clip) needs spritesheet (\"Zombie\", "
          "\"Throwing\"), "
          "which the generated assets do not have"}},
        {"NoDigits.json",
         {"entity \"Sergeant\": is a soldier whose name has no digits; the HUD numbers soldiers by their name, so the "
          "level stops when it starts",
          "entity \"Sergeant\": is a soldier not named \"Player_\" and its number (from 1), so the HUD never finds "
          "it"}},
        {"Gap.json", {"has \"Player_3\" but no soldier \"Player_2\"; soldiers are numbered without gaps"}},
        {"MissingTag.json", {"entity \"Player_2\": is a soldier without the tag \"PLAYER2\""}},
        {"ZeroCellGrid.json",
         {"entity \"PathfindingGrid\": is a path grid of 500 by 500 units cut into 1000 columns and 1000 rows: its "
          "cells round to 0 units, so no path is ever found on it"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        EXPECT_THAT(FindingsAbout(c.fixture), UnorderedElementsAreArray(c.findings));
    }
}

TEST(SoldierContentRules, TheSoldiersPrefabsCarryTheTagsTheyAreFoundBy)
{
    const fs::path prefabs = fs::path(DUSKVANE_FIXTURES) / "content" / "soldiers" / "UntaggedPrefabs.json";
    std::vector<std::string> texts;
    for (const ContentFinding& finding : Check().Run(SceneFilesIn(GameContent().resources), prefabs))
        if (finding.entity == "entity \"Danger_Icon\"" || finding.entity == "entity \"Ammo_Drop\"")
            texts.push_back(finding.entity + ": " + finding.problem);
    EXPECT_THAT(texts, UnorderedElementsAreArray(std::vector<std::string>{
                           "entity \"Danger_Icon\": lacks the tag \"DANGER\", so soldiers never see the icon and never "
                           "clear it",
                           "entity \"Ammo_Drop\": lacks the tag \"AMMO\", so a soldier cannot pick it up"}));
}
