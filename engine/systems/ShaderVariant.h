#pragma once
#include "engine/systems/ShaderProgram.h"

#include <string>

class ResourceManager;

// A variant of a loaded program: the same stage files, each with a line of definitions put right
// after its #version line, compiled and linked into a program of its own. The renderer picks a
// variant per draw where a branch of the shader cannot apply to it. The caller owns (and deletes)
// the program; handle is 0 when the program is unknown or the variant does not build.
ShaderProgram BuildShaderVariant(const ResourceManager& resources, const std::string& programName,
                                 const std::string& definitions);

// Deletes the variant's program and its shaders.
void DeleteShaderVariant(ShaderProgram& variant);

// The source with the definitions inserted after its first line (the #version line).
std::string WithDefinitions(const std::string& source, const std::string& definitions);
