#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ResourceManager.h"
#include "support/GlTestContext.h"
#include "support/LogCapture.h"
#include "support/TempWorkingFolder.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::string Numbered(const char* pattern, int index)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, index);
    return text;
}

class ResourceStages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        coordinator = std::make_unique<Coordinator>();
        coordinator->SystemManager.RegisterSystem<sSoundSystem>();
    }
    void TearDown() override
    {
        if (coordinator)
            Resources().ReleaseAll();
    }
    ResourceManager& Resources() { return coordinator->ResourceManager; }

    // Images img000.png ... and sounds s00_false_SFX_.wav ..., numbered in scan order.
    static void WriteImagesAndSounds(int images, int sounds)
    {
        for (int i = 0; i < images; ++i)
            TempWorkingFolder::WritePng(Numbered("Resources/images/G/S/img%03d.png", i), 1, 1);
        for (int i = 0; i < sounds; ++i)
            TempWorkingFolder::WriteSound(Numbered("Resources/audio/Fx/s%02d_false_SFX_.wav", i));
    }
    bool HasTexture(int index) { return Resources().Textures().count(Numbered("img%03d", index)) != 0; }
    bool HasSound(int index) { return Resources().Sounds().count(Numbered("s%02d_false_SFX_", index)) != 0; }

    // Loaded counts, store sizes and pending counts in one line, for comparisons.
    std::string Counts()
    {
        ResourceManager& r = Resources();
        return "textures=" + std::to_string(r.Textures().size()) + " loadedImages=" +
               std::to_string(r.LoadedImages.size()) + " pendingImages=" + std::to_string(r.PendingImages.size()) +
               " sounds=" + std::to_string(r.Sounds().size()) + " loadedSounds=" +
               std::to_string(r.LoadedSounds.size()) + " pendingSounds=" + std::to_string(r.PendingSounds.size());
    }

    TempWorkingFolder folder;
    std::unique_ptr<Coordinator> coordinator;
};
}

TEST_F(ResourceStages, ThreeHundredImagesAndFifteenSoundsSplitAtTheStageBoundaries)
{
    WriteImagesAndSounds(300, 15);
    ScanAssets(Resources());

    Resources().InitSoundAndLoad(*coordinator);
    EXPECT_EQ(Counts(), "textures=92 loadedImages=92 pendingImages=300 sounds=10 loadedSounds=10 pendingSounds=15");
    EXPECT_TRUE(HasTexture(91));
    EXPECT_FALSE(HasTexture(92));
    EXPECT_TRUE(HasSound(9));
    EXPECT_FALSE(HasSound(10));
    EXPECT_EQ(Resources().LoadedImages.front().name, "img000.png"); // the whole file name once loaded

    Resources().LoadStage2(*coordinator);
    EXPECT_EQ(Counts(), "textures=206 loadedImages=206 pendingImages=300 sounds=15 loadedSounds=15 pendingSounds=0");
    EXPECT_TRUE(HasTexture(205));
    EXPECT_FALSE(HasTexture(206));

    Resources().LoadStage3(*coordinator);
    const std::string allLoaded =
        "textures=300 loadedImages=300 pendingImages=0 sounds=15 loadedSounds=15 pendingSounds=0";
    EXPECT_EQ(Counts(), allLoaded);

    // Asking again loads nothing and adds no second sound.
    Resources().LoadStage2(*coordinator);
    Resources().LoadStage3(*coordinator);
    Resources().LoadStage2(*coordinator);
    EXPECT_EQ(Counts(), allLoaded);
}

TEST_F(ResourceStages, StageThreeBeforeStageTwoLoadsStageTwoFirst)
{
    WriteImagesAndSounds(300, 15);
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);

    Resources().LoadStage3(*coordinator);
    const std::string allLoaded =
        "textures=300 loadedImages=300 pendingImages=0 sounds=15 loadedSounds=15 pendingSounds=0";
    EXPECT_EQ(Counts(), allLoaded);
    for (int i = 92; i < 206; ++i)
        ASSERT_TRUE(HasTexture(i)) << i;

    Resources().LoadStage2(*coordinator);
    EXPECT_EQ(Counts(), allLoaded);
}

TEST_F(ResourceStages, SmallListsAreTakenWholeByStageOne)
{
    WriteImagesAndSounds(50, 7);
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);
    const std::string afterStageOne =
        "textures=50 loadedImages=50 pendingImages=50 sounds=7 loadedSounds=7 pendingSounds=7";
    EXPECT_EQ(Counts(), afterStageOne);
    Resources().LoadStage2(*coordinator);
    EXPECT_EQ(Counts(), "textures=50 loadedImages=50 pendingImages=50 sounds=7 loadedSounds=7 pendingSounds=0");
}

TEST_F(ResourceStages, SoundsKeepTheirGroupWordAndEveryIdIsStoredOnce)
{
    using F = TempWorkingFolder;
    F::WriteSound("Resources/audio/A/Click9_false_SFX_.wav");
    F::WriteSound("Resources/audio/A/Dup_false_SFX_.ogg");
    F::WriteSound("Resources/audio/A/Dup_false_SFX_.wav");
    F::WriteSound("Resources/audio/B/Click9_false_SFX_.wav");
    F::WriteSound("Resources/audio/B/Odd_true_Ambience_.wav");
    ScanAssets(Resources());
    ASSERT_EQ(Resources().PendingSounds.size(), 5u);
    Resources().InitSoundAndLoad(*coordinator);

    std::vector<std::string> stored;
    for (const auto& entry : Resources().Sounds())
        stored.push_back(entry.first + ":" + entry.second.group);
    EXPECT_EQ(stored, (std::vector<std::string>{"Click9_false_SFX_:SFX", "Dup_false_SFX_:SFX",
                                                "Odd_true_Ambience_:Ambience"}));
    ASSERT_EQ(Resources().LoadedSounds.size(), 3u);
    EXPECT_EQ(Resources().LoadedSounds[0].path, "Resources/audio/A/Click9_false_SFX_.wav");
    EXPECT_EQ(Resources().LoadedSounds[1].path, "Resources/audio/A/Dup_false_SFX_.ogg");
    EXPECT_NE(Resources().GetSound("Odd_true_Ambience_"), nullptr);
}

TEST_F(ResourceStages, EachTextureKeyIsLoadedOnceAndPlainNamesOwnTheirKey)
{
    using F = TempWorkingFolder;
    F::WritePng("Resources/images/G/A/Tile.png", 3, 5);
    F::WritePng("Resources/images/G/B/Tile.png", 7, 9); // same file name elsewhere: loaded already
    F::WritePng("Resources/images/G/C/Wall.old.png", 3, 5);
    F::WritePng("Resources/images/G/C/Wall.png", 7, 9);
    F::WritePng("Resources/images/G/D/Door.old.png", 3, 5); // alone: loads its own real file
    F::WritePng("Resources/images/G/E/Crate.png", 3, 5);
    F::WritePng("Resources/images/G/E/Crate.bmp", 7, 9);
    F::WriteText("Resources/images/G/F/Sky.jpg", "not read");
    F::WritePng("Resources/images/G/F/Sky.png", 7, 9);
    F::WriteText("Resources/images/G/F/Note.txt", "not read");
    ScanAssets(Resources());
    ASSERT_EQ(Resources().PendingImages.size(), 10u);
    Resources().InitSoundAndLoad(*coordinator);

    EXPECT_FLOAT_EQ(Resources().GetTexture("Tile").halfWidth, 1.5f);
    EXPECT_FLOAT_EQ(Resources().GetTexture("Wall").halfWidth, 3.5f);
    EXPECT_FLOAT_EQ(Resources().GetTexture("Door").halfWidth, 1.5f);
    EXPECT_FLOAT_EQ(Resources().GetTexture("Sky").halfWidth, 3.5f);
    // Crate.bmp is listed first; Crate.png is a second file of that key and is not loaded.
    EXPECT_NE(Resources().GetTexture("Crate").texture, 0u);
    // An unsupported file keeps its key as texture 0.
    EXPECT_EQ(Resources().GetTexture("Note").texture, 0u);
    EXPECT_EQ(Resources().GetTexture("Note").halfWidth, 0.0f);

    std::vector<std::string> loaded;
    for (const ImageRecord& image : Resources().LoadedImages)
        loaded.push_back(image.name);
    EXPECT_EQ(loaded, (std::vector<std::string>{"Tile.png", "Wall.png", "Door.old.png", "Crate.bmp", "Note.txt",
                                                "Sky.png"}));
}

TEST_F(ResourceStages, AHotReloadLoadsOnlyWhatIsNew)
{
    WriteImagesAndSounds(3, 2);
    TempWorkingFolder::WriteText("Resources/shaders/Flat/Flat.vert",
                                 "#version 450 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    TempWorkingFolder::WriteText("Resources/shaders/Flat/Flat.frag",
                                 "#version 450 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);
    Resources().LoadStage3(*coordinator);
    const std::uint32_t flat = Resources().GetShaderProgram("Flat").handle;

    TempWorkingFolder::WritePng("Resources/images/G/S/img100.png", 1, 1);
    TempWorkingFolder::WriteSound("Resources/audio/Fx/s50_false_SFX_.wav");
    LogCapture log;
    ScanAssets(Resources());
    Resources().ReloadAll(*coordinator);

    EXPECT_EQ(Counts(), "textures=4 loadedImages=4 pendingImages=0 sounds=3 loadedSounds=3 pendingSounds=0");
    EXPECT_TRUE(HasTexture(100));
    EXPECT_EQ(Resources().LoadedShaderPairs.size(), 1u);
    EXPECT_EQ(Resources().GetShaderProgram("Flat").handle, flat);
    EXPECT_TRUE(Resources().PendingShaderPairs.empty());
    EXPECT_TRUE(Resources().PendingFonts.empty());
    EXPECT_TRUE(Resources().PendingSpritesheets.empty());
    EXPECT_EQ(log.Lines().back(), "Done reloading");
}

TEST_F(ResourceStages, TheAlreadyLoadedTestGoesByFileNamePerAssetFolder)
{
    ResourceManager& r = Resources();
    r.LoadedImages.push_back({"Wall.png", "Resources/images/A/B/Wall.png"});
    r.LoadedSounds.push_back({"Click9_false_SFX_", "Resources/audio/Fx/Click9_false_SFX_.wav", false, "SFX"});
    r.LoadedFonts.push_back({"Bebas.otf", "Resources/fonts/Bebas.otf"});
    r.LoadedShaderPairs.push_back({"All", "Resources/shaders/All/All.vert", "Resources/shaders/All/All.frag"});

    const struct
    {
        const char* fileName;
        const char* path;
        bool found;
    } cases[] = {
        {"Wall.png", "Resources/images/Other/Place/Wall.png", true},
        {"Wall.png", "Editor_Resources/Wall.png", true},
        {"Wall.bmp", "Resources/images/A/B/Wall.bmp", false},
        {"Click9_false_SFX_.wav", "Resources/audio/Music/Click9_false_SFX_.wav", true},
        {"Bebas.otf", "Resources/fonts/Bebas.otf", true},
        {"Bebas", "Resources/fonts/Bebas", false},
        {"All.frag", "Resources/shaders/Copy/All.frag", true},
        {"Lit.vert", "Resources/shaders/Lit/Lit.vert", false},
        {"Wall.png", "Resources/animation/A/B/Wall.png", false},
        {"Wall.png", "Wall.png", false},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(r.FindLoadedResource(entry.fileName, entry.path), entry.found) << entry.path;
}

namespace
{
GLint TextureWidth(std::uint32_t texture)
{
    GLint width = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

std::vector<unsigned char> Texels(std::uint32_t texture)
{
    GLint width = 0;
    GLint height = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> texels(static_cast<std::size_t>(width * height * 4));
    glGetTextureImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(texels.size()), texels.data());
    return texels;
}
}

TEST_F(ResourceStages, ALeftSceneGivesBackTheImagesItNeitherDrewNorLoaded)
{
    WriteImagesAndSounds(3, 0);
    TempWorkingFolder::WritePng("Resources/images/G/S/img000.png", 3, 2, 0x20406080u);
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);
    const std::uint32_t shown = Resources().GetTexture("img000").texture;
    const std::vector<unsigned char> picture = Texels(shown);

    // Everything was loaded in the scene being left: nothing goes.
    EXPECT_EQ(Resources().SceneLeft(), 0u);

    // The next scene draws one of the three.
    EXPECT_EQ(Resources().TextureToDraw(shown, false), shown);
    EXPECT_EQ(Resources().SceneLeft(), 2u);
    EXPECT_FALSE(Resources().ImageReleased("img000"));
    EXPECT_TRUE(Resources().ImageReleased("img001"));
    EXPECT_EQ(TextureWidth(Resources().GetTexture("img001").texture), 1);

    // A scene that does not draw it gives that one back as well, unless the next scene names
    // it; the size record stays.
    Resources().KeepImage("img000");
    EXPECT_EQ(Resources().SceneLeft(), 0u);
    EXPECT_EQ(Resources().SceneLeft(), 1u);
    EXPECT_TRUE(Resources().ImageReleased("img000"));
    EXPECT_EQ(Resources().GetTexture("img000").halfWidth, 1.5f);

    // Drawn again, it is the same texture with the same picture, and the unit's binding is
    // left alone.
    GLuint other = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    EXPECT_EQ(Resources().TextureToDraw(shown, false), shown);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), other);
    EXPECT_FALSE(Resources().ImageReleased("img000"));
    EXPECT_EQ(Texels(shown), picture);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &other);
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}

TEST_F(ResourceStages, ALevelsPicturesWaitThroughTheMenusUntilALevelLeavesThemOut)
{
    WriteImagesAndSounds(3, 0);
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);
    const auto texture = [&](int index) { return Resources().GetTexture(Numbered("img%03d", index)).texture; };
    Resources().SceneLeft();

    // A level draws two of them.
    Resources().TextureToDraw(texture(0), true);
    Resources().TextureToDraw(texture(1), true);
    EXPECT_EQ(Resources().SceneLeft(), 1u);
    // A cutscene and the level select draw neither.
    EXPECT_EQ(Resources().SceneLeft(), 0u);
    EXPECT_EQ(Resources().SceneLeft(), 0u);
    // The next level draws one of them: the other goes as it is left.
    Resources().TextureToDraw(texture(0), true);
    EXPECT_EQ(Resources().SceneLeft(), 1u);
    EXPECT_TRUE(Resources().ImageReleased("img001"));
    EXPECT_FALSE(Resources().ImageReleased("img000"));
}

TEST_F(ResourceStages, AGivenBackImageWhoseFileWentAwayStaysBlankAndIsNotReadAgain)
{
    WriteImagesAndSounds(1, 0);
    ScanAssets(Resources());
    Resources().InitSoundAndLoad(*coordinator);
    Resources().SceneLeft();
    Resources().SceneLeft();
    ASSERT_TRUE(Resources().ImageReleased("img000"));
    std::filesystem::remove("Resources/images/G/S/img000.png");

    const std::uint32_t texture = Resources().GetTexture("img000").texture;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Resources().TextureToDraw(texture, false), texture);
    const std::string complaint = testing::internal::GetCapturedStderr();
    EXPECT_NE(complaint.find("img000.png"), std::string::npos) << complaint;
    EXPECT_EQ(Texels(texture), std::vector<unsigned char>(4, 0));

    // Not given back again, so not read again on every draw.
    Resources().SceneLeft();
    Resources().SceneLeft();
    EXPECT_FALSE(Resources().ImageReleased("img000"));
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}
