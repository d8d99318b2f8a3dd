#include "engine/systems/RendererUniforms.h"

#include <GL/glew.h>

#include <algorithm>

namespace
{
const char* const Names[RendererUniforms::UniformCount] = {
    "uTextureLoaded",   "uType",          "uTint",          "uColor",
    "uDepth",           "uOpacity",       "uAnimation",     "uIndex",
    "uSpriteSheetData", "uVaoToWorld",    "uCamMtxWorldToNDC", "uCamUIMtxWorldToNDC",
    "uBaseLighting",    "uNumAmbientLights", "uNumDirectionalLights", "uNumWallSegments",
    "uBindToCam",       "uScreenProjection", "uWorldProjection", "uTextColor",
    "uFontType",        "uIgnoreLighting", "uTileEnabled",  "uTileSize",
    "uInstanced",       "uInstanceIndex"};
}

const char* RendererUniforms::Name(Uniform uniform)
{
    return Names[static_cast<int>(uniform)];
}

void RendererUniforms::Locate(std::uint32_t programHandle)
{
    program = programHandle;
    for (int i = 0; i < UniformCount; ++i)
        locations[static_cast<std::size_t>(i)] = program == 0 ? -1 : glGetUniformLocation(program, Names[i]);
    Forget();
}

void RendererUniforms::Forget()
{
    for (Held& value : held)
        value.kind = Kind::None;
}

bool RendererUniforms::Unchanged(Uniform uniform, Kind kind, const float* values, int count)
{
    // Without a program there is nothing to upload to.
    if (program == 0)
        return true;
    Held& slot = held[static_cast<std::size_t>(uniform)];
    if (slot.kind == kind && std::equal(values, values + count, slot.values.begin()))
        return true;
    slot.kind = kind;
    std::copy(values, values + count, slot.values.begin());
    return false;
}

void RendererUniforms::SetInt(Uniform uniform, int value)
{
    if (program == 0)
        return;
    Held& slot = held[static_cast<std::size_t>(uniform)];
    if (slot.kind == Kind::Int && slot.intValue == value)
        return;
    slot.kind = Kind::Int;
    slot.intValue = value;
    glProgramUniform1i(program, Location(uniform), value);
}

void RendererUniforms::SetFloat(Uniform uniform, float value)
{
    if (!Unchanged(uniform, Kind::Float, &value, 1))
        glProgramUniform1f(program, Location(uniform), value);
}

void RendererUniforms::SetVec2(Uniform uniform, float x, float y)
{
    const float values[2] = {x, y};
    if (!Unchanged(uniform, Kind::Vec2, values, 2))
        glProgramUniform2f(program, Location(uniform), x, y);
}

void RendererUniforms::SetVec3(Uniform uniform, float x, float y, float z)
{
    const float values[3] = {x, y, z};
    if (!Unchanged(uniform, Kind::Vec3, values, 3))
        glProgramUniform3f(program, Location(uniform), x, y, z);
}

void RendererUniforms::SetMat3(Uniform uniform, const float* value)
{
    if (!Unchanged(uniform, Kind::Mat3, value, 9))
        glProgramUniformMatrix3fv(program, Location(uniform), 1, GL_FALSE, value);
}

void RendererUniforms::SetMat4(Uniform uniform, const float* value)
{
    if (!Unchanged(uniform, Kind::Mat4, value, 16))
        glProgramUniformMatrix4fv(program, Location(uniform), 1, GL_FALSE, value);
}
