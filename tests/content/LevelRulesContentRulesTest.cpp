#include "support/content/EngineContentRules.h"
#include "support/content/LevelRulesContentRules.h"
#include "support/content/RulesAlone.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The level rules' demands alone, over fixture scenes: a sound level, a level that breaks every
// demand, and two scenes that are no levels. (The shipped data passes them: the content test runs
// every game rule.)
TEST(LevelRulesContentRules, ReportWhatALevelNeeds)
{
    const fs::path fixtures = fs::path(DUSKVANE_FIXTURES) / "content" / "levelrules";
    const std::vector<std::string> texts =
        FindingsOfRulesAlone(AddLevelRulesRules, SceneFilesIn(fixtures / "Resources"), fixtures / "Prefabs.json");

    const std::string townHall = "Resources/Level_TownHall.json";
    const std::string hudFirst = ": holds the HUD before the level rules (bGameLogic): the HUD would build only its "
                                 "pop-ups and the level would never leave its opening";
    EXPECT_THAT(texts,
                UnorderedElementsAre(
                    "Resources/Arena.json, entity \"HUD\"" + hudFirst, townHall + ", entity \"HUD\"" + hudFirst,
                    townHall + ": is a level without a camera behaviour (bCameraBehaviour)",
                    townHall + ": is a level without the squad controller (bGameController)",
                    townHall + ": is a level with 2 level rules (bGameLogic); the last to wake would keep the level",
                    townHall + ": is a level without the transition entity (tagged \"TRANSITION\"): its pause menu "
                               "and end pop-ups would change scenes without the doors"));
}
