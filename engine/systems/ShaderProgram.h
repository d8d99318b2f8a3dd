#pragma once
#include "engine/components/Matrix3.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One OpenGL program object built from shader source files. A plain value: copies share the
// GL handle, and a copy's `linked` and `log` do not follow the original. The program is
// created by its first compiled stage and linked at most once; the resource manager deletes it.
class ShaderProgram
{
public:
    // A stage is its GL shader type (GL_VERTEX_SHADER, ...) and the source file's path. GL types
    // stay out of this header so that it can be included before or after the GL loader.
    using Stage = std::pair<std::uint32_t, std::string>;

    // Compiles every {stage, path} in order (the first failure stops), links once and
    // validates. False with `log` describing the failure.
    bool CompileLinkValidate(std::vector<Stage> stages);
    bool CompileShaderFromFile(std::uint32_t stage, const std::string& path);
    // Compiles the source and attaches it to the program.
    bool CompileShaderFromString(std::uint32_t stage, const std::string& source);
    std::string GetLog() const { return log; }

    // Uploads one column-major 3 by 3 matrix by uniform name; a name the program lacks uploads
    // nothing and is logged.
    void SetUniform(const char* name, const Matrix3& matrix) const;

    std::uint32_t handle = 0;
    bool linked = false;
    std::string log;

private:
    bool EnsureHandle();
};
