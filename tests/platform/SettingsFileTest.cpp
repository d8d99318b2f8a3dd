#include "engine/core/Coordinator.h"
#include "engine/core/GameStartUp.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// A registered game (not started) and a settings file in a fresh temporary folder.
struct SettingsTest : testing::Test
{
    fs::path folder = fs::temp_directory_path() / ("duskvane_settings_" + std::to_string(getpid()));
    fs::path file = folder / "Duskvane" / "config.json";
    std::unique_ptr<Coordinator> coordinator = NewCoordinator();

    static std::unique_ptr<Coordinator> NewCoordinator()
    {
        auto made = std::make_unique<Coordinator>();
        RegisterEngine(*made);
        return made;
    }

    void SetUp() override
    {
        fs::remove_all(folder);
        Reset();
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        Reset();
    }
    static void Reset()
    {
        ResetSettingsPath();
        WindowState::Reset();
        sInputSystem::ResetCameraSensitivity();
    }

    sSoundSystem& Sound() const { return *coordinator->GetSystem<sSoundSystem>(); }

    void Write(const std::string& text) const
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    std::string Read() const
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// The file a first run writes, with every key in its place.
const std::string DefaultsText = R"({
    "wWidth": 1920,
    "wHeight": 1080,
    "StartingLevel": "Resources/LogoScene.json",
    "PrefabJSON": "Resources/Prefab.json",
    "PeformanceOutput": false,
    "EnableFullScreen": true,
    "All Vol": 1.0,
    "BGM Vol": 1.0,
    "SFX Vol": 1.0,
    "Mute": false,
    "Unlocked Farmhouse": false,
    "Unlocked Warehouse": false,
    "Unlocked TownHall": false,
    "First Cutscene Cleared": false,
    "Second Cutscene Cleared": false,
    "Third Cutscene Cleared": false,
    "Fourth Cutscene Cleared": false,
    "Tutorial 1 Cleared": false,
    "Tutorial 2 Cleared": false,
    "Allow Cheats": false,
    "Camera Sensitivity": 15.0
})";

// A player's file with nothing at its default.
const std::string PlayedText = R"({
    "wWidth": 1280,
    "wHeight": 720,
    "StartingLevel": "Resources/Level_Farmhouse.json",
    "PrefabJSON": "Resources/Other_Prefab.json",
    "PeformanceOutput": true,
    "EnableFullScreen": false,
    "All Vol": 0.800000011920929,
    "BGM Vol": 0.25,
    "SFX Vol": 0.5,
    "Mute": true,
    "Unlocked Farmhouse": true,
    "Unlocked Warehouse": true,
    "Unlocked TownHall": false,
    "First Cutscene Cleared": true,
    "Second Cutscene Cleared": false,
    "Third Cutscene Cleared": true,
    "Fourth Cutscene Cleared": false,
    "Tutorial 1 Cleared": true,
    "Tutorial 2 Cleared": false,
    "Allow Cheats": true,
    "Camera Sensitivity": 22.5
})";

// PlayedText with one member's value replaced (the member must be present).
std::string PlayedWith(const std::string& key, const std::string& value)
{
    std::string text = PlayedText;
    const std::size_t at = text.find("\"" + key + "\": ");
    const std::size_t start = at + key.size() + 4;
    const std::size_t end = text.find_first_of(",\n", start);
    return text.replace(start, end - start, value);
}

std::string PlayedWithout(const std::string& key)
{
    std::string text = PlayedText;
    const std::size_t at = text.find("    \"" + key + "\": ");
    return text.erase(at, text.find('\n', at) + 1 - at);
}
}

TEST_F(SettingsTest, AFirstRunCreatesTheFolderTakesTheDefaultsAndWritesOnlyWhenSaved)
{
    const SettingsWindowSize size = LoadConfigAt(file, *coordinator);
    EXPECT_TRUE(fs::is_directory(file.parent_path()));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(size.width, 1920);
    EXPECT_EQ(size.height, 1080);
    EXPECT_EQ(coordinator->CurrentScene, "Resources/LogoScene.json");
    EXPECT_EQ(coordinator->PrefabPath, "Resources/Prefab.json");
    EXPECT_TRUE(WindowState::fullScreen);
    EXPECT_EQ(Sound().MasterVolume, 1.0f);
    EXPECT_EQ(sInputSystem::CameraSensitivity(), 15.0f);
    EXPECT_EQ(coordinator->HighestUnlockedLevel, 0);
    EXPECT_FALSE(Sound().StartMuted);

    SaveConfig(*coordinator);
    EXPECT_EQ(Read(), DefaultsText);
    EXPECT_FALSE(fs::exists(fs::path(file) += ".tmp"));
}

TEST_F(SettingsTest, TheFileLivesInTheDocumentsFolder)
{
    const char* oldHome = std::getenv("HOME");
    const std::string saved = oldHome != nullptr ? oldHome : "";
    setenv("HOME", folder.c_str(), 1);
    LoadConfig("config.json", *coordinator);
    const fs::path chosen = SettingsPath();
    if (oldHome != nullptr)
        setenv("HOME", saved.c_str(), 1);
    else
        unsetenv("HOME");
    EXPECT_EQ(chosen, folder / "Documents" / "Duskvane" / "config.json");
    EXPECT_TRUE(fs::is_directory(folder / "Documents" / "Duskvane"));
}

TEST_F(SettingsTest, WithoutAChosenPathNothingIsWritten)
{
    const fs::path here = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    SaveConfig(*coordinator);
    const bool empty = fs::is_empty(folder);
    fs::current_path(here);
    EXPECT_TRUE(empty);
}

TEST_F(SettingsTest, EveryValueIsWrittenInItsPlaceAndReadBack)
{
    WindowState::width = 1280;
    WindowState::height = 720;
    WindowState::fullScreen = false;
    coordinator->StartingLevel = "Resources/Level_Farmhouse.json";
    coordinator->PrefabPath = "Resources/Other_Prefab.json";
    coordinator->PeformanceOutput = true;
    Sound().SetMasterVolume(0.8f);
    Sound().SetMusicVolume(0.25f);
    Sound().SetEffectsVolume(0.5f);
    coordinator->LevelUnlocked[1] = coordinator->LevelUnlocked[2] = true;
    coordinator->CutsceneCleared["First Cutscene"] = coordinator->CutsceneCleared["Third Cutscene"] = true;
    coordinator->TutorialCleared[1] = true;
    coordinator->AllowCheats = true;
    sInputSystem::CameraSensitivity() = 22.5f;
    SettingsPath() = file;
    fs::create_directories(file.parent_path());
    SaveConfig(*coordinator);
    // Floats are widened to double: 0.8f is written as the double nearest to it.
    EXPECT_EQ(Read(), PlayedWith("Mute", "false"));

    // A muted player's file, read into a fresh game.
    Write(PlayedText);
    Reset();
    auto again = NewCoordinator();
    const SettingsWindowSize size = LoadConfigAt(file, *again);
    EXPECT_EQ(size.width, 1280);
    EXPECT_EQ(size.height, 720);
    EXPECT_FALSE(WindowState::fullScreen);
    EXPECT_EQ(again->CurrentScene, "Resources/Level_Farmhouse.json");
    EXPECT_EQ(again->StartingLevel, "Resources/Level_Farmhouse.json");
    EXPECT_EQ(again->PrefabPath, "Resources/Other_Prefab.json");
    EXPECT_TRUE(again->PeformanceOutput);
    EXPECT_EQ(again->HighestUnlockedLevel, 2);
    EXPECT_TRUE(again->CutsceneCleared["Third Cutscene"]);
    EXPECT_FALSE(again->CutsceneCleared["Fourth Cutscene"]);
    EXPECT_TRUE(again->TutorialCleared[1]);
    sSoundSystem& sound = *again->GetSystem<sSoundSystem>();
    EXPECT_TRUE(sound.StartMuted);
    EXPECT_EQ(sound.MasterVolume, 0.8f);
    EXPECT_EQ(sound.MusicVolume, 0.25f);
    EXPECT_EQ(sInputSystem::CameraSensitivity(), 22.5f);

    // The sound system's Init mutes it as the user's mute; written back, it is that mute.
    WindowState::width = size.width;
    WindowState::height = size.height;
    sound.Init(*again);
    SaveConfig(*again);
    EXPECT_EQ(Read(), PlayedWith("All Vol", "0.0"));
    sound.Unmute(true);
    EXPECT_EQ(sound.MasterVolume, 0.8f);
}

TEST_F(SettingsTest, LevelsUnlockedGiveTheHighestLevel)
{
    Write(PlayedWith("Unlocked Farmhouse", "false"));
    LoadConfigAt(file, *coordinator);
    EXPECT_EQ(coordinator->HighestUnlockedLevel, 2);

    Reset();
    auto second = NewCoordinator();
    Write(PlayedWith("Unlocked Warehouse", "false"));
    LoadConfigAt(file, *second);
    EXPECT_EQ(second->HighestUnlockedLevel, 1);

    // The last level's unlock is kept like the others, and outranks them.
    Reset();
    auto third = NewCoordinator();
    Write(PlayedWith("Unlocked TownHall", "true"));
    LoadConfigAt(file, *third);
    EXPECT_TRUE(third->LevelUnlocked[3]);
    EXPECT_EQ(third->HighestUnlockedLevel, 3);
    SaveConfig(*third);
    EXPECT_NE(Read().find("    \"Unlocked Warehouse\": true,\n    \"Unlocked TownHall\": true,\n"), std::string::npos);

    // A file written before the key existed reads the last level as locked.
    Reset();
    auto older = NewCoordinator();
    older->LevelUnlocked[3] = true;
    Write(PlayedWithout("Unlocked TownHall"));
    LoadConfigAt(file, *older);
    EXPECT_FALSE(older->LevelUnlocked[3]);
    EXPECT_EQ(older->HighestUnlockedLevel, 2);
}

TEST_F(SettingsTest, AValueThatIsNotFiniteIsWrittenAsTheFirstRunDefault)
{
    LoadConfigAt(file, *coordinator);
    Sound().SetMusicVolume(std::numeric_limits<float>::quiet_NaN());
    sInputSystem::CameraSensitivity() = std::numeric_limits<float>::infinity();
    SaveConfig(*coordinator);
    EXPECT_EQ(Read(), DefaultsText);
}

TEST_F(SettingsTest, DamagedFilesStartWithDefaultsAndLoseNothingElse)
{
    struct Damage
    {
        const char* name;
        std::string text;
        // What the read must show; everything not named keeps the played value.
        std::function<void(Coordinator&, const SettingsWindowSize&)> check;
        bool allDefaults = false;
    };
    const auto keepsPlayed = [](Coordinator& c) {
        EXPECT_TRUE(c.AllowCheats);
        EXPECT_TRUE(c.TutorialCleared[1]);
        EXPECT_EQ(c.GetSystem<sSoundSystem>()->MusicVolume, 0.25f);
        EXPECT_EQ(sInputSystem::CameraSensitivity(), 22.5f);
    };
    const Damage damages[] = {
        {"not JSON", "{\"wWidth\": 1280, \"All Vol\": ", nullptr, true},
        {"empty", "", nullptr, true},
        {"an array at the root", "[1280, 720]", nullptr, true},
        {"a string at the root", "\"settings\"", nullptr, true},
        // Deep enough to overflow a recursive parser's stack.
        {"150,000 opening brackets", std::string(150000, '['), nullptr, true},
        {"bytes after a NUL", std::string("{\"wWidth\": 1280}") + '\0' + "garbage", nullptr, true},
        {"master volume beyond float range", PlayedWith("All Vol", "1e39"),
         [](Coordinator& c, const SettingsWindowSize&) { EXPECT_EQ(c.GetSystem<sSoundSystem>()->MasterVolume, 0.0f); }},
        {"master volume above one", PlayedWith("All Vol", "7"),
         [](Coordinator& c, const SettingsWindowSize&) { EXPECT_EQ(c.GetSystem<sSoundSystem>()->MasterVolume, 1.0f); }},
        {"negative master volume", PlayedWith("All Vol", "-2.5"),
         [](Coordinator& c, const SettingsWindowSize&) { EXPECT_EQ(c.GetSystem<sSoundSystem>()->MasterVolume, 0.0f); }},
        {"width as text", PlayedWith("wWidth", "\"1280\""),
         [](Coordinator&, const SettingsWindowSize& s) {
             EXPECT_EQ(s.width, 1920);
             EXPECT_EQ(s.height, 720);
         }},
        {"fractional width", PlayedWith("wWidth", "1280.5"),
         [](Coordinator&, const SettingsWindowSize& s) { EXPECT_EQ(s.width, 1920); }},
        {"zero height", PlayedWith("wHeight", "0"),
         [](Coordinator&, const SettingsWindowSize& s) {
             EXPECT_EQ(s.width, 1280);
             EXPECT_EQ(s.height, 1080);
         }},
        {"negative height", PlayedWith("wHeight", "-720"),
         [](Coordinator&, const SettingsWindowSize& s) { EXPECT_EQ(s.height, 1080); }},
        {"no size", PlayedWithout("wHeight"),
         [](Coordinator&, const SettingsWindowSize& s) {
             EXPECT_EQ(s.width, 1280);
             EXPECT_EQ(s.height, 1080);
         }},
        {"starting level as a number", PlayedWith("StartingLevel", "3"),
         [](Coordinator& c, const SettingsWindowSize&) {
             EXPECT_EQ(c.CurrentScene, "Resources/LogoScene.json");
             EXPECT_EQ(c.StartingLevel, "Resources/LogoScene.json");
             EXPECT_EQ(c.PrefabPath, "Resources/Other_Prefab.json");
         }},
        {"no starting level", PlayedWithout("StartingLevel"),
         [](Coordinator& c, const SettingsWindowSize&) { EXPECT_EQ(c.CurrentScene, "Resources/LogoScene.json"); }},
        {"prefab file as null", PlayedWith("PrefabJSON", "null"),
         [](Coordinator& c, const SettingsWindowSize&) {
             EXPECT_EQ(c.PrefabPath, "Resources/Prefab.json");
             EXPECT_EQ(c.CurrentScene, "Resources/Level_Farmhouse.json");
         }},
        {"full screen as text", PlayedWith("EnableFullScreen", "\"yes\""),
         [](Coordinator&, const SettingsWindowSize&) { EXPECT_FALSE(WindowState::fullScreen); }},
    };
    for (const Damage& damage : damages)
    {
        SCOPED_TRACE(damage.name);
        Reset();
        coordinator = NewCoordinator();
        Write(damage.text);
        const SettingsWindowSize size = LoadConfigAt(file, *coordinator);
        if (damage.allDefaults)
        {
            EXPECT_EQ(size.width, 1920);
            EXPECT_EQ(size.height, 1080);
            EXPECT_EQ(coordinator->CurrentScene, "Resources/LogoScene.json");
            EXPECT_TRUE(WindowState::fullScreen);
            EXPECT_EQ(Sound().MasterVolume, 1.0f);
            EXPECT_EQ(sInputSystem::CameraSensitivity(), 15.0f);
            continue;
        }
        damage.check(*coordinator, size);
        keepsPlayed(*coordinator);
        // Written back whole: the damaged key repaired, every other value as it was.
        WindowState::width = size.width;
        WindowState::height = size.height;
        SaveConfig(*coordinator);
        rapidjson::Document written;
        written.Parse(Read().c_str());
        ASSERT_TRUE(written.IsObject());
        EXPECT_EQ(written.MemberCount(), 21u);
        EXPECT_TRUE(written["Allow Cheats"].IsTrue());
        EXPECT_TRUE(written["Third Cutscene Cleared"].IsTrue());
        EXPECT_EQ(written["SFX Vol"].GetDouble(), 0.5);
    }
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenIsAnErrorAndTheOldFileStays)
{
    Write(PlayedText);
    LoadConfigAt(file, *coordinator);
    coordinator->AllowCheats = false;
    // Something that is not a file sits where the temporary file goes.
    fs::create_directories(fs::path(file) += ".tmp");
    EXPECT_EQ(AssertMessageOf([&] { SaveConfig(*coordinator); }), "JSON ERROR");
    EXPECT_EQ(Read(), PlayedText);
}

TEST_F(SettingsTest, AWriteCutShortLeavesTheOldFileWhole)
{
    Write(PlayedText);
    LoadConfigAt(file, *coordinator);
    coordinator->AllowCheats = false;
    Sound().SetMasterVolume(0.1f);

    // The child may write no more than 64 bytes into any file: the first time with the signal
    // that kills it mid-write, the second time with the failing write reported.
    for (bool killed : {true, false})
    {
        SCOPED_TRACE(killed ? "killed" : "write fails");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            if (!killed)
                std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
            const std::string message = AssertMessageOf([&] { SaveConfig(*coordinator); });
            _exit(message == "JSON ERROR" ? 3 : 4);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (killed)
        {
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
        }
        else
        {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 3);
            EXPECT_FALSE(fs::exists(fs::path(file) += ".tmp"));
        }
        EXPECT_EQ(Read(), PlayedText);
    }

    // Nothing is stuck: the next save replaces the file.
    SaveConfig(*coordinator);
    EXPECT_NE(Read().find("\"Allow Cheats\": false"), std::string::npos);
    EXPECT_NE(Read().find("\"All Vol\": 0.10000000149011612"), std::string::npos);
}
