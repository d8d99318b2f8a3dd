#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/ResourceManager.h"
#include "support/AssertCapture.h"
#include "support/GlTestContext.h"
#include "support/TempWorkingFolder.h"

#include <GL/glew.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <filesystem>
#include <memory>

namespace
{
class ResourceLookups : public ::testing::Test
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
        if (coordinator && !released)
            Resources().ReleaseAll();
    }
    ResourceManager& Resources() { return coordinator->ResourceManager; }
    void ScanAndLoadAll()
    {
        ScanAssets(Resources());
        Resources().InitSoundAndLoad(*coordinator);
        Resources().LoadStage3(*coordinator);
    }

    TempWorkingFolder folder;
    std::unique_ptr<Coordinator> coordinator;
    bool released = false;
};

// A 1 by 2 image: the top row red, the bottom row blue.
void WriteRedOverBlue(const std::string& path)
{
    const unsigned char pixels[] = {255, 0, 0, 255, 0, 0, 255, 255};
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_NE(stbi_write_png(path.c_str(), 1, 2, 4, pixels, 4), 0);
}

const char* BebasNeue = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf";
const char* DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

TEST(ResourceManagerInstance, FollowsTheOneManager)
{
    {
        ResourceManager resources;
        EXPECT_EQ(ResourceManagerInstance(), &resources);
        EXPECT_EQ(resources.AssetTypeNames, (std::vector<std::string>{"Animation", "Audio", "Font", "Image", "Shader"}));
        EXPECT_FALSE(resources.ReloadRequested);
    }
    EXPECT_EQ(ResourceManagerInstance(), nullptr);
}

TEST_F(ResourceLookups, AMissingTextureIsPrintedAndAssertsWithTheStoredKeys)
{
    TempWorkingFolder::WritePng("Resources/images/G/S/B.png", 1, 1);
    TempWorkingFolder::WritePng("Resources/images/G/S/A.png", 1, 1);
    ScanAndLoadAll();

    testing::internal::CaptureStdout();
    const std::string message = AssertMessageOf([&] { Resources().GetTexture("Missing"); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Missing");
    EXPECT_EQ(message, "Failed to get texture: Missing\nTextures found currentlyA\nB\n");

    testing::internal::CaptureStdout();
    const TextureInfo& none = Resources().GetTexture("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(none.texture, 0u);
    EXPECT_EQ(none.halfWidth, 0.0f);
    EXPECT_EQ(none.halfHeight, 0.0f);
}

TEST_F(ResourceLookups, OtherMissingKeysAssertWithTheirOwnMessage)
{
    EXPECT_EQ(AssertMessageOf([&] { Resources().GetShaderProgram("All"); }), "Failed to get shader Prog");
    EXPECT_EQ(AssertMessageOf([&] { Resources().GetSound("Click9_false_SFX_"); }), "Failed to get audio");
    EXPECT_EQ(AssertMessageOf([&] { Resources().GetFont("BebasNeue-Regular"); }), "Failed to get font info");
    EXPECT_EQ(AssertMessageOf([&] { Resources().GetSound(""); }), "Failed to get audio");
}

TEST_F(ResourceLookups, ImagesBecomeFlippedLinearTexturesWithHalfSizes)
{
    TempWorkingFolder::WritePng("Resources/images/G/S/Odd.png", 3, 5);
    WriteRedOverBlue("Resources/images/G/S/Stripe.png");
    ScanAndLoadAll();

    const TextureInfo odd = Resources().GetTexture("Odd");
    EXPECT_EQ(odd.halfWidth, 1.5f);
    EXPECT_EQ(odd.halfHeight, 2.5f);
    GLint width = 0;
    GLint minFilter = 0;
    GLint maxLevel = -1;
    glGetTextureLevelParameteriv(odd.texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureParameteriv(odd.texture, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTextureParameteriv(odd.texture, GL_TEXTURE_MAX_LEVEL, &maxLevel);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(minFilter, GL_LINEAR); // no mipmaps are made, so none may be asked for
    EXPECT_EQ(maxLevel, 0); // one level, complete without mipmaps

    // Texture row 0 is the image's bottom row.
    unsigned char texels[8] = {};
    glGetTextureImage(Resources().GetTexture("Stripe").texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, sizeof texels, texels);
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[2], 255);
    EXPECT_EQ(texels[4], 255);
    EXPECT_EQ(texels[6], 0);
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}

TEST_F(ResourceLookups, AnImageThatCannotBeUsedIsSkippedWithItsReasonAndKeepsItsKey)
{
    TempWorkingFolder::WritePng("Resources/images/G/S/Good.png", 2, 2);
    // A JPEG under a PNG name, and a header claiming 16,777,216 pixels square.
    TempWorkingFolder::WriteText("Resources/images/G/S/Jpeg.png", std::string("\xFF\xD8\xFF\xC4\x00\x05\x00\xFF\xFF\xFF", 10));
    TempWorkingFolder::WriteText("Resources/images/G/S/Huge.png",
                                 std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\x01\0\0\0\x01\0\0\0\x08\x06\0\0\0\0\0\0\0", 33));
    testing::internal::CaptureStderr();
    ScanAndLoadAll();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_THAT(err, testing::HasSubstr("Image Resources/images/G/S/Jpeg.png is not a PNG image; it is skipped"));
    EXPECT_THAT(err, testing::HasSubstr("Image Resources/images/G/S/Huge.png is larger than 8192 pixels on a side"));
    EXPECT_EQ(Resources().GetTexture("Jpeg").texture, 0u);
    EXPECT_EQ(Resources().GetTexture("Huge").halfWidth, 0.0f);
    EXPECT_NE(Resources().GetTexture("Good").texture, 0u);
}

TEST(IconImage, LoadsUnflippedRgbaAndFrees)
{
    TempWorkingFolder folder;
    WriteRedOverBlue("icons/dvico.png");
    IconImage icon = LoadIconImage("icons/dvico.png");
    ASSERT_NE(icon.pixels, nullptr);
    EXPECT_EQ(icon.width, 1);
    EXPECT_EQ(icon.height, 2);
    EXPECT_EQ(icon.pixels[0], 255); // top row first
    EXPECT_EQ(icon.pixels[6], 255);
    FreeIconImage(icon);
    EXPECT_EQ(icon.pixels, nullptr);
    EXPECT_EQ(icon.width, 0);

    IconImage missing = LoadIconImage("icons/none.png");
    EXPECT_EQ(missing.pixels, nullptr);
    EXPECT_EQ(missing.width, 0);
    FreeIconImage(missing);
}

TEST_F(ResourceLookups, AFontYieldsNinetyFiveGlyphTexturesAndATextQuadBuffer)
{
    std::filesystem::create_directories("Resources/fonts");
    std::filesystem::copy_file(BebasNeue, "Resources/fonts/BebasNeue-Regular.otf");
    std::filesystem::copy_file(DejaVuSans, "Resources/fonts/DejaVuSans.ttf");
    ScanAndLoadAll();

    for (const char* name : {"BebasNeue-Regular", "DejaVuSans"})
    {
        SCOPED_TRACE(name);
        const FontInfo& font = Resources().GetFont(name);
        ASSERT_EQ(font.glyphs.size(), 95u);
        EXPECT_EQ(font.glyphs.begin()->first, ' ');
        EXPECT_EQ(font.glyphs.rbegin()->first, '~');
        for (const auto& entry : font.glyphs)
            EXPECT_NE(entry.second.texture, 0u) << entry.first;

        const Glyph& letter = font.glyphs.at('H');
        EXPECT_GT(letter.size.x, 0.0f);
        EXPECT_GT(letter.size.y, 20.0f); // 48-pixel glyphs
        EXPECT_LT(letter.size.y, 49.0f);
        EXPECT_NEAR(letter.bearing.y, letter.size.y, 1.0f); // a capital H sits on the baseline
        EXPECT_GE(letter.advance, 64 * static_cast<int>(letter.size.x)); // 1/64 pixel
        GLint width = 0;
        glGetTextureLevelParameteriv(letter.texture, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_EQ(width, static_cast<GLint>(letter.size.x));
        EXPECT_GT(font.glyphs.at(' ').advance, 0);

        GLint bytes = 0;
        glGetNamedBufferParameteriv(font.vertexBuffer, GL_BUFFER_SIZE, &bytes);
        EXPECT_EQ(bytes, 96);
        GLint enabled = 0;
        glGetVertexArrayIndexediv(font.vertexArray, 6, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, GL_TRUE);
    }
    std::vector<std::string> loaded;
    for (const FontRecord& font : Resources().LoadedFonts)
        loaded.push_back(font.name);
    EXPECT_EQ(loaded, (std::vector<std::string>{"BebasNeue-Regular.otf", "DejaVuSans.ttf"}));
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}

TEST_F(ResourceLookups, AFontFileFreeTypeCannotReadEndsTheProgram)
{
    TempWorkingFolder::WriteText("Resources/fonts/Broken.ttf", "not a font");
    ScanAssets(Resources());
    EXPECT_EQ(AssertMessageOf([&] { Resources().InitSoundAndLoad(*coordinator); }),
              "Freetype error: Failed to create font face");
}

TEST_F(ResourceLookups, ReleaseAllDeletesEveryGlObject)
{
    TempWorkingFolder::WritePng("Resources/images/G/S/Tile.png", 2, 2);
    TempWorkingFolder::WritePng("Resources/animation/Player/Run/Run.png", 4, 2);
    TempWorkingFolder::WriteText("Resources/animation/Player/Run/layout.json",
                                 R"([{"x":0,"y":0,"width":2,"height":2}])");
    TempWorkingFolder::WriteText("Resources/animation/Player/Run/format.json",
                                 R"([{"frameDelay":0.1,"ssWidth":4,"ssHeight":2}])");
    std::filesystem::create_directories("Resources/fonts");
    std::filesystem::copy_file(BebasNeue, "Resources/fonts/BebasNeue-Regular.otf");
    TempWorkingFolder::WriteText("Resources/shaders/Flat/Flat.vert",
                                 "#version 450 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    TempWorkingFolder::WriteText("Resources/shaders/Flat/Flat.frag",
                                 "#version 450 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    ScanAndLoadAll();

    const GLuint tile = Resources().GetTexture("Tile").texture;
    const GLuint sheet = Resources().SpritesheetKeys().at({"Player", "Run"});
    const GLuint glyph = Resources().GetFont("BebasNeue-Regular").glyphs.at('A').texture;
    const GLuint buffer = Resources().GetFont("BebasNeue-Regular").vertexBuffer;
    const GLuint program = Resources().GetShaderProgram("Flat").handle;
    for (GLuint texture : {tile, sheet, glyph})
        ASSERT_TRUE(glIsTexture(texture));
    ASSERT_TRUE(glIsProgram(program));

    Resources().ReleaseAll();
    released = true;
    for (GLuint texture : {tile, sheet, glyph})
        EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}
