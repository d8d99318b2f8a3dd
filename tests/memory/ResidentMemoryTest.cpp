// Its own test program, so that the peak resident size it reads is that of a fresh process that
// did nothing but start the game and load every stage.
#include "engine/platform/ResourceManager.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr long MostResidentKilobytes = 256 * 1024;

// A "VmHWM:" (peak) or "VmRSS:" (now) line of /proc/self/status, in kilobytes.
long StatusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(field.size()));
    return -1;
}

std::size_t FilesBelow(const fs::path& folder, const std::string& extension)
{
    std::size_t count = 0;
    if (fs::exists(folder))
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() == extension)
                ++count;
    return count;
}

// The generated game data in the build folder, where the game runs.
struct InBuildFolder
{
    fs::path previous = fs::current_path();
    InBuildFolder() { fs::current_path(DUSKVANE_BUILD_DIR); }
    ~InBuildFolder() { fs::current_path(previous); }
};
}

TEST(ResidentMemory, TheGameWithEveryStageLoadedStaysUnder256Megabytes)
{
    InBuildFolder buildFolder;
    ASSERT_GT(FilesBelow("Resources/images", ".png"), 200u) << "the generated assets are missing";
    TestGame game("Resources/LogoScene.json", "Resources/Prefab.json");
    game.RunFrames(3);
    ResourceManager& resources = game.coordinator->ResourceManager;
    resources.LoadStage2(*game.coordinator);
    resources.LoadStage3(*game.coordinator);
    game.RunFrames(3);

    // Every image, sound, font, shader program and spritesheet of the game is in memory.
    const std::size_t images = FilesBelow("Resources/images", ".png") + FilesBelow("Editor_Resources", ".png");
    EXPECT_TRUE(resources.PendingImages.empty());
    EXPECT_EQ(resources.Textures().size(), images);
    EXPECT_EQ(resources.Sounds().size(), FilesBelow("Resources/audio", ".wav") + FilesBelow("Resources/audio", ".ogg"));
    EXPECT_EQ(resources.Fonts().size(), FilesBelow("Resources/fonts", ".ttf") + FilesBelow("Resources/fonts", ".otf"));
    EXPECT_EQ(resources.SpritesheetKeys().size(), FilesBelow("Resources/animation", ".png"));
    EXPECT_EQ(resources.ShaderPrograms().count("All"), 1u);

    const long peak = StatusKilobytes("VmHWM:");
    const long now = StatusKilobytes("VmRSS:");
    RecordProperty("PeakResidentKilobytes", std::to_string(peak));
    RecordProperty("ResidentKilobytes", std::to_string(now));
    ASSERT_GT(peak, 0) << "no VmHWM in /proc/self/status";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "under a sanitizer the resident size is mostly its shadow memory";
#endif
    EXPECT_LT(peak, MostResidentKilobytes) << "peak resident size " << peak << " kB, now " << now << " kB";
}
