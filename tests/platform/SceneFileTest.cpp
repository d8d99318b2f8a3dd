#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/GameStartUp.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/SceneFile.h"
#include "engine/platform/native/Platform.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bFontBehaviour.h"
#include "support/AssertCapture.h"
#include "support/RecordingBehaviour.h"
#include "support/ScriptedPlatform.h"
#include "support/TestGame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;

namespace
{
// A registered game that has not loaded anything, on the scripted platform, with the fixture
// prefab file; scene texts can be written to a temporary folder.
struct SceneFileTest : testing::Test
{
    ScriptedPlatform& platform = ScriptedPlatform::Install();
    Coordinator coordinator;
    fs::path folder = fs::temp_directory_path() / ("duskvane_scenes_" + std::to_string(getpid()));
    std::vector<std::string> journal;

    void SetUp() override
    {
        ResetPrefabCache();
        RegisterEngine(coordinator);
        coordinator.BehaviourSystem->RegisterBehaviour<RecordingBehaviour>();
        coordinator.PrefabPath = TestGame::Fixture("Prefab.json");
        RecordingBehaviour::Journal() = &journal;
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        RecordingBehaviour::Journal() = nullptr;
        ResetPrefabCache();
        ResetPlatform();
        fs::remove_all(folder);
    }

    std::string WriteFile(const std::string& name, const std::string& text) const
    {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string Scene(const std::string& entities) const
    {
        return WriteFile("scene.json", R"({"entities": [)" + entities + "]}");
    }

    Entity Named(const std::string& name)
    {
        return coordinator.GetSystem<sIdentifierSystem>()->FindEntityByName(coordinator, name).second;
    }
    std::vector<std::string> Systems(Entity entity) { return coordinator.GetSystemsOfEntity(entity); }
};

// The assert's message, and what went to stderr on the way.
struct Failure
{
    std::string message;
    std::string stderrText;
};

template <class Statement>
Failure FailureOf(Statement&& statement)
{
    testing::internal::CaptureStderr();
    Failure failure;
    failure.message = AssertMessageOf(statement);
    failure.stderrText = testing::internal::GetCapturedStderr();
    return failure;
}
}

TEST_F(SceneFileTest, ASceneBuildsComponentsBehavioursAndSystems)
{
    LoadScene(TestGame::Fixture("scenes/MenuScene.json"), coordinator);

    EXPECT_EQ(coordinator.EntityManager.LivingCount(), 5);
    const Entity camera = Named("Camera");
    EXPECT_EQ(camera, 0);
    EXPECT_EQ(coordinator.CameraEntity, 0);
    EXPECT_EQ(coordinator.GetComponent<Transform>(camera)->position.x, 960.0f);
    EXPECT_NE(coordinator.GetBehaviourAs<bCameraBehaviour>(camera), nullptr);

    const Entity backdrop = Named("Backdrop");
    EXPECT_EQ(backdrop, 1);
    const Renderer& renderer = *coordinator.GetComponent<Renderer>(backdrop);
    EXPECT_EQ(renderer.textureName, "MainMenu_Background");
    EXPECT_EQ(renderer.opacity, 0.5f);
    EXPECT_THAT(coordinator.GetComponent<Identifier>(backdrop)->tags, ElementsAre("UI", "MENU"));
    EXPECT_FLOAT_EQ(coordinator.GetComponent<Transform>(backdrop)->rotation, 1.5707964f);
    // An unknown system ("sNoSuchSystem") is left out without a word.
    EXPECT_THAT(Systems(backdrop), ElementsAre("class sIdentifierSystem", "class sRendererSystem"));

    // An entity without an Identifier stays out of the identifier system; its own components
    // and behaviour are there.
    EXPECT_TRUE(Systems(2).empty());
    EXPECT_EQ(coordinator.GetComponent<Lighting>(2)->radius, 300.0f);
    EXPECT_NE(coordinator.GetBehaviourAs<bFontBehaviour>(2), nullptr);

    // Names are made unique, then the cursor prefab comes last and hides the system cursor.
    EXPECT_EQ(Named("Backdrop1"), 3);
    EXPECT_EQ(coordinator.CursorEntity, 4);
    EXPECT_EQ(Named("Cursor"), 4);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(4)->textureName, "Cursor");
    EXPECT_TRUE(platform.cursorHidden);

    // Every behaviour of the scene was woken and started by the load.
    std::shared_ptr<IBehaviour> behaviour;
    ASSERT_TRUE(coordinator.GetBehaviour(camera, behaviour));
    EXPECT_EQ(behaviour->state, BehaviourRunning);
    EXPECT_TRUE(coordinator.BehaviourSystem->Started());
}

TEST_F(SceneFileTest, AnEmptySceneHoldsOnlyTheCursor)
{
    LoadScene(Scene(""), coordinator);
    EXPECT_EQ(coordinator.EntityManager.LivingCount(), 1);
    EXPECT_EQ(coordinator.CursorEntity, 0);
    EXPECT_EQ(Named("Cursor"), 0);
}

TEST_F(SceneFileTest, APathInTheWrongCaseStillFindsTheScene)
{
    LoadScene(std::string(DUSKVANE_FIXTURES) + "/SCENES/menuscene.JSON", coordinator);
    EXPECT_EQ(Named("Backdrop"), 1);
}

TEST_F(SceneFileTest, BehavioursOfASceneWakeAfterEveryEntityIsComplete)
{
    LoadScene(Scene(R"({"Identifier": {"type": "A"}, "Behaviour": {"NameOfThisBehaviour": "RecordingBehaviour"}},
                       {"Identifier": {"type": "B"}, "Behaviour": {"NameOfThisBehaviour": "RecordingBehaviour"}})"),
              coordinator);
    EXPECT_THAT(journal, ElementsAre("Deserialize 0", "Deserialize 1", "Awake 0", "Awake 1", "Start 0", "Start 1"));
}

TEST_F(SceneFileTest, WronglyShapedScenesEndInTheJsonErrorNamingTheKey)
{
    struct Case
    {
        const char* name;
        std::string text;
        const char* named; // what stderr must name
    };
    const Case cases[] = {
        {"unparsable", R"({"entities": [)", "does not parse"},
        {"150,000 opening brackets", std::string(150000, '['), "deeper than 256 levels"},
        {"bytes after a NUL", std::string(R"({"entities": []})") + '\0' + R"({"entities": [5]})",
         "NUL byte at offset 16"},
        {"a number beyond float range", R"({"entities": [{"Transform": {"yPos": 1e39}}]})", "beyond the range of a float"},
        {"root array", R"([{"Identifier": {"type": "A"}}])", "\"entities\" is missing"},
        {"entities not an array", R"({"entities": {"Identifier": {"type": "A"}}})", "\"entities\" must be an array"},
        {"element not an object", R"({"entities": [{"Identifier": {"type": "A"}}, 5]})", "\"entities\" element 1"},
        {"Identifier without type", R"({"entities": [{"Identifier": {"tags": "UI"}}]})", "\"type\" is missing"},
        {"type not a string", R"({"entities": [{"Identifier": {"type": 7}}]})", "\"type\" must be a string"},
        {"component not an object", R"({"entities": [{"Transform": 3}]})", "\"Transform\" must be an object"},
        {"shaderName missing",
         R"({"entities": [{"Renderer": {"modelID": 1, "textureName": "t", "layer": 0}}]})",
         "\"shaderName\" is missing"},
        {"shaderName not a string",
         R"({"entities": [{"Renderer": {"shaderName": 1, "modelID": 1, "textureName": "t", "layer": 0}}]})",
         "\"shaderName\" must be a string"},
        {"Behaviour not an object", R"({"entities": [{"Behaviour": "bCameraBehaviour"}]})",
         "\"Behaviour\" must be an object"},
        {"Behaviour without a name", R"({"entities": [{"Behaviour": {"Name": "bCameraBehaviour"}}]})",
         "\"NameOfThisBehaviour\" is missing"},
        {"Behaviour name not a string", R"({"entities": [{"Behaviour": {"NameOfThisBehaviour": null}}]})",
         "\"NameOfThisBehaviour\" must be a string"},
        {"Systems not an array", R"({"entities": [{"Systems": "sIdentifierSystem"}]})", "\"Systems\" must be an array"},
        {"a system name not a string", R"({"entities": [{"Systems": ["sIdentifierSystem", 2]}]})",
         "\"Systems\" must be a string"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Coordinator fresh;
        RegisterEngine(fresh);
        fresh.PrefabPath = coordinator.PrefabPath;
        const std::string path = WriteFile("bad.json", c.text);
        const Failure failure = FailureOf([&] { LoadScene(path, fresh); });
        EXPECT_EQ(failure.message, "JSON ERROR");
        EXPECT_THAT(failure.stderrText, HasSubstr(c.named));
        EXPECT_THAT(failure.stderrText, HasSubstr("bad.json"));
    }

    const Failure missing = FailureOf([&] { LoadScene((folder / "NoSuchScene.json").string(), coordinator); });
    EXPECT_EQ(missing.message, "JSON ERROR");
    EXPECT_THAT(missing.stderrText, HasSubstr("NoSuchScene.json\" cannot be opened"));
}

TEST_F(SceneFileTest, EntitiesBeforeABadElementStay)
{
    EXPECT_EQ(AssertMessageOf([&] { LoadScene(Scene(R"({"Identifier": {"type": "Kept"}}, [])"), coordinator); }),
              "JSON ERROR");
    EXPECT_TRUE(coordinator.IsAlive(0));
    EXPECT_EQ(coordinator.GetComponent<Identifier>(0)->name, "Kept");
}

TEST_F(SceneFileTest, AnUnknownBehaviourIsTheBehaviourSystemsAssert)
{
    EXPECT_EQ(AssertMessageOf([&] { LoadScene(Scene(R"({"Behaviour": {"NameOfThisBehaviour": "bNope"}})"), coordinator); }),
              "ADDING BEHAVIOUR OF TYPE : class bNope WHEN IT WAS NOT REGISTERED");
}

TEST_F(SceneFileTest, ThePrefabFileGivesItsFirstEntryOfAName)
{
    LoadScene(Scene(""), coordinator);
    const Entity first = InstantiatePrefab(coordinator, "PopUpText");
    EXPECT_THAT(coordinator.GetComponent<Identifier>(first)->tags, ElementsAre("first"));
    EXPECT_EQ(coordinator.GetComponent<Transform>(first)->position.x, 5.0f);
    const Entity second = InstantiatePrefab(coordinator, "PopUpText");
    EXPECT_THAT(coordinator.GetComponent<Identifier>(second)->tags, ElementsAre("first"));
    EXPECT_EQ(coordinator.GetComponent<Identifier>(first)->name, "PopUpText");
    EXPECT_EQ(coordinator.GetComponent<Identifier>(second)->name, "PopUpText1");

    EXPECT_THAT(GetPrefabNames(coordinator), ElementsAre("Cursor", "PopUpText", "PopUpText", "Marker"));
    EXPECT_EQ(AssertMessageOf([&] { InstantiatePrefab(coordinator, "Ghost"); }), "PREFAB GhostNOT FOUND");
    EXPECT_EQ(AssertMessageOf([&] { InstantiatePrefab(coordinator, "popuptext"); }), "PREFAB popuptextNOT FOUND");
}

TEST_F(SceneFileTest, APrefabDuringPlayIsAwakeAndStartedBeforeItsDataIsRead)
{
    LoadScene(Scene(""), coordinator);
    journal.clear();
    const Entity marker = InstantiatePrefab(coordinator, "Marker");
    const std::string id = std::to_string(marker);
    EXPECT_THAT(journal, ElementsAre("Awake " + id, "Start " + id, "Deserialize " + id));
    EXPECT_THAT(Systems(marker), ElementsAre("class sIdentifierSystem"));
}

TEST_F(SceneFileTest, ThePrefabFileIsReadOnceForTheWholeRun)
{
    LoadScene(Scene(""), coordinator);
    // A new path (or a changed file) has no effect until the next start.
    coordinator.PrefabPath = WriteFile("other.json", R"({"prefab": []})");
    EXPECT_NO_THROW(InstantiatePrefab(coordinator, "PopUpText"));
}

TEST_F(SceneFileTest, WronglyShapedPrefabFilesEndInTheJsonError)
{
    struct Case
    {
        const char* name;
        std::string text;
        const char* named;
    };
    const Case cases[] = {
        {"unparsable", R"({"prefab": [)", "does not parse"},
        {"150,000 opening brackets", R"({"prefab": )" + std::string(150000, '['), "deeper than 256 levels"},
        {"bytes after a NUL", std::string(R"({"prefab": []})") + '\0', "NUL byte at offset 14"},
        {"no prefab array", R"({"prefabs": []})", "\"prefab\" is missing"},
        {"prefab not an array", R"({"prefab": {}})", "\"prefab\" must be an array"},
        {"entry not an object", R"({"prefab": [3, {"Identifier": {"type": "Cursor"}}]})", "\"prefab\" entries must be objects"},
        {"entry without Identifier", R"({"prefab": [{"Transform": {}}, {"Identifier": {"type": "Cursor"}}]})",
         "\"Identifier\" is missing"},
        {"Identifier without type", R"({"prefab": [{"Identifier": {}}, {"Identifier": {"type": "Cursor"}}]})",
         "\"type\" is missing"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ResetPrefabCache();
        coordinator.PrefabPath = WriteFile("prefabs.json", c.text);
        const Failure failure = FailureOf([&] { InstantiatePrefab(coordinator, "Cursor"); });
        EXPECT_EQ(failure.message, "JSON ERROR");
        EXPECT_THAT(failure.stderrText, HasSubstr(c.named));
        EXPECT_THAT(failure.stderrText, HasSubstr("prefabs.json"));
    }

    ResetPrefabCache();
    coordinator.PrefabPath = (folder / "Missing.json").string();
    const Failure missing = FailureOf([&] { GetPrefabNames(coordinator); });
    EXPECT_EQ(missing.message, "JSON ERROR");
    EXPECT_THAT(missing.stderrText, HasSubstr("Missing.json: cannot be opened"));
}
