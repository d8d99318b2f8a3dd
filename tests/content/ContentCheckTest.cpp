#include "support/content/ContentCheck.h"
#include "support/content/EngineContentRules.h"
#include "support/content/GameContentRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::UnorderedElementsAre;

namespace
{
// The registries and the generated assets do not change during the run: read them once.
const ContentCheck& Check()
{
    static const ContentCheck check = GameContentCheck(GameContent().assetRoot);
    return check;
}

std::vector<fs::path> GameScenes()
{
    return SceneFilesIn(GameContent().resources);
}

// The logo scene alone: the engine's rules over one real scene, whatever else the game holds.
std::vector<fs::path> LogoScene()
{
    return {GameContent().resources / "LogoScene.json"};
}

fs::path GamePrefabs()
{
    return GameContent().resources / "Prefab.json";
}

fs::path Fixture(const std::string& name)
{
    return fs::path(DUSKVANE_FIXTURES) / "content" / name;
}

std::vector<std::string> Texts(const std::vector<ContentFinding>& findings)
{
    std::vector<std::string> texts;
    for (const ContentFinding& finding : findings)
        texts.push_back(finding.Text());
    return texts;
}

// One finding per line.
std::string Listing(const std::vector<ContentFinding>& findings)
{
    std::string listing;
    for (const ContentFinding& finding : findings)
        listing += "\n  " + finding.Text();
    return listing;
}
}

TEST(ContentCheck, TheGamesDataIsSound)
{
    const std::vector<fs::path> scenes = GameScenes();
    ASSERT_FALSE(scenes.empty());
    const std::vector<ContentFinding> findings = Check().Run(scenes, GamePrefabs());
    EXPECT_TRUE(findings.empty()) << "The game's data has faults:" << Listing(findings);
}

// Each fixture scene beside the game's data holds one fault; the check names the file, the
// entity and what is wrong.
TEST(ContentCheck, ReportsTheFaultOfEachFixtureScene)
{
    const struct
    {
        const char* fixture;
        const char* entity;
        const char* problem;
    } cases[] = {
        {"MissingTexture.json", "entity \"Title\"",
         "Renderer textureName names texture \"Title_Missing\", which the generated assets do not have"},
        {"MissingSound.json", "entity \"Logo\"",
         "Behaviour Music names sound \"LogoTheme_true_gameBGM_\", which the generated assets do not have"},
        {"NoIdentifierSystem.json", "entity \"Logo\"",
         "\"Systems\" does not list sIdentifierSystem, so no lookup by name or tag finds it"},
        {"UnknownSystem.json", "entity \"Logo\"", "\"Systems\" names sRenderSystem, which the engine does not register"},
        {"MissingComponent.json", "entity \"Logo\"",
         "lists sRendererSystem but has no Transform, so the engine leaves it out of that system"},
        {"MissingKey.json", "entity \"Logo\"",
         "the engine cannot build it: JSON ERROR (JSON ERROR in content/MissingKey.json: \"xPos\" is missing)"},
        {"MissingClip.json", "entity \"Blast\"",
         "Animation AnimationState needs spritesheet (\"ONESHOT\", \"Non_Hover\"), which the generated assets do not "
         "have"},
        {"NoCamera.json", "", "has no entity named \"Camera\"; drawing and input need one"},
        {"Unparsable.json", "", "does not parse: "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        std::vector<fs::path> scenes = GameScenes();
        scenes.push_back(Fixture(c.fixture));
        const std::vector<ContentFinding> findings = Check().Run(scenes, GamePrefabs());
        ASSERT_EQ(findings.size(), 1u) << Listing(findings);
        EXPECT_EQ(findings[0].file, std::string("content/") + c.fixture);
        EXPECT_EQ(findings[0].entity, c.entity);
        EXPECT_THAT(findings[0].problem, HasSubstr(c.problem));
    }
}

TEST(ContentCheck, ReportsWhatTheEngineNeedsOfThePrefabsItSpawns)
{
    // The engine's rules alone: the game's parts demand prefabs of their own.
    const std::vector<ContentFinding> findings =
        EngineContentCheck(GameContent().assetRoot).Run(LogoScene(), Fixture("BrokenPrefab.json"));
    EXPECT_THAT(Texts(findings),
                UnorderedElementsAre(
                    "Resources/LogoScene.json, entity \"Logo\": Renderer layer 1 is not below the Cursor's layer 1, so "
                    "the cursor would not draw on top",
                    "content/BrokenPrefab.json, entity \"OneshotExplosion\": needs the behaviour bOneShot (SpawnOneShot)",
                    "content/BrokenPrefab.json, entity \"OneshotExplosion\": Animation AnimationTag must be \"ONESHOT\" "
                    "(SpawnOneShot)",
                    "content/BrokenPrefab.json, entity \"OneshotExplosion\": SpawnOneShot needs spritesheet (\"Zombie\", "
                    "\"Explosion\"), which the generated assets do not have",
                    "content/BrokenPrefab.json: has no prefab \"OneshotEnemyDamage\", which SpawnOneShot instantiates",
                    "content/BrokenPrefab.json: has no prefab \"OneshotEnemyDeath\", which SpawnOneShot instantiates",
                    "content/BrokenPrefab.json: has no prefab \"OneshotSparks\", which SpawnOneShot instantiates"));
}

// Later parts add the rules of their behaviours; a behaviour rule sees only its own entities.
TEST(ContentCheck, BehaviourRulesSeeTheirBehavioursEntities)
{
    ContentCheck check(Check().Names());
    check.AddBehaviourRule("bCameraBehaviour", [](const DataEntity& entity, ContentReport& report) {
        report.ExpectTexture(entity, "Camera_Frame", "Behaviour Frame");
    });
    EXPECT_THAT(Texts(check.Run(LogoScene(), GamePrefabs())),
                UnorderedElementsAre("Resources/LogoScene.json, entity \"Camera\": Behaviour Frame names texture "
                                     "\"Camera_Frame\", which the generated assets do not have"));
}
