#include "engine/core/Coordinator.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ResourceManager.h"
#include "engine/systems/ShaderProgram.h"
#include "support/AssertCapture.h"
#include "support/GlTestContext.h"
#include "support/LogCapture.h"
#include "support/TempWorkingFolder.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace
{
const char* FlatVertex = "#version 450 core\nuniform mat3 uModel;\n"
                         "void main() { gl_Position = vec4((uModel * vec3(1.0)).xy, 0.0, 1.0); }\n";
const char* FlatFragment = "#version 450 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
const char* NeedsInputFragment = "#version 450 core\nin vec3 vMissing;\nout vec4 c;\n"
                                 "void main() { c = vec4(vMissing, 1.0); }\n";

std::string CommittedShaders()
{
    return std::string(DUSKVANE_SOURCE_DIR) + "/Resources/shaders";
}

class ShaderPrograms : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(GlTestContext::Get().Ready()); }
    TempWorkingFolder folder;
};
}

TEST_F(ShaderPrograms, FailuresReplaceTheLogAndReturnFalse)
{
    TempWorkingFolder::WriteText("flat.vert", FlatVertex);
    TempWorkingFolder::WriteText("flat.frag", FlatFragment);
    TempWorkingFolder::WriteText("broken.frag", "#version 450 core\nvoid main() { nonsense; }\n");
    TempWorkingFolder::WriteText("needs.frag", NeedsInputFragment);

    ShaderProgram missing;
    EXPECT_FALSE(missing.CompileLinkValidate({{GL_VERTEX_SHADER, "nowhere.vert"}}));
    EXPECT_EQ(missing.GetLog(), "File not found");
    EXPECT_EQ(missing.handle, 0u);

    ShaderProgram wrongStage;
    EXPECT_FALSE(wrongStage.CompileShaderFromString(GL_COMPUTE_SHADER, FlatFragment));
    EXPECT_EQ(wrongStage.GetLog(), "Incorrect shader type");

    ShaderProgram broken;
    EXPECT_FALSE(broken.CompileLinkValidate({{GL_VERTEX_SHADER, "flat.vert"}, {GL_FRAGMENT_SHADER, "broken.frag"}}));
    const std::string heading = "Vertex shader compilation failed\n";
    EXPECT_EQ(broken.GetLog().substr(0, heading.size()), heading);
    EXPECT_GT(broken.GetLog().size(), heading.size()); // the driver's words follow
    EXPECT_FALSE(broken.linked);

    ShaderProgram unlinkable;
    EXPECT_FALSE(unlinkable.CompileLinkValidate({{GL_VERTEX_SHADER, "flat.vert"}, {GL_FRAGMENT_SHADER, "needs.frag"}}));
    EXPECT_EQ(unlinkable.GetLog().rfind("Failed to link shader program\n", 0), 0u);
    EXPECT_FALSE(unlinkable.linked);

    for (ShaderProgram* program : {&broken, &unlinkable})
        glDeleteProgram(program->handle);
}

TEST_F(ShaderPrograms, LinksOnceAndUploadsMatricesByName)
{
    TempWorkingFolder::WriteText("flat.vert", FlatVertex);
    TempWorkingFolder::WriteText("flat.frag", FlatFragment);
    ShaderProgram program;
    ASSERT_TRUE(program.CompileLinkValidate({{GL_VERTEX_SHADER, "flat.vert"}, {GL_FRAGMENT_SHADER, "flat.frag"}}))
        << program.GetLog();
    EXPECT_TRUE(program.linked);
    // Asked again, the stages are compiled and attached once more, but the program is not relinked.
    EXPECT_TRUE(program.CompileLinkValidate({{GL_VERTEX_SHADER, "flat.vert"}, {GL_FRAGMENT_SHADER, "flat.frag"}}));
    GLint attached = 0;
    glGetProgramiv(program.handle, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 4);

    Matrix3 matrix;
    for (int i = 0; i < 9; ++i)
        matrix.m[i] = static_cast<float>(i + 1);
    program.SetUniform("uModel", matrix);
    float readBack[9] = {};
    glGetUniformfv(program.handle, glGetUniformLocation(program.handle, "uModel"), readBack);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(readBack[i], matrix.m[i]) << i;

    LogCapture log;
    program.SetUniform("uNope", matrix);
    EXPECT_TRUE(log.Has("Uniform variable uNope doesn't exist"));
    EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned>(GL_NO_ERROR));
    glDeleteProgram(program.handle);
}

TEST_F(ShaderPrograms, TheCommittedAllProgramCompilesLinksAndValidates)
{
    std::filesystem::create_directories("Resources/shaders");
    std::filesystem::copy(CommittedShaders() + "/All", "Resources/shaders/All");
    Coordinator coordinator;
    coordinator.SystemManager.RegisterSystem<sSoundSystem>();
    ScanAssets(coordinator.ResourceManager);
    coordinator.ResourceManager.InitSoundAndLoad(coordinator);

    const ShaderProgram all = coordinator.ResourceManager.GetShaderProgram("All");
    EXPECT_NE(all.handle, 0u);
    EXPECT_TRUE(all.linked);
    EXPECT_EQ(all.GetLog(), "");
    glValidateProgram(all.handle);
    GLint valid = GL_FALSE;
    glGetProgramiv(all.handle, GL_VALIDATE_STATUS, &valid);
    EXPECT_EQ(valid, GL_TRUE);
    coordinator.ResourceManager.ReleaseAll();
}

TEST_F(ShaderPrograms, ABrokenShaderPairEndsTheProgramWithTheCompileLog)
{
    TempWorkingFolder::WriteText("Resources/shaders/Broken/Broken.vert", FlatVertex);
    TempWorkingFolder::WriteText("Resources/shaders/Broken/Broken.frag", "#version 450 core\nvoid main() { oops }\n");
    Coordinator coordinator;
    coordinator.SystemManager.RegisterSystem<sSoundSystem>();
    ScanAssets(coordinator.ResourceManager);
    const std::string message = AssertMessageOf([&] { coordinator.ResourceManager.InitSoundAndLoad(coordinator); });
    const std::string heading = "Unable to compile/link/validate shader programs\nVertex shader compilation failed\n";
    EXPECT_EQ(message.substr(0, heading.size()), heading);
    EXPECT_GT(message.size(), heading.size());
    EXPECT_TRUE(coordinator.ResourceManager.ShaderPrograms().empty());
}
