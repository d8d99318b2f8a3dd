#include "support/content/ContentCheck.h"
#include "support/content/EngineContentRules.h"
#include "support/content/GameContentRules.h"
#include "support/content/ScreenElementContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::UnorderedElementsAre;

// The screen elements' rules alone, over a fixture scene and prefab file that break each of them
// once and keep to them elsewhere.
TEST(ScreenElementContent, ReportsEveryFaultOfTheScreenElementsData)
{
    ContentCheck check(GameContentCheck(GameContent().assetRoot).Names());
    AddScreenElementRules(check);
    const fs::path fixtures = fs::path(DUSKVANE_FIXTURES) / "content" / "screen";
    std::vector<std::string> texts;
    for (const ContentFinding& finding : check.Run({fixtures / "ScreenElements.json"}, fixtures / "ScreenPrefabs.json"))
        texts.push_back(finding.Text());

    const std::string scene = "screen/ScreenElements.json, ";
    const std::string prefabs = "screen/ScreenPrefabs.json, ";
    EXPECT_THAT(
        texts,
        UnorderedElementsAre(
            // Words their tables lack.
            scene + "entity \"Typo_Image\": Behaviour \"ImageFX\" names \"Fadeto\", which is not one of the "
                    "ImageEffects, so the game ignores it",
            scene + "entity \"Typo_Image\": Behaviour \"QueueToFX\" names \"Flicker \", which is not one of the "
                    "ImageEffects, so the game ignores it",
            scene + "entity \"Typo_Button\": Behaviour \"UniqueBehaviour\" names \"reload\", which is not one of "
                    "the ButtonActions, so the game ignores it",
            scene + "entity \"Typo_Button\": Behaviour \"ChangeGameState\" names \"Pause\", which is not one of the "
                    "GameStates, so the game ignores it",
            scene + "entity \"Typo_Button\": Behaviour \"SliderType\" names \"horizontal\", which is not one of the "
                    "Orientations, so the game ignores it",
            scene + "entity \"Typo_Button\": Behaviour \"SliderBehaviour\" names \"Music\", which is not one of the "
                    "SettingKeys, so the game ignores it",
            scene + "entity \"Typo_Text\": Behaviour \"FontFX\" names \"Typewritter\", which is not one of the "
                    "TextEffects, so the game ignores it",
            scene + "entity \"Typo_Text\": Behaviour \"Data\" names \"Ammo_clip\", which is not one of the figures "
                    "a text shows, so the game ignores it",
            scene + "entity \"Player_1\": Behaviour \"Weapon\" names \"m4a1\", which is not one of the WeaponTypes, "
                    "so the game ignores it",
            scene + "entity \"Level\": Behaviour \"GameObjective\" names \"KillAll\", which is not one of the "
                    "ObjectiveTypes, so the game ignores it",
            // Components and tags.
            scene + "entity \"Bare_Button\": has a bUIButtonBehaviour, which joins sPhysicsCollision when shown, "
                    "but no PhysicsCollision",
            scene + "entity \"Bare_Button\": has a bUIButtonBehaviour, which joins sPhysicsCollision when shown, "
                    "but no PhysicsMovement",
            scene + "entity \"Bare_Button\": has a bUIButtonBehaviour but no \"UIBUTTON\" tag, so the cursor never "
                    "picks it",
            // Hidden at start, yet drawn.
            scene + "entity \"Hidden_Text\": starts hidden (\"OnInitialScreen\" is not true) but \"Systems\" lists "
                    "sRendererSystem, so it is drawn while hidden until it is first shown",
            scene + "entity \"Hidden_Text\": starts hidden (\"OnInitialScreen\" is not true) but \"Systems\" lists "
                    "sFontSystem, so it is drawn while hidden until it is first shown",
            prefabs + "entity \"Burning_Note\": is spawned during play, so it starts hidden whatever its "
                      "\"OnInitialScreen\" says, but \"Systems\" lists sRendererSystem, so it is drawn while hidden "
                      "until it is first shown",
            prefabs + "entity \"Burning_Note\": is spawned during play, so it starts hidden whatever its "
                      "\"OnInitialScreen\" says, but \"Systems\" lists sFontSystem, so it is drawn while hidden "
                      "until it is first shown",
            // Keys that only Awake or Start use, on prefabs spawned during play. The icons' spawners
            // bind them themselves and the burning area sets its marker's effect up itself; the
            // HUD's pop-up text is spawned while the level loads and reads its data first.
            prefabs + "entity \"Danger_Icon\": is spawned during play by bCharacterBehaviour::ShowDangerIcon: its "
                      "behaviour wakes and starts before its data is read, so Behaviour \"BindToCamera\" (used by "
                      "Awake) does nothing",
            prefabs + "entity \"Plus_Icon\": is spawned during play by a soldier's heal or health pickup: its "
                      "behaviour wakes and starts before its data is read, so Behaviour \"OnInitialScreen\" (used "
                      "by Start) does nothing",
            prefabs + "entity \"Plus_Icon\": is spawned during play by a soldier's heal or health pickup: its "
                      "behaviour wakes and starts before its data is read, so Behaviour \"QueueToEntity\" (used by "
                      "Start) does nothing",
            prefabs + "entity \"Fire_AOE_Indicator\": is spawned during play by a burning damage area: its "
                      "behaviour wakes and starts before its data is read, so Behaviour \"RotationForce\" (used by "
                      "Start) does nothing",
            prefabs + "entity \"Burning_Note\": is spawned during play by the destruction of entity \"Barrel\" of "
                      "screen/ScreenElements.json: its behaviour wakes and starts before its data is read, so "
                      "Behaviour \"QueueToEntity\" (used by Start) does nothing",
            prefabs + "entity \"Burning_Note\": is spawned during play by the destruction of entity \"Barrel\" of "
                      "screen/ScreenElements.json: its behaviour wakes and starts before its data is read, so "
                      "Behaviour \"FontFX\" (used by Start) does nothing"));
}
