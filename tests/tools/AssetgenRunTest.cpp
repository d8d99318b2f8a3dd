#include "support/GeneratedAssets.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(AssetgenRun, TwoRunsWriteIdenticalFiles)
{
    const fs::path& first = SharedGeneratedAssets();
    fs::path second = GenerateAssets("CATALOGUE.md");
    std::vector<std::string> files = FilesBelow(first);
    ASSERT_EQ(files, FilesBelow(second));
    ASSERT_GT(files.size(), 300u);
    for (const std::string& f : files)
        EXPECT_TRUE(ReadWholeFile(first / f) == ReadWholeFile(second / f)) << f << " differs between two runs";
}

TEST(AssetgenRun, CommittedCatalogueMatchesTheGenerator)
{
    fs::path sourceRoot = fs::path(DUSKVANE_FIXTURES).parent_path().parent_path();
    std::string committed = ReadWholeFile(sourceRoot / "tools/assetgen/CATALOGUE.md");
    ASSERT_FALSE(committed.empty());
    std::string fresh = ReadWholeFile(SharedGeneratedAssets() / "CATALOGUE.md");
    ASSERT_FALSE(fresh.empty());
    EXPECT_TRUE(committed == fresh)
        << "tools/assetgen/CATALOGUE.md is stale: run build/tools/assetgen/assetgen --out <tmp> --catalogue "
           "tools/assetgen/CATALOGUE.md";
}

TEST(AssetgenRun, CopiesTheFontsAndWritesEditorIcons)
{
    const fs::path& root = SharedGeneratedAssets();
    fs::path bebas = root / "Resources/fonts/BebasNeue-Regular.otf";
    ASSERT_TRUE(fs::exists(bebas));
    EXPECT_TRUE(ReadWholeFile(bebas) == ReadWholeFile("/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf"));
    EXPECT_TRUE(fs::exists(root / "Resources/fonts/DejaVuSans.ttf"));
    EXPECT_FALSE(ScanListing(root / "Editor_Resources").empty());
}

TEST(AssetgenRun, RejectsMissingOutputAndUnknownOptions)
{
    const std::string tool = "'" DUSKVANE_BUILD_DIR "/tools/assetgen/assetgen'";
    EXPECT_NE(std::system((tool + " > /dev/null 2>&1").c_str()), 0);
    EXPECT_NE(std::system((tool + " --out /tmp --colour red > /dev/null 2>&1").c_str()), 0);
}
