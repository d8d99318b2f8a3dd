#include "fuzz/LoaderFuzzing.h"

#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameStartUp.h"
#include "engine/core/Json.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/SceneFile.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/SpritesheetFiles.h"
#include "engine/platform/audio/AudioDecoding.h"
#include "support/ScriptedPlatform.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace LoaderFuzzing
{
namespace
{
// The input written as a file of its own, in a folder of this process.
std::string AsFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    static const fs::path folder = fs::temp_directory_path() / ("duskvane_fuzz_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                    static_cast<std::streamsize>(size));
    return path.string();
}

// Runs a loader; its own error (an assert) is an answer, not a fault.
template <class Work>
int Refusable(Work work)
{
    try
    {
        work();
    }
    catch (const AssertError&)
    {
    }
    return 0;
}

std::unique_ptr<Coordinator> RegisteredCoordinator()
{
    auto coordinator = std::make_unique<Coordinator>();
    RegisterEngine(*coordinator);
    coordinator->PrefabPath = DUSKVANE_FIXTURES "/Prefab.json";
    return coordinator;
}
}

void Prepare()
{
    static const bool prepared = [] {
        SetAssertReporter([](const std::string&, const std::string&) {});
        ScriptedPlatform::Install();
        return true;
    }();
    (void)prepared;
}

int Settings(const std::uint8_t* data, std::size_t size)
{
    Prepare();
    static std::unique_ptr<Coordinator> coordinator = RegisteredCoordinator();
    const std::string path = AsFile("config.json", data, size);
    return Refusable([&] {
        LoadConfigAt(path, *coordinator);
        // Whatever was read must be written as a file that reads back.
        const std::string text = SettingsText(*coordinator);
        rapidjson::Document document;
        if (text.empty() || !Json::ParseText(text, document).empty() || !document.IsObject())
            __builtin_trap();
        ResetSettingsPath();
    });
}

int Scene(const std::uint8_t* data, std::size_t size)
{
    Prepare();
    const std::string path = AsFile("scene.json", data, size);
    std::unique_ptr<Coordinator> coordinator = RegisteredCoordinator();
    return Refusable([&] { LoadScene(path, *coordinator); });
}

int Prefab(const std::uint8_t* data, std::size_t size)
{
    Prepare();
    std::unique_ptr<Coordinator> coordinator = RegisteredCoordinator();
    coordinator->PrefabPath = AsFile("prefab.json", data, size);
    ResetPrefabCache();
    Refusable([&] {
        for (const std::string& name : GetPrefabNames(*coordinator))
            InstantiatePrefab(*coordinator, name);
    });
    ResetPrefabCache();
    return 0;
}

int SpritesheetLayout(const std::uint8_t* data, std::size_t size)
{
    Prepare();
    const std::string path = AsFile("layout.json", data, size);
    return Refusable([&] { ReadSpritesheetLayout(path); });
}

int SpritesheetFormat(const std::uint8_t* data, std::size_t size)
{
    Prepare();
    const std::string path = AsFile("format.json", data, size);
    return Refusable([&] { ReadSpritesheetFormat(path); });
}

int Image(const std::uint8_t* data, std::size_t size)
{
    const DecodedImage image = DecodeImageBytes(data, size, true);
    // A refused image says why; a decoded one has pixels of a size within the limits.
    if (image.pixels ? image.width <= 0 || image.height <= 0 || image.width > MostImageSide ||
                           image.height > MostImageSide
                     : image.error.empty())
        __builtin_trap();
    return 0;
}

int Sound(const std::uint8_t* data, std::size_t size)
{
    const std::string path = AsFile("sound", data, size);
    for (bool loop : {false, true})
    {
        SoundSamples samples;
        std::string error;
        if (!DecodeSoundFile(path, loop, samples, error) && error.find(path) == std::string::npos)
            __builtin_trap();
    }
    return 0;
}

const std::vector<Target>& Targets()
{
    static const std::vector<Target> targets = {
        {"settings", Settings, {}, ".json"},
        {"scene", Scene, {"Resources", DUSKVANE_FIXTURES "/scenes"}, ".json"},
        {"prefab", Prefab, {"Resources/Prefab.json", DUSKVANE_FIXTURES "/Prefab.json"}, ".json"},
        {"layout", SpritesheetLayout, {"Resources/animation"}, "layout.json"},
        {"format", SpritesheetFormat, {"Resources/animation"}, "format.json"},
        {"image", Image, {"Resources/images", "Resources/animation"}, ".png"},
        {"sound", Sound, {"Resources/audio"}, ""},
    };
    return targets;
}

const Target* Find(const std::string& name)
{
    for (const Target& target : Targets())
        if (name == target.name)
            return &target;
    return nullptr;
}
}
