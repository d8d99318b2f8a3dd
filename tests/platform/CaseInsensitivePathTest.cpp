#include "engine/platform/native/CaseInsensitivePath.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// A temp folder holding Resources/Credits.json and Resources/Levels/Level_Farmhouse.json,
// used as the working directory while the test runs.
struct CaseInsensitivePathTest : testing::Test
{
    fs::path root;
    fs::path previous;

    void SetUp() override
    {
        root = fs::temp_directory_path() / ("duskvane_paths_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "Resources" / "Levels");
        std::ofstream(root / "Resources" / "Credits.json") << "{}";
        std::ofstream(root / "Resources" / "Levels" / "Level_Farmhouse.json") << "{}";
        previous = fs::current_path();
        fs::current_path(root);
    }

    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }
};
}

TEST_F(CaseInsensitivePathTest, ResolvesEachComponentIgnoringCase)
{
    struct Case
    {
        const char* written;
        const char* resolved;
    } cases[] = {
        {"Resources/Credits.json", "Resources/Credits.json"},
        {"Resources/credits.json", "Resources/Credits.json"},
        {"resources/CREDITS.JSON", "Resources/Credits.json"},
        {"RESOURCES/levels/level_farmhouse.json", "Resources/Levels/Level_Farmhouse.json"},
        {"./Resources/LEVELS/Level_Farmhouse.json", "./Resources/Levels/Level_Farmhouse.json"},
        // Unresolvable paths come back as written, so the caller's error names them.
        {"Resources/Missing.json", "Resources/Missing.json"},
        {"Resources/Nowhere/credits.json", "Resources/Nowhere/credits.json"},
        {"Resources/credits.json/more", "Resources/credits.json/more"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePathIgnoringCase(c.written), c.resolved) << c.written;
}

TEST_F(CaseInsensitivePathTest, ResolvesAbsolutePaths)
{
    const std::string written = (root / "resources" / "credits.JSON").string();
    EXPECT_EQ(ResolvePathIgnoringCase(written), (root / "Resources" / "Credits.json").generic_string());
}

TEST_F(CaseInsensitivePathTest, ExactSpellingWinsOverOtherCases)
{
    std::ofstream(root / "Resources" / "credits.json") << "{}";
    std::ofstream(root / "Resources" / "CREDITS.json") << "{}";
    EXPECT_EQ(ResolvePathIgnoringCase("Resources/credits.json"), "Resources/credits.json");
    EXPECT_EQ(ResolvePathIgnoringCase("Resources/Credits.json"), "Resources/Credits.json");
    // No exact entry: the first by raw bytes among the matches.
    EXPECT_EQ(ResolvePathIgnoringCase("Resources/cREDITS.json"), "Resources/CREDITS.json");
}
