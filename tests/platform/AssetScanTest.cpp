#include "engine/platform/AssetScan.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/SpritesheetFiles.h"
#include "engine/platform/native/DirectoryListing.h"
#include "support/AssertCapture.h"
#include "support/LogCapture.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
std::string Describe(const ImageRecord& r) { return r.name + " @ " + r.path; }
std::string Describe(const FontRecord& r) { return r.name + " @ " + r.path; }
std::string Describe(const ShaderPairRecord& r) { return r.name + " @ " + r.vertexPath + " + " + r.fragmentPath; }
std::string Describe(const SoundRecord& r)
{
    return r.id + " loop=" + (r.loop ? "1" : "0") + " group=" + r.group + " @ " + r.path;
}
std::string Describe(const SpritesheetRecord& r)
{
    return r.key.first + "/" + r.key.second + " @ " + r.path + " frames=" + std::to_string(r.data.frames.size()) +
           " delay=" + std::to_string(r.data.frameDelay) + " size=" + std::to_string(r.data.ssWidth) + "x" +
           std::to_string(r.data.ssHeight);
}
template <class Record>
std::vector<std::string> DescribeAll(const std::vector<Record>& records)
{
    std::vector<std::string> out;
    for (const Record& record : records)
        out.push_back(Describe(record));
    return out;
}

const char* TwoFrames = R"([{"x":0,"y":0,"width":32,"height":32},{"x":32,"y":0,"width":32,"height":32}])";
const char* Timing = R"([{"frameDelay":0.1,"ssWidth":64,"ssHeight":32}])";

// One tree holding every kind of asset, with the odd names the scan has to cope with.
void WriteAssetTree()
{
    using F = TempWorkingFolder;
    // Animation: two tags, states with and without metadata and sheets.
    F::WriteText("Resources/animation/Player/Run/Run.png", "");
    F::WriteText("Resources/animation/Player/Run/layout.json", TwoFrames);
    F::WriteText("Resources/animation/Player/Run/format.json", Timing);
    F::WriteText("Resources/animation/Player/Run/notes.txt", "");
    F::WriteText("Resources/animation/Player/Idle/a.bmp", "");
    F::WriteText("Resources/animation/Player/Idle/b.png", ""); // the later sheet wins
    F::MakeFolder("Resources/animation/Player/Empty");
    F::WriteText("Resources/animation/Player/readme.txt", "");
    F::WriteText("Resources/animation/zombie/Walk/.gitkeep", "");
    F::WriteText("Resources/animation/zombie/Walk/Walk.bmp", "");
    // Audio: the group and loop come from the name, never the folder.
    F::WriteText("Resources/audio/Effects/Click9_false_SFX_.wav", "");
    F::WriteText("Resources/audio/Effects/Door_true_SFX.wav", "");
    F::WriteText("Resources/audio/Effects/Zombie_Groan_false_SFX_.wav", "");
    F::WriteText("Resources/audio/Effects/bad.mp3", "");
    F::WriteText("Resources/audio/Effects/nounderscore.wav", "");
    F::WriteText("Resources/audio/Effects/.gitkeep", "");
    F::WriteText("Resources/audio/Effects/a.b", "");
    F::WriteText("Resources/audio/Music/BGM1_true_gameBGM_.ogg", "");
    // Fonts: TrueType and OpenType are both read.
    F::WriteText("Resources/fonts/DejaVuSans.ttf", "");
    F::WriteText("Resources/fonts/BebasNeue-Regular.otf", "");
    F::WriteText("Resources/fonts/font.woff", "");
    // Images: two folder levels; a folder among the files ends that folder's listing.
    F::WriteText("Resources/images/Level/stray.png", "");
    F::WriteText("Resources/images/Level/Props/A.png", "");
    F::MakeFolder("Resources/images/Level/Props/B");
    F::WriteText("Resources/images/Level/Props/C.png", "");
    F::WriteText("Resources/images/Level/Walls/Wall.png", "");
    F::WriteText("Resources/images/Level/Walls/Wall.old.png", "");
    F::WriteText("Resources/images/Level/Walls/.gitkeep", "");
    F::WriteText("Resources/images/Level/Walls/x.y", "");
    F::WriteText("Resources/images/Menu/Buttons/Play.bmp", "");
    F::WriteText("Resources/images/Menu/Buttons/button.PNG", "");
    // Shaders: one folder per program; a folder missing a half adds nothing.
    F::WriteText("Resources/shaders/All/All.vert", "");
    F::WriteText("Resources/shaders/All/All.frag", "");
    F::WriteText("Resources/shaders/Half/Half.vert", "");
    F::WriteText("Resources/shaders/Lit/Lit.frag", "");
    F::WriteText("Resources/shaders/Lit/Lit.vert", "");
    F::WriteText("Resources/shaders/Lit/Lit.vert.bak", "");
    // Editor images come after every other image.
    F::WriteText("Editor_Resources/Icon.png", "");
    F::WriteText("Editor_Resources/x.tga", "");
}
}

TEST(DirectoryListing, SortsCaseInsensitivelyThenByBytesAndSkipsHiddenNames)
{
    TempWorkingFolder folder;
    for (const char* name : {"b", "B", "a.png", "A.png", ".hidden", "_x", "Zed"})
        TempWorkingFolder::WriteText(std::string("list/") + name, "");
    EXPECT_EQ(ListDirectory("list"), (std::vector<std::string>{"A.png", "a.png", "B", "b", "Zed", "_x"}));
    EXPECT_TRUE(ListDirectory("missing").empty());
}

TEST(AssetScan, RecordsEveryKindInScanOrder)
{
    TempWorkingFolder folder;
    WriteAssetTree();
    LogCapture log;
    ResourceManager resources;
    ScanAssets(resources);

    EXPECT_EQ(DescribeAll(resources.PendingSpritesheets),
              (std::vector<std::string>{
                  "Player/Empty @ Resources/animation/Player/Empty/ frames=0 delay=0.000000 size=0.000000x0.000000",
                  "Player/Idle @ Resources/animation/Player/Idle/b.png frames=0 delay=0.000000 size=0.000000x0.000000",
                  "Player/Run @ Resources/animation/Player/Run/Run.png frames=2 delay=0.100000 size=64.000000x32.000000",
                  "zombie/Walk @ Resources/animation/zombie/Walk/Walk.bmp frames=0 delay=0.000000 size=0.000000x0.000000",
              }));
    EXPECT_EQ(DescribeAll(resources.PendingSounds),
              (std::vector<std::string>{
                  "Click9_false_SFX_ loop=0 group=SFX @ Resources/audio/Effects/Click9_false_SFX_.wav",
                  "Door_true_SFX.wav loop=1 group=SFX.wav @ Resources/audio/Effects/Door_true_SFX.wav",
                  "Zombie_Groan_false_ loop=0 group=false @ Resources/audio/Effects/Zombie_Groan_false_SFX_.wav",
                  "BGM1_true_gameBGM_ loop=1 group=gameBGM @ Resources/audio/Music/BGM1_true_gameBGM_.ogg",
              }));
    EXPECT_EQ(DescribeAll(resources.PendingFonts),
              (std::vector<std::string>{"BebasNeue-Regular @ Resources/fonts/BebasNeue-Regular.otf",
                                        "DejaVuSans @ Resources/fonts/DejaVuSans.ttf"}));
    EXPECT_EQ(DescribeAll(resources.PendingImages),
              (std::vector<std::string>{
                  "A @ Resources/images/Level/Props/A.png",
                  "Wall @ Resources/images/Level/Walls/Wall.old.png",
                  "Wall @ Resources/images/Level/Walls/Wall.png",
                  "button @ Resources/images/Menu/Buttons/button.PNG",
                  "Play @ Resources/images/Menu/Buttons/Play.bmp",
                  "Icon @ Editor_Resources/Icon.png",
                  "x @ Editor_Resources/x.tga",
              }));
    EXPECT_EQ(DescribeAll(resources.PendingShaderPairs),
              (std::vector<std::string>{
                  "All @ Resources/shaders/All/All.vert + Resources/shaders/All/All.frag",
                  "Lit @ Resources/shaders/Lit/Lit.vert + Resources/shaders/Lit/Lit.frag",
              }));

    // Every recorded path names a file that exists, whatever its name holds.
    for (const SoundRecord& sound : resources.PendingSounds)
        EXPECT_TRUE(std::filesystem::exists(sound.path)) << sound.path;
    for (const ImageRecord& image : resources.PendingImages)
        EXPECT_TRUE(std::filesystem::exists(image.path)) << image.path;

    for (const char* line : {
             "Unsupported Animation Texture found (Use png/bmp): notes.txt",
             "Unsupported Audio Format found (Use wav/ogg): bad.mp3",
             "Audio file name carries no sound id (Use name_loop_group_.wav): nounderscore.wav",
             "Skipped audio file with too short a name: a.b",
             "Unsupported font format found (Use ttf/otf): font.woff",
             "Skipped image file with too short a name: x.y",
             "Unsupported Image Texture found (Use png/bmp): button.PNG",
             "Add in the other half of the shader pair (Use frag/vert): Half.vert",
             "Unsupported shader file found (Use frag/vert): Lit.vert.bak",
             "Unsupported Editor_Resources Image Texture found (Use png/bmp): x.tga",
         })
        EXPECT_TRUE(log.Has(line)) << line;
    ASSERT_FALSE(log.Lines().empty());
    EXPECT_EQ(log.Lines().back(), "Done with Assets Dir Scanning");
}

TEST(AssetScan, MissingFoldersGiveNoRecordsAndASecondScanAppends)
{
    TempWorkingFolder folder;
    ResourceManager resources;
    ScanAssets(resources);
    EXPECT_TRUE(resources.PendingImages.empty());
    EXPECT_TRUE(resources.PendingSounds.empty());
    EXPECT_TRUE(resources.PendingSpritesheets.empty());

    TempWorkingFolder::WriteText("Resources/images/G/S/Tile.png", "");
    ScanAssets(resources);
    ScanAssets(resources);
    EXPECT_EQ(resources.PendingImages.size(), 2u);
}

TEST(SpritesheetFiles, ReadNumbersOfAnyKindAndRejectMalformedFiles)
{
    TempWorkingFolder folder;
    using F = TempWorkingFolder;
    F::WriteText("empty.json", "[]");
    EXPECT_TRUE(ReadSpritesheetLayout("empty.json").frames.empty());

    F::WriteText("layout.json", R"([{"x":0,"y":16,"width":8.5,"height":4,"extra":true},
                                    {"x":8,"y":-1,"width":18446744073709551615,"height":0.25}])");
    const SpritesheetData data = ReadSpritesheetLayout("layout.json");
    ASSERT_EQ(data.frames.size(), 2u);
    EXPECT_FLOAT_EQ(data.frames[0].y, 16.0f);
    EXPECT_FLOAT_EQ(data.frames[0].width, 8.5f);
    EXPECT_FLOAT_EQ(data.frames[1].y, -1.0f);
    EXPECT_FLOAT_EQ(data.frames[1].width, 18446744073709551615.0f);
    EXPECT_FLOAT_EQ(data.frames[1].height, 0.25f);
    EXPECT_EQ(data.frameDelay, 0.0f);

    F::WriteText("format.json", R"([{"frameDelay":0.1,"ssWidth":64,"ssHeight":32},{"frameDelay":9}])");
    const SpritesheetTiming timing = ReadSpritesheetFormat("format.json");
    EXPECT_FLOAT_EQ(timing.frameDelay, 0.1f);
    EXPECT_FLOAT_EQ(timing.ssWidth, 64.0f);
    EXPECT_FLOAT_EQ(timing.ssHeight, 32.0f);

    const struct
    {
        const char* text;
        bool layout;
    } broken[] = {
        {R"([{"x":0,"y":0,"width":1,"height":1}, 5])", true},
        {R"({"x":0})", true},
        {"not json", true},
        {R"([{"x":0,"y":0,"width":1}])", true},
        {R"([{"x":"0","y":0,"width":1,"height":1}])", true},
        {"[]", false},
        {"[3]", false},
        {R"([{"frameDelay":0.1,"ssWidth":64}])", false},
    };
    for (const auto& entry : broken)
    {
        F::WriteText("broken.json", entry.text);
        const std::string message = AssertMessageOf([&] {
            if (entry.layout)
                ReadSpritesheetLayout("broken.json");
            else
                ReadSpritesheetFormat("broken.json");
        });
        EXPECT_EQ(message, "JSON ERROR") << entry.text;
    }
    EXPECT_EQ(AssertMessageOf([] { ReadSpritesheetFormat("nothing.json"); }), "JSON ERROR");
}

TEST(AssetScan, ALayoutWithoutItsFormatEndsTheScan)
{
    TempWorkingFolder folder;
    TempWorkingFolder::WriteText("Resources/animation/Player/Run/Run.png", "");
    TempWorkingFolder::WriteText("Resources/animation/Player/Run/layout.json", TwoFrames);
    ResourceManager resources;
    EXPECT_EQ(AssertMessageOf([&] { ScanAssets(resources); }), "JSON ERROR");
}
