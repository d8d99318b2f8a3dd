#include "engine/systems/ShaderVariant.h"
#include "engine/platform/ResourceManager.h"

#include <GL/glew.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace
{
bool ReadWhole(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}
}

std::string WithDefinitions(const std::string& source, const std::string& definitions)
{
    const std::size_t lineEnd = source.find('\n');
    if (lineEnd == std::string::npos)
        return source + "\n" + definitions + "\n";
    return source.substr(0, lineEnd + 1) + definitions + "\n" + source.substr(lineEnd + 1);
}

ShaderProgram BuildShaderVariant(const ResourceManager& resources, const std::string& programName,
                                 const std::string& definitions)
{
    ShaderProgram variant;
    for (const ShaderPairRecord& pair : resources.LoadedShaderPairs)
    {
        if (pair.name != programName)
            continue;
        std::string vertex;
        std::string fragment;
        if (!ReadWhole(pair.vertexPath, vertex) || !ReadWhole(pair.fragmentPath, fragment))
            break;
        // A linked variant serves even when validation, which depends on the state at hand, fails.
        if (variant.CompileShaderFromString(GL_VERTEX_SHADER, WithDefinitions(vertex, definitions)) &&
            variant.CompileShaderFromString(GL_FRAGMENT_SHADER, WithDefinitions(fragment, definitions)) &&
            (variant.CompileLinkValidate({}) || variant.linked))
            return variant;
        break;
    }
    DeleteShaderVariant(variant);
    return {};
}

void DeleteShaderVariant(ShaderProgram& variant)
{
    if (variant.handle == 0)
        return;
    GLint attached = 0;
    glGetProgramiv(variant.handle, GL_ATTACHED_SHADERS, &attached);
    if (attached > 0)
    {
        std::vector<GLuint> shaders(static_cast<std::size_t>(attached));
        GLsizei returned = 0;
        glGetAttachedShaders(variant.handle, attached, &returned, shaders.data());
        for (GLsizei i = 0; i < returned; ++i)
            glDeleteShader(shaders[static_cast<std::size_t>(i)]);
    }
    glDeleteProgram(variant.handle);
    variant = ShaderProgram{};
}
