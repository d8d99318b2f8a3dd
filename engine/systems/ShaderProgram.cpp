#include "engine/systems/ShaderProgram.h"
#include "engine/core/Assert.h"

#include <GL/glew.h>

#include <fstream>
#include <sstream>

bool ShaderProgram::EnsureHandle()
{
    if (handle == 0)
        handle = glCreateProgram();
    if (handle == 0)
    {
        log = "Cannot create program handle";
        return false;
    }
    return true;
}

static std::string ProgramInfoLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length < 1)
        return "";
    std::string text(static_cast<std::size_t>(length), '\0');
    GLsizei written = 0;
    glGetProgramInfoLog(program, length, &written, text.data());
    text.resize(static_cast<std::size_t>(written));
    return text;
}

bool ShaderProgram::CompileLinkValidate(std::vector<Stage> stages)
{
    for (const Stage& stage : stages)
    {
        if (!CompileShaderFromFile(stage.first, stage.second))
            return false;
    }
    if (!linked)
    {
        if (handle == 0)
            return false;
        glLinkProgram(handle);
        GLint status = GL_FALSE;
        glGetProgramiv(handle, GL_LINK_STATUS, &status);
        if (status == GL_FALSE)
        {
            log = "Failed to link shader program\n" + ProgramInfoLog(handle);
            return false;
        }
        linked = true;
    }
    if (handle == 0)
        return false;
    glValidateProgram(handle);
    GLint status = GL_FALSE;
    glGetProgramiv(handle, GL_VALIDATE_STATUS, &status);
    if (status == GL_TRUE)
        return true;
    log = "Failed to validate shader program for current OpenGL context\n" + ProgramInfoLog(handle);
    return false;
}

bool ShaderProgram::CompileShaderFromFile(std::uint32_t stage, const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        log = "File not found";
        return false;
    }
    if (!EnsureHandle())
        return false;
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
    {
        log = "Error opening file " + path;
        return false;
    }
    return CompileShaderFromString(stage, text.str());
}

bool ShaderProgram::CompileShaderFromString(std::uint32_t stage, const std::string& source)
{
    if (!EnsureHandle())
        return false;
    if (stage != GL_FRAGMENT_SHADER && stage != GL_VERTEX_SHADER && stage != GL_GEOMETRY_SHADER &&
        stage != GL_TESS_EVALUATION_SHADER && stage != GL_TESS_CONTROL_SHADER)
    {
        log = "Incorrect shader type";
        return false;
    }
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_FALSE)
    {
        // The driver's words follow the fixed heading, whatever the stage.
        log = "Vertex shader compilation failed\n";
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        if (length > 0)
        {
            std::string info(static_cast<std::size_t>(length), '\0');
            GLsizei written = 0;
            glGetShaderInfoLog(shader, length, &written, info.data());
            info.resize(static_cast<std::size_t>(written));
            log += info;
        }
        glDeleteShader(shader);
        return false;
    }
    glAttachShader(handle, shader);
    return true;
}

void ShaderProgram::SetUniform(const char* name, const Matrix3& matrix) const
{
    const GLint location = glGetUniformLocation(handle, name);
    if (location < 0)
    {
        std::string message;
        ComposeMessage(message, {"Uniform variable ", name, " doesn't exist"});
        Log(message);
        return;
    }
    glProgramUniformMatrix3fv(handle, location, 1, GL_FALSE, matrix.m);
}
