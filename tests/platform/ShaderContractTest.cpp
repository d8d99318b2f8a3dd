// The committed "All" program against the contract the renderer relies on: every uniform with
// its type, the vertex inputs, the three storage blocks with their bindings and layout, and
// how it draws: depth by layer, lights and walls, unlit interface and text, spritesheet frames.
#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/ResourceManager.h"
#include "support/GlTestContext.h"
#include "support/TempWorkingFolder.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

namespace
{
constexpr int Size = 32;

struct Color
{
    int r, g, b;
};

class AllShader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        std::filesystem::create_directories("Resources/shaders");
        std::filesystem::copy(std::string(DUSKVANE_SOURCE_DIR) + "/Resources/shaders/All", "Resources/shaders/All");
        coordinator = std::make_unique<Coordinator>();
        coordinator->SystemManager.RegisterSystem<sSoundSystem>();
        ScanAssets(coordinator->ResourceManager);
        coordinator->ResourceManager.InitSoundAndLoad(*coordinator);
        program = coordinator->ResourceManager.GetShaderProgram("All").handle;
        ASSERT_NE(program, 0u);
    }

    void TearDown() override
    {
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glClearDepth(1.0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(2, renderbuffers);
        glDeleteVertexArrays(2, vertexArrays);
        glDeleteBuffers(static_cast<GLsizei>(std::size(buffers)), buffers);
        if (coordinator)
            coordinator->ResourceManager.ReleaseAll();
    }

    // A 32 by 32 target with depth, the square mesh, a text quad and the three light buffers,
    // with the renderer's fixed depth state.
    void PrepareToDraw()
    {
        glCreateFramebuffers(1, &framebuffer);
        glCreateRenderbuffers(2, renderbuffers);
        glNamedRenderbufferStorage(renderbuffers[0], GL_RGBA8, Size, Size);
        glNamedRenderbufferStorage(renderbuffers[1], GL_DEPTH_COMPONENT24, Size, Size);
        glNamedFramebufferRenderbuffer(framebuffer, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        ASSERT_EQ(glCheckNamedFramebufferStatus(framebuffer, GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, Size, Size);
        glClearColor(0, 0, 0, 1);
        glClearDepth(0.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_GEQUAL);
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);

        // Square: positions then texture coordinates, as the built-in meshes lay them out.
        const float square[] = {-1, -1, 1, -1, 1, 1, -1, 1, 0, 0, 1, 0, 1, 1, 0, 1};
        const unsigned short indices[] = {0, 1, 2, 2, 3, 0};
        glCreateBuffers(static_cast<GLsizei>(std::size(buffers)), buffers);
        glNamedBufferStorage(buffers[0], sizeof square, square, 0);
        glNamedBufferStorage(buffers[1], sizeof indices, indices, 0);
        glCreateVertexArrays(2, vertexArrays);
        glVertexArrayVertexBuffer(vertexArrays[0], 0, buffers[0], 0, 8);
        glVertexArrayVertexBuffer(vertexArrays[0], 1, buffers[0], 32, 8);
        glVertexArrayAttribFormat(vertexArrays[0], 0, 2, GL_FLOAT, GL_FALSE, 0);
        glVertexArrayAttribFormat(vertexArrays[0], 1, 2, GL_FLOAT, GL_FALSE, 0);
        glVertexArrayAttribBinding(vertexArrays[0], 0, 0);
        glVertexArrayAttribBinding(vertexArrays[0], 1, 1);
        glEnableVertexArrayAttrib(vertexArrays[0], 0);
        glEnableVertexArrayAttrib(vertexArrays[0], 1);
        glVertexArrayElementBuffer(vertexArrays[0], buffers[1]);

        // Text quad over the whole target: (x, y, u, v) at attribute 6.
        const float text[] = {-1, 1, 0, 0, -1, -1, 0, 1, 1, -1, 1, 1, -1, 1, 0, 0, 1, -1, 1, 1, 1, 1, 1, 0};
        glNamedBufferStorage(buffers[2], sizeof text, text, 0);
        glVertexArrayVertexBuffer(vertexArrays[1], 0, buffers[2], 0, 16);
        glVertexArrayAttribFormat(vertexArrays[1], 6, 4, GL_FLOAT, GL_FALSE, 0);
        glVertexArrayAttribBinding(vertexArrays[1], 6, 0);
        glEnableVertexArrayAttrib(vertexArrays[1], 6);

        glNamedBufferData(buffers[3], 1040, nullptr, GL_DYNAMIC_DRAW);
        glNamedBufferData(buffers[4], 208, nullptr, GL_DYNAMIC_DRAW);
        glNamedBufferData(buffers[5], 5440, nullptr, GL_DYNAMIC_DRAW);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 5, buffers[3]);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 6, buffers[4]);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 7, buffers[5]);

        glUseProgram(program);
        // An untextured white interface square over the whole target at layer 0.
        SetMat3("uVaoToWorld", {1, 0, 0, 0, 1, 0, 0, 0, 1});
        SetMat3("uCamMtxWorldToNDC", {1, 0, 0, 0, 1, 0, 0, 0, 1});
        SetMat3("uCamUIMtxWorldToNDC", {1, 0, 0, 0, 1, 0, 0, 0, 1});
        Set("uType", 5);
        Set("uTextureLoaded", 0.0f);
        Set("uColor", 1.0f, 1.0f, 1.0f);
        Set("uTint", 1.0f, 1.0f, 1.0f);
        Set("uOpacity", 1.0f);
        Set("uBaseLighting", 1.0f);
        Set("uTileSize", 1.0f, 1.0f);
    }

    GLint Location(const char* name) { return glGetUniformLocation(program, name); }
    void Set(const char* name, int value) { glUniform1i(Location(name), value); }
    void Set(const char* name, float value) { glUniform1f(Location(name), value); }
    void Set(const char* name, float x, float y) { glUniform2f(Location(name), x, y); }
    void Set(const char* name, float x, float y, float z) { glUniform3f(Location(name), x, y, z); }
    void SetMat3(const char* name, std::array<float, 9> m) { glUniformMatrix3fv(Location(name), 1, GL_FALSE, m.data()); }
    void SetMat4(const char* name, std::array<float, 16> m) { glUniformMatrix4fv(Location(name), 1, GL_FALSE, m.data()); }

    void Clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
    void DrawSquare()
    {
        glBindVertexArray(vertexArrays[0]);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, nullptr);
    }
    void DrawText()
    {
        glBindVertexArray(vertexArrays[1]);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    void DrawLayer(float layer, Color tint)
    {
        Set("uDepth", layer);
        Set("uTint", tint.r / 255.0f, tint.g / 255.0f, tint.b / 255.0f);
        DrawSquare();
    }
    Color Pixel(int x, int y)
    {
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
    // The pixel whose centre lies nearest the world point, when the target spans -16 to 16.
    Color WorldPixel(float x, float y) { return Pixel(static_cast<int>(x + 16.0f), static_cast<int>(y + 16.0f)); }

    void WriteLights(const std::vector<float>& ambient, const std::vector<float>& spot, const std::vector<float>& walls)
    {
        if (!ambient.empty())
            glNamedBufferSubData(buffers[3], 0, static_cast<GLsizeiptr>(ambient.size() * 4), ambient.data());
        if (!spot.empty())
            glNamedBufferSubData(buffers[4], 0, static_cast<GLsizeiptr>(spot.size() * 4), spot.data());
        if (!walls.empty())
            glNamedBufferSubData(buffers[5], 0, static_cast<GLsizeiptr>(walls.size() * 4), walls.data());
    }

    TempWorkingFolder folder;
    std::unique_ptr<Coordinator> coordinator;
    GLuint program = 0;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {};
    GLuint vertexArrays[2] = {};
    GLuint buffers[6] = {};
};

std::vector<float> AmbientBuffer(float x, float y, float radius)
{
    std::vector<float> data(260, 0.0f);
    data[0] = x;
    data[1] = y;
    for (int c = 0; c < 3; ++c)
    {
        data[80 + c] = 1.0f;  // colour
        data[160 + c] = 1.0f; // intensity
    }
    data[240] = radius;
    return data;
}

std::vector<float> SpotBuffer(float x, float y, float dirX, float dirY, float radius)
{
    std::vector<float> data(52, 0.0f);
    data[0] = x;
    data[1] = y;
    data[2] = dirX;
    data[3] = dirY;
    for (int c = 0; c < 3; ++c)
    {
        data[16 + c] = 1.0f;
        data[32 + c] = 1.0f;
    }
    data[48] = radius;
    return data;
}
}

TEST_F(AllShader, EveryContractUniformIsActiveWithItsType)
{
    std::map<std::string, std::pair<GLenum, GLint>> active;
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i)
    {
        char name[128];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, &length, &size, &type, name);
        active[std::string(name, static_cast<std::size_t>(length))] = {type, size};
    }

    const std::pair<const char*, GLenum> contract[] = {
        {"uTextureLoaded", GL_FLOAT},        {"uType", GL_INT},
        {"uTint", GL_FLOAT_VEC3},            {"uColor", GL_FLOAT_VEC3},
        {"uDepth", GL_FLOAT},                {"uOpacity", GL_FLOAT},
        {"uAnimation", GL_FLOAT},            {"uIndex", GL_INT},
        {"uSpriteSheetData", GL_FLOAT_VEC3}, {"uVaoToWorld", GL_FLOAT_MAT3},
        {"uCamMtxWorldToNDC", GL_FLOAT_MAT3}, {"uCamUIMtxWorldToNDC", GL_FLOAT_MAT3},
        {"uBaseLighting", GL_FLOAT},         {"uNumAmbientLights", GL_FLOAT},
        {"uNumDirectionalLights", GL_FLOAT}, {"uNumWallSegments", GL_FLOAT},
        {"uBindToCam", GL_INT},              {"uScreenProjection", GL_FLOAT_MAT4},
        {"uWorldProjection", GL_FLOAT_MAT4}, {"uTextColor", GL_FLOAT_VEC3},
        {"uFontType", GL_INT},               {"uIgnoreLighting", GL_BOOL},
        {"uTileEnabled", GL_INT},            {"uTileSize", GL_FLOAT_VEC2},
        {"uInstanced", GL_INT},              {"uInstanceIndex", GL_INT},
    };
    for (const auto& [name, type] : contract)
    {
        ASSERT_EQ(active.count(name), 1u) << name << " is not active";
        EXPECT_EQ(active[name].first, type) << name;
        EXPECT_EQ(active[name].second, 1) << name;
    }

    // Per-instance matrices, [batch][instance] with 100 instances per batch.
    for (const char* batch : {"uOffsets[0][0]", "uOffsets[1][0]"})
    {
        ASSERT_EQ(active.count(batch), 1u) << batch;
        EXPECT_EQ(active[batch].first, static_cast<GLenum>(GL_FLOAT_MAT3));
        EXPECT_EQ(active[batch].second, 100);
    }
    EXPECT_NE(Location("uOffsets[1][99]"), -1);

    // One sampler, on unit 0.
    std::vector<std::string> samplers;
    for (const auto& [name, info] : active)
    {
        if (info.first == GL_SAMPLER_2D)
            samplers.push_back(name);
    }
    ASSERT_EQ(samplers.size(), 1u);
    GLint unit = -1;
    glGetUniformiv(program, Location(samplers[0].c_str()), &unit);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(active.size(), std::size(contract) + 2 + 1);

    // The renderer uploads the lighting switch as an integer for entities and as a float for
    // batches; a boolean uniform takes both.
    glProgramUniform1i(program, Location("uIgnoreLighting"), 1);
    glProgramUniform1f(program, Location("uIgnoreLighting"), 0.0f);
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
}

TEST_F(AllShader, VertexInputsAndStorageBlocksMatchTheDrawingCode)
{
    std::map<GLint, GLint> inputs;
    GLint inputCount = 0;
    glGetProgramInterfaceiv(program, GL_PROGRAM_INPUT, GL_ACTIVE_RESOURCES, &inputCount);
    for (GLint i = 0; i < inputCount; ++i)
    {
        const GLenum properties[] = {GL_LOCATION, GL_TYPE};
        GLint values[2] = {};
        glGetProgramResourceiv(program, GL_PROGRAM_INPUT, static_cast<GLuint>(i), 2, properties, 2, nullptr, values);
        if (values[0] >= 0)
            inputs[values[0]] = values[1];
    }
    EXPECT_EQ(inputs, (std::map<GLint, GLint>{
                          {0, GL_FLOAT_VEC2}, {1, GL_FLOAT_VEC2}, {2, GL_FLOAT_VEC3}, {6, GL_FLOAT_VEC4}}));

    std::map<GLint, GLint> blockSizes;      // binding -> bytes
    std::map<GLint, GLint> bindingOfBlock;  // block index -> binding
    GLint blockCount = 0;
    glGetProgramInterfaceiv(program, GL_SHADER_STORAGE_BLOCK, GL_ACTIVE_RESOURCES, &blockCount);
    for (GLint i = 0; i < blockCount; ++i)
    {
        const GLenum properties[] = {GL_BUFFER_BINDING, GL_BUFFER_DATA_SIZE};
        GLint values[2] = {};
        glGetProgramResourceiv(program, GL_SHADER_STORAGE_BLOCK, static_cast<GLuint>(i), 2, properties, 2, nullptr,
                               values);
        blockSizes[values[0]] = values[1];
        bindingOfBlock[i] = values[0];
    }
    EXPECT_EQ(blockSizes, (std::map<GLint, GLint>{{5, 1040}, {6, 208}, {7, 5440}}));

    // Members per binding: (offset, element count, stride, type), in offset order.
    std::map<GLint, std::vector<std::tuple<GLint, GLint, GLint, GLint>>> members;
    GLint variableCount = 0;
    glGetProgramInterfaceiv(program, GL_BUFFER_VARIABLE, GL_ACTIVE_RESOURCES, &variableCount);
    for (GLint i = 0; i < variableCount; ++i)
    {
        const GLenum properties[] = {GL_BLOCK_INDEX, GL_OFFSET, GL_ARRAY_SIZE, GL_ARRAY_STRIDE, GL_TYPE};
        GLint v[5] = {};
        glGetProgramResourceiv(program, GL_BUFFER_VARIABLE, static_cast<GLuint>(i), 5, properties, 5, nullptr, v);
        members[bindingOfBlock[v[0]]].emplace_back(v[1], v[2], v[3], v[4]);
    }
    for (auto& entry : members)
        std::sort(entry.second.begin(), entry.second.end());
    using M = std::tuple<GLint, GLint, GLint, GLint>;
    EXPECT_EQ(members[5], (std::vector<M>{{0, 20, 16, GL_FLOAT_VEC4}, {320, 20, 16, GL_FLOAT_VEC4},
                                          {640, 20, 16, GL_FLOAT_VEC4}, {960, 20, 4, GL_FLOAT}}));
    EXPECT_EQ(members[6], (std::vector<M>{{0, 4, 16, GL_FLOAT_VEC4}, {64, 4, 16, GL_FLOAT_VEC4},
                                          {128, 4, 16, GL_FLOAT_VEC4}, {192, 4, 4, GL_FLOAT}}));
    EXPECT_EQ(members[7], (std::vector<M>{{0, 340, 16, GL_FLOAT_VEC4}}));
}

TEST_F(AllShader, DepthGrowsWithTheLayerAndNoLayerIsClipped)
{
    PrepareToDraw();
    const float layers[] = {-1e30f, -1e6f, -1001.0f, -1000.0f, -1.0f, -0.001f, 0.0f, 0.001f,
                            0.5f,   1.0f,  99.5f,    100.0f,   1000.0f, 1001.0f, 1e6f, 1e30f};
    const Color red{255, 0, 0};
    const Color green{0, 255, 0};
    for (float layer : layers)
    {
        Clear();
        DrawLayer(layer, red);
        EXPECT_EQ(Pixel(3, 29).r, 255) << "layer " << layer << " was clipped";
    }
    for (std::size_t i = 0; i + 1 < std::size(layers); ++i)
    {
        const float lower = layers[i];
        const float higher = layers[i + 1];
        Clear();
        DrawLayer(higher, red);
        DrawLayer(lower, green);
        EXPECT_EQ(Pixel(16, 16).r, 255) << lower << " drew over " << higher;
        Clear();
        DrawLayer(lower, green);
        DrawLayer(higher, red);
        EXPECT_EQ(Pixel(16, 16).r, 255) << higher << " did not draw over " << lower;
    }
    // On one layer, the later draw wins.
    Clear();
    DrawLayer(7.0f, red);
    DrawLayer(7.0f, green);
    EXPECT_EQ(Pixel(16, 16).g, 255);
}

TEST_F(AllShader, LightsReachTheirRadiusAndWallsBlockThem)
{
    PrepareToDraw();
    // One world unit per pixel: the square spans -16 to 16.
    SetMat3("uVaoToWorld", {16, 0, 0, 0, 16, 0, 0, 0, 1});
    SetMat3("uCamMtxWorldToNDC", {1.0f / 16, 0, 0, 0, 1.0f / 16, 0, 0, 0, 1});
    Set("uType", 2);
    Set("uBaseLighting", 0.2f);
    WriteLights(AmbientBuffer(0.0f, 0.0f, 10.0f), SpotBuffer(0.0f, 0.0f, 1.0f, 0.0f, 12.0f), {4, -16, 4, 16});
    const int base = 51; // 0.2 of white

    Set("uNumAmbientLights", 1.0f);
    Set("uNumWallSegments", 0.0f); // the wall is in the buffer but not current
    Clear();
    DrawSquare();
    EXPECT_EQ(WorldPixel(0.5f, 0.5f).r, 255);
    EXPECT_GT(WorldPixel(6.5f, 0.5f).r, base + 20);
    EXPECT_NEAR(WorldPixel(-12.5f, 0.5f).r, base, 1); // beyond the radius

    Set("uNumWallSegments", 1.0f);
    Clear();
    DrawSquare();
    EXPECT_NEAR(WorldPixel(6.5f, 0.5f).r, base, 1); // behind the wall
    EXPECT_GT(WorldPixel(-6.5f, 0.5f).r, base + 20);

    // A spot light shines along its direction only, and walls block it too.
    Set("uNumAmbientLights", 0.0f);
    Set("uNumDirectionalLights", 1.0f);
    Set("uNumWallSegments", 0.0f);
    Clear();
    DrawSquare();
    EXPECT_GT(WorldPixel(6.5f, 0.5f).r, base + 20);
    EXPECT_NEAR(WorldPixel(-6.5f, 0.5f).r, base, 1);
    EXPECT_NEAR(WorldPixel(0.5f, 8.5f).r, base, 1);
    Set("uNumWallSegments", 1.0f);
    Clear();
    DrawSquare();
    EXPECT_NEAR(WorldPixel(6.5f, 0.5f).r, base, 1);

    // Ignored lighting, interface elements and text are drawn at full colour.
    Set("uIgnoreLighting", 1);
    Clear();
    DrawSquare();
    EXPECT_EQ(WorldPixel(-12.5f, 0.5f).r, 255);
    Set("uIgnoreLighting", 0.0f);
    Set("uType", 5);
    Clear();
    DrawSquare();
    EXPECT_EQ(WorldPixel(-12.5f, 0.5f).r, 255);
}

TEST_F(AllShader, TextIsAnUnlitCoverageMaskInEitherProjection)
{
    PrepareToDraw();
    GLuint glyph = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &glyph);
    glTextureStorage2D(glyph, 1, GL_R8, 1, 1);
    const unsigned char full = 255;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTextureSubImage2D(glyph, 0, 0, 0, 1, 1, GL_RED, GL_UNSIGNED_BYTE, &full);
    glTextureParameteri(glyph, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTextureUnit(0, glyph);

    Set("uType", 6);
    Set("uBaseLighting", 0.0f);
    Set("uTextColor", 0.0f, 1.0f, 0.0f);
    SetMat4("uWorldProjection", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1});
    SetMat4("uScreenProjection", {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1});
    Set("uFontType", 0);
    Clear();
    DrawText();
    EXPECT_EQ(Pixel(1, 1).g, 255);
    Set("uFontType", 1);
    Clear();
    DrawText();
    EXPECT_EQ(Pixel(1, 1).g, 0);
    EXPECT_EQ(Pixel(16, 16).g, 255);
    glBindTextureUnit(0, 0);
    glDeleteTextures(1, &glyph);
}

TEST_F(AllShader, SpritesheetFramesCountFromTheSheetsTopLeft)
{
    PrepareToDraw();
    // A 2 by 2 sheet of four 1-pixel frames: red, green on the top row; blue, white below.
    const unsigned char sheet[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    ASSERT_NE(stbi_write_png("sheet.png", 2, 2, 4, sheet, 8), 0);
    int width = 0;
    int height = 0;
    GLuint texture = LoadTextureFromFile("sheet.png", width, height);
    ASSERT_NE(texture, 0u);
    glBindTextureUnit(0, texture);

    Set("uType", 2);
    Set("uTextureLoaded", 1.0f);
    Set("uColor", 0.0f, 0.0f, 0.0f);
    Set("uIgnoreLighting", 1);
    Set("uAnimation", 1.0f);
    Set("uSpriteSheetData", 0.5f, 0.5f, 2.0f);
    const Color expected[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int frame = 0; frame < 4; ++frame)
    {
        Set("uIndex", frame);
        Clear();
        DrawSquare();
        const Color got = Pixel(15, 15);
        EXPECT_NEAR(got.r, expected[frame].r, 12) << "frame " << frame;
        EXPECT_NEAR(got.g, expected[frame].g, 12) << "frame " << frame;
        EXPECT_NEAR(got.b, expected[frame].b, 12) << "frame " << frame;
    }
    glBindTextureUnit(0, 0);
    glDeleteTextures(1, &texture);
}
