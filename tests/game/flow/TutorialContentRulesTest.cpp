#include "support/content/EngineContentRules.h"
#include "support/content/RulesAlone.h"
#include "support/content/TutorialContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The data rules of the tutorial, doors, smoke, fog and one-shots, alone over a prefab file that
// breaks each of them once. (The shipped data passes them: the content test runs every game rule.)
TEST(TutorialContentRules, ReportWhatTheTutorialDoorsAndEffectsNeedOfTheirData)
{
    const std::vector<std::string> texts =
        FindingsOfRulesAlone(AddTutorialRules, SceneFilesIn(GameContent().resources),
                             fs::path(DUSKVANE_FIXTURES) / "content" / "tutorial" / "BrokenTutorialPrefab.json");

    const std::string file = "tutorial/BrokenTutorialPrefab.json";
    EXPECT_THAT(texts, UnorderedElementsAre(
                           file + ": has no prefab \"SkipTutorial_Button\", which bTutorialLogic instantiates",
                           file + ": has no prefab \"FogEdgeV\", which bSmokeFill (columns) instantiates",
                           file + ", entity \"Circle_Indicator\": has no Renderer, which bTutorialLogic (hint markers) "
                                  "needs",
                           file + ", entity \"Door_Button\": Behaviour UniqueBehaviour is not \"Breach\", so a click on "
                                  "it does nothing it promises",
                           file + ", entity \"FogEdge\": Renderer scaleX is not above 0, so no row of fog can cover an "
                                  "edge",
                           file + ", entity \"Lvl1Tutorial_01_Select\": is a tutorial panel that is shown at first or "
                                  "has no ShowTimer, so its step never ends by itself",
                           file + ": 1 tutorial panels named with \"Lvl1Tutorial_\" where the tutorial has 10 steps",
                           file + ": 0 tutorial panels named with \"Lvl2Tutorial_\" where the tutorial has 4 steps",
                           file + ", entity \"Tutorial\": Behaviour TutorialLevel is 3: there are only tutorials 1 and 2",
                           file + ", entity \"Door_Plain\": is a bDoorBehaviour without the tag \"DOOR\", so no soldier "
                                  "can reach or breach it",
                           file + ", entity \"Still_Blast\": is a bOneShot without an Animation, so its clip never "
                                  "ends and it is never removed"));
}
