#include "support/content/EngineContentRules.h"
#include "support/content/FrontEndContentRules.h"
#include "support/content/RulesAlone.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The front end's rules alone, over fixture scenes named as the game's menus and a prefab file,
// which break each rule once and keep to it elsewhere. (The shipped data passes them: the
// content test runs every game rule.)
TEST(FrontEndContentRules, ReportWhatTheFrontEndNeedsOfItsScenes)
{
    const fs::path fixtures = fs::path(DUSKVANE_FIXTURES) / "content" / "frontend";
    const std::vector<std::string> texts =
        FindingsOfRulesAlone(AddFrontEndRules, SceneFilesIn(fixtures / "Resources"), fixtures / "Prefabs.json");

    const std::string credits = "Resources/Credits.json";
    const std::string cutscene = "Resources/Cutscene.json";
    const std::string levels = "Resources/LevelSelect.json";
    const std::string menu = "Resources/mainMenu.json, entity ";
    EXPECT_THAT(
        texts,
        UnorderedElementsAre(
            // The camera and the doors.
            credits + ", entity \"Title\": comes before the \"Camera\": the camera must be the first entity, so its "
                      "behaviour starts first (the doors restore the view it saved)",
            credits + ", entity \"Transition\": has the bTransitionScreen but not the tag \"TRANSITION\" that "
                      "buttons find it by",
            credits + ", entity \"Fake_Transition\": is tagged \"TRANSITION\" without a bTransitionScreen, so scene "
                      "requests skip the doors",
            credits + ", entity \"Above_Doors\": Renderer layer 960 is not below the transition doors', so it would "
                      "show through them",
            "frontend/Prefabs.json: has no prefab \"ScreenRightDoor\", which bTransitionScreen instantiates",
            // Menus and where they lead.
            credits + ": is a menu scene but holds the level rules (bGameLogic), which would run it as a level",
            credits + ", entity \"Lost_Button\": Behaviour \"LevelToTarget\" leads to \"Resources/Nowhere.json\", "
                      "which is no scene file",
            // The level select.
            levels + ": has 2 entities named \"Farmhouse_Locked\"; the level select finds the first, and the engine "
                     "renames the others into the level's group",
            levels + ", entity \"Warehouse_Button\": has no PhysicsCollision; the arrow is placed above it by its "
                     "collider's height",
            levels + ", entity \"Pointer_Arrow\": binds to the camera, but the level select places it in the world",
            levels + ", entity \"LevelSelect\": comes before \"Pointer_Arrow\": the arrow's own start would move its "
                     "bobbing centre to the lifted place",
            // Sliders.
            menu + "\"Flat_Knob\": is a slider knob whose track has no width (\"MinPosX\" equals \"MaxPosX\"), so it "
                   "only ever gives 0",
            menu + "\"Loose_Knob\": is a slider knob that does not bind to the camera; its collider follows it only "
                   "in screen space",
            menu + "\"Loose_Knob\": is a slider knob shown at start; its collider is placed where it stands after "
                   "its start and then moved again, so it is picked in the wrong place",
            menu + "\"Loose_Knob\": is a slider knob placed away from its track's start (890, 640); "
                   "its collider is placed where the file puts it and moved from there as if that were the start",
            menu + "\"Loose_Knob\": names the fill \"Good_Knob\", which is no camera-bound image (bImageBehaviour "
                   "with \"BindToCamera\")",
            menu + "\"Idle_Plus\": is a plus or minus button without \"AffectSliders\", so it moves nothing",
            menu + "\"Wrong_Minus\": \"AffectSliders\" names \"Fill\", which is no slider knob",
            // Cutscenes.
            cutscene + ", entity \"CutsceneAudio\": follows 3 \"ATRIG\" texts where its form needs 4, so it stays "
                       "silent",
            cutscene + ", entity \"Line2\": is tagged \"ATRIG\" but is no text; the cutscene's sound follows texts",
            cutscene + ", entity \"Still\": is a cutscene image without an effect length (\"FXDuration\"), so the "
                       "first click in the cutscene hides it",
            cutscene + ", entity \"Line3\": hands over to \"Nowhere\", which the scene lacks"));
}
