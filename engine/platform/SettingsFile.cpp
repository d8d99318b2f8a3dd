#include "engine/platform/SettingsFile.h"

#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/Folders.h"
#include "engine/platform/sInputSystem.h"
#include "engine/platform/sSoundSystem.h"

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const char* const DefaultStartingLevel = "Resources/LogoScene.json";
const char* const DefaultPrefabFile = "Resources/Prefab.json";

struct CutsceneKey
{
    const char* key;
    const char* name;
};
constexpr CutsceneKey CutsceneKeys[] = {
    {"First Cutscene Cleared", "First Cutscene"},
    {"Second Cutscene Cleared", "Second Cutscene"},
    {"Third Cutscene Cleared", "Third Cutscene"},
    {"Fourth Cutscene Cleared", "Fourth Cutscene"},
};

sSoundSystem& SoundOf(Coordinator& coordinator)
{
    return *coordinator.GetSystem<sSoundSystem>();
}

void ApplyDefaults(Coordinator& coordinator)
{
    coordinator.CurrentScene = DefaultStartingLevel;
    coordinator.StartingLevel = DefaultStartingLevel;
    coordinator.PrefabPath = DefaultPrefabFile;
    coordinator.PeformanceOutput = false;
    WindowState::fullScreen = true;
    sSoundSystem& sound = SoundOf(coordinator);
    sound.SetMasterVolume(1.0f);
    sound.SetMusicVolume(1.0f);
    sound.SetEffectsVolume(1.0f);
    coordinator.LevelUnlocked[1] = false;
    coordinator.LevelUnlocked[2] = false;
    coordinator.LevelUnlocked[3] = false;
    for (const CutsceneKey& cutscene : CutsceneKeys)
        coordinator.CutsceneCleared[cutscene.name] = false;
    coordinator.TutorialCleared[1] = false;
    coordinator.TutorialCleared[2] = false;
    coordinator.AllowCheats = false;
    sInputSystem::CameraSensitivity() = sInputSystem::DefaultCameraSensitivity;
}

// The settings are read leniently: a value of the wrong kind reads as missing, never as an
// error, so a hand-edited file cannot keep the game from starting.
bool FlagOf(const rapidjson::Value& root, const char* key)
{
    const rapidjson::Value* value = Json::Find(root, key);
    return value != nullptr && value->IsTrue();
}

// A number beyond float range would read as infinity (and could never be written back): it is
// refused like a value of the wrong kind.
float NumberOf(const rapidjson::Value& root, const char* key)
{
    const rapidjson::Value* value = Json::Find(root, key);
    if (value == nullptr || !value->IsNumber())
        return 0.0f;
    const double number = value->GetDouble();
    if (!(std::fabs(number) <= static_cast<double>(std::numeric_limits<float>::max())))
        return 0.0f;
    return static_cast<float>(number);
}

float VolumeOf(const rapidjson::Value& root, const char* key)
{
    return std::clamp(NumberOf(root, key), 0.0f, 1.0f);
}

std::int32_t SizeOf(const rapidjson::Value& root, const char* key, std::int32_t fallback)
{
    const rapidjson::Value* value = Json::Find(root, key);
    return value != nullptr && value->IsInt() && value->GetInt() > 0 ? value->GetInt() : fallback;
}

std::string TextOf(const rapidjson::Value& root, const char* key, const char* fallback)
{
    const rapidjson::Value* value = Json::Find(root, key);
    if (value == nullptr || !value->IsString())
        return fallback;
    return std::string(value->GetString(), value->GetStringLength());
}

SettingsWindowSize ReadSettings(const rapidjson::Value& root, Coordinator& coordinator)
{
    SettingsWindowSize size;
    size.width = SizeOf(root, "wWidth", 1920);
    size.height = SizeOf(root, "wHeight", 1080);
    coordinator.CurrentScene = TextOf(root, "StartingLevel", DefaultStartingLevel);
    coordinator.StartingLevel = coordinator.CurrentScene;
    coordinator.PrefabPath = TextOf(root, "PrefabJSON", DefaultPrefabFile);
    coordinator.PeformanceOutput = FlagOf(root, "PeformanceOutput");
    WindowState::fullScreen = FlagOf(root, "EnableFullScreen");

    sSoundSystem& sound = SoundOf(coordinator);
    sound.SetMasterVolume(VolumeOf(root, "All Vol"));
    sound.SetMusicVolume(VolumeOf(root, "BGM Vol"));
    sound.SetEffectsVolume(VolumeOf(root, "SFX Vol"));

    coordinator.LevelUnlocked[1] = FlagOf(root, "Unlocked Farmhouse");
    coordinator.LevelUnlocked[2] = FlagOf(root, "Unlocked Warehouse");
    // Kept like the others so that the last level stays open after a restart; older files
    // without the key read it as locked.
    coordinator.LevelUnlocked[3] = FlagOf(root, "Unlocked TownHall");
    if (coordinator.LevelUnlocked[3])
        coordinator.HighestUnlockedLevel = 3;
    else if (coordinator.LevelUnlocked[2])
        coordinator.HighestUnlockedLevel = 2;
    else if (coordinator.LevelUnlocked[1])
        coordinator.HighestUnlockedLevel = 1;

    for (const CutsceneKey& cutscene : CutsceneKeys)
        coordinator.CutsceneCleared[cutscene.name] = FlagOf(root, cutscene.key);
    coordinator.TutorialCleared[1] = FlagOf(root, "Tutorial 1 Cleared");
    coordinator.TutorialCleared[2] = FlagOf(root, "Tutorial 2 Cleared");
    coordinator.AllowCheats = FlagOf(root, "Allow Cheats");
    if (FlagOf(root, "Mute"))
        sound.StartMuted = true;
    sInputSystem::CameraSensitivity() = NumberOf(root, "Camera Sensitivity");
    return size;
}

// JSON has no word for a non-finite number (the writer would leave the file unreadable): such a
// value is written as the first run's default.
double FiniteOr(float value, float fallback)
{
    return static_cast<double>(std::isfinite(value) ? value : fallback);
}

// Writes the whole text to the file descriptor; false (errno set) when any write fails.
bool WriteAll(int file, const std::string& text)
{
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0)
    {
        const ssize_t written = ::write(file, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

[[noreturn]] void FailToWrite(const fs::path& temporary, const std::string& what)
{
    const std::string reason = what + ": " + std::strerror(errno);
    ::unlink(temporary.c_str());
    JsonAssertFail(reason);
}
}

fs::path& SettingsPath()
{
    static fs::path path;
    return path;
}

void ResetSettingsPath()
{
    SettingsPath().clear();
}

SettingsWindowSize LoadConfig(const std::string& fileName, Coordinator& coordinator)
{
    const fs::path documents = DocumentsFolder();
    if (documents.empty())
    {
        SettingsPath().clear();
        ApplyDefaults(coordinator);
        return {};
    }
    return LoadConfigAt(documents / "Duskvane" / fileName, coordinator);
}

SettingsWindowSize LoadConfigAt(const fs::path& path, Coordinator& coordinator)
{
    SettingsPath() = path;
    CreateFolder(path.parent_path());

    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        ApplyDefaults(coordinator);
        return {};
    }
    std::stringstream text;
    text << file.rdbuf();
    rapidjson::Document document;
    const std::string problem = Json::ParseText(text.str(), document);
    if (!problem.empty() || !document.IsObject())
    {
        // A damaged file is not the user's fault to fix: the game starts on the defaults and the
        // next save replaces the file.
        std::fprintf(stderr, "Settings file %s %s: the defaults are used\n", path.c_str(),
                     problem.empty() ? "does not hold an object" : problem.c_str());
        ApplyDefaults(coordinator);
        return {};
    }
    return ReadSettings(document, coordinator);
}

std::string SettingsText(Coordinator& coordinator)
{
    const sSoundSystem& sound = SoundOf(coordinator);
    // Losing the focus is not the user's choice: such a mute is saved as the state before it.
    const bool mutedByFocusOnly =
        coordinator.FocusMuted && coordinator.FocusMuteSilenced && sound.Muted && !sound.MutedByUser;
    const bool mute = sound.Muted && !mutedByFocusOnly;
    const float master = mutedByFocusOnly ? coordinator.MasterVolumeBeforeFocusMute : sound.MasterVolume;

    rapidjson::StringBuffer buffer;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
    // Every call's answer is kept: a refused value would leave a key without a value behind.
    bool written = true;
    auto check = [&written](bool result) { written = written && result; };
    auto key = [&](const char* name) { check(writer.Key(name)); };
    auto text = [&](const std::string& value) {
        check(writer.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size())));
    };
    auto flag = [&](bool value) { check(writer.Bool(value)); };
    auto number = [&](double value) { check(writer.Double(value)); };
    auto integer = [&](int value) { check(writer.Int(value)); };
    check(writer.StartObject());
    key("wWidth");
    integer(WindowState::width);
    key("wHeight");
    integer(WindowState::height);
    key("StartingLevel");
    text(coordinator.StartingLevel);
    key("PrefabJSON");
    text(coordinator.PrefabPath);
    key("PeformanceOutput");
    flag(coordinator.PeformanceOutput);
    key("EnableFullScreen");
    flag(WindowState::fullScreen);
    key("All Vol");
    number(FiniteOr(master, 1.0f));
    key("BGM Vol");
    number(FiniteOr(sound.MusicVolume, 1.0f));
    key("SFX Vol");
    number(FiniteOr(sound.EffectsVolume, 1.0f));
    key("Mute");
    flag(mute);
    key("Unlocked Farmhouse");
    flag(coordinator.LevelUnlocked[1]);
    key("Unlocked Warehouse");
    flag(coordinator.LevelUnlocked[2]);
    key("Unlocked TownHall");
    flag(coordinator.LevelUnlocked[3]);
    for (const CutsceneKey& cutscene : CutsceneKeys)
    {
        key(cutscene.key);
        flag(coordinator.CutsceneCleared[cutscene.name]);
    }
    key("Tutorial 1 Cleared");
    flag(coordinator.TutorialCleared[1]);
    key("Tutorial 2 Cleared");
    flag(coordinator.TutorialCleared[2]);
    key("Allow Cheats");
    flag(coordinator.AllowCheats);
    key("Camera Sensitivity");
    number(FiniteOr(sInputSystem::CameraSensitivity(), sInputSystem::DefaultCameraSensitivity));
    check(writer.EndObject());
    if (!written || !writer.IsComplete())
        return {};
    return std::string(buffer.GetString(), buffer.GetSize());
}

void SaveConfig(Coordinator& coordinator)
{
    const fs::path path = SettingsPath();
    if (path.empty())
        return;
    const std::string text = SettingsText(coordinator);
    JsonFileScope scope(path.string());
    // The old file is replaced only by one that reads back.
    rapidjson::Document check;
    if (text.empty() || !Json::ParseText(text, check).empty() || !check.IsObject())
        JsonAssertFail("the settings could not be written as readable text (the old file is kept)");

    // The new text goes to a file of its own first; only a complete, flushed file replaces the
    // old one, so a crash or a full disk mid-write never costs the user their settings.
    fs::path temporary = path;
    temporary += ".tmp";
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0)
        FailToWrite(temporary, "cannot be opened for writing");
    if (!WriteAll(file, text) || ::fsync(file) != 0)
    {
        const int error = errno;
        ::close(file);
        errno = error;
        FailToWrite(temporary, "cannot be written");
    }
    if (::close(file) != 0)
        FailToWrite(temporary, "cannot be written");
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        FailToWrite(temporary, "cannot replace the settings file");
    // The rename itself reaches the disk with the folder.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0)
    {
        ::fsync(directory);
        ::close(directory);
    }
}
