#include "engine/core/Coordinator.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/WindowState.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/ShaderVariant.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "engine/systems/TextureReadback.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// How each draw of the frame is made: the program variant it takes, the lights and walls it binds,
// whether it blends, and whether the clear paints it. Which draws and tiles are made at all is in
// sRendererSystemTiles.cpp.

namespace
{
sFontSystem* FindFontSystem(Coordinator& coordinator)
{
    return dynamic_cast<sFontSystem*>(coordinator.SystemManager.FindSystemByName(TypeName<sFontSystem>()));
}

// Whether the viewport is the whole of the framebuffer drawn into, so that a clear paints no
// pixel a draw could not.
bool ViewportFillsTarget()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    GLint width = 0;
    GLint height = 0;
    if (framebuffer == 0)
    {
        if (WindowState::window == nullptr)
            return false;
        glfwGetFramebufferSize(WindowState::window, &width, &height);
    }
    else
    {
        GLint type = GL_NONE;
        GLint name = 0;
        const GLuint target = static_cast<GLuint>(framebuffer);
        glGetNamedFramebufferAttachmentParameteriv(target, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
        glGetNamedFramebufferAttachmentParameteriv(target, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        if (type == GL_RENDERBUFFER)
        {
            glGetNamedRenderbufferParameteriv(static_cast<GLuint>(name), GL_RENDERBUFFER_WIDTH, &width);
            glGetNamedRenderbufferParameteriv(static_cast<GLuint>(name), GL_RENDERBUFFER_HEIGHT, &height);
        }
        else if (type == GL_TEXTURE)
        {
            glGetTextureLevelParameteriv(static_cast<GLuint>(name), 0, GL_TEXTURE_WIDTH, &width);
            glGetTextureLevelParameteriv(static_cast<GLuint>(name), 0, GL_TEXTURE_HEIGHT, &height);
        }
    }
    return viewport[0] == 0 && viewport[1] == 0 && viewport[2] == width && viewport[3] == height && width > 0;
}
}

void sRendererSystem::BindLightSet(int id)
{
    if (id == boundLightSet)
        return;
    lightSets.Bind(id);
    boundLightSet = id;
}

void sRendererSystem::SetLightCountsOn(const DrawState& state)
{
    // The counts of the set bound for the draw, or of the whole frame's lights.
    RendererUniforms& to = *currentUniforms;
    float ambient = static_cast<float>(ambientCount);
    float spot = static_cast<float>(spotCount);
    float walls = static_cast<float>(wallCount);
    if (state.lightSet >= 0)
    {
        const LightSets::Set& set = lightSets[state.lightSet];
        ambient = static_cast<float>(set.ambientCount);
        spot = static_cast<float>(set.spotCount);
        walls = static_cast<float>(set.wallCount);
    }
    to.SetFloat(Uniform::NumAmbientLights, ambient);
    to.SetFloat(Uniform::NumDirectionalLights, spot);
    to.SetFloat(Uniform::NumWallSegments, walls);
}

RendererUniforms& sRendererSystem::UseProgramFor(DrawRun::Kind kind, const DrawState& state)
{
    // The lit variants read the lights of a set; a lit draw without one takes the whole frame's
    // with the whole program.
    if (drawPlainly || (kind == DrawRun::Sprites && state.Lit() && state.lightSet < 0))
    {
        UseProgram(uniforms);
        return uniforms;
    }
    int key = VariantText;
    if (kind != DrawRun::Text)
    {
        int light = 0;
        if (state.Lit())
        {
            int ambient = ambientCount;
            int spot = spotCount;
            int walls = wallCount;
            if (state.lightSet >= 0)
            {
                const LightSets::Set& set = lightSets[state.lightSet];
                ambient = set.ambientCount;
                spot = set.spotCount;
                walls = set.wallCount;
            }
            // Without a light there is nothing for walls to block.
            light = 1 + (ambient > 0 ? 1 : 0) + (spot > 0 ? 2 : 0);
            if (light != 1 && walls > 0)
                light += 4;
        }
        key = 2 * light + (state.animation > 0.5f ? 1 : 0);
    }
    RendererUniforms& chosen = Variant(key);
    UseProgram(chosen);
    return chosen;
}

RendererUniforms& sRendererSystem::Variant(int key)
{
    ProgramVariant& variant = variants[static_cast<std::size_t>(key)];
    if (!variant.tried && frameCoordinator != nullptr && uniforms.Program() != 0)
    {
        variant.tried = true;
        std::string definitions;
        if (key == VariantText)
            definitions = "#define NO_SPRITES\n#define NO_LIGHTS";
        else
        {
            // Sprite runs always have their texture.
            definitions = "#define NO_TEXT\n#define NO_UNTEXTURED";
            if (key % 2 == 0)
                definitions += "\n#define NO_FRAMES";
            const int light = key / 2;
            if (light == 0)
                definitions += "\n#define NO_LIGHTS";
            else
            {
                definitions += "\n#define LIGHT_BLOCKS";
                const int lit = light - 1;
                if ((lit & 1) == 0)
                    definitions += "\n#define NO_AMBIENT";
                if ((lit & 2) == 0)
                    definitions += "\n#define NO_SPOTS";
                if ((lit & 4) == 0)
                    definitions += "\n#define NO_WALLS";
            }
        }
        variant.program = BuildShaderVariant(frameCoordinator->ResourceManager, "All", definitions);
        variant.uniforms.Locate(variant.program.linked ? variant.program.handle : 0);
    }
    if (variant.uniforms.Program() == 0)
        return uniforms;
    if (variant.frame != frameNumber && frameCoordinator != nullptr)
    {
        // The camera of this frame, as "All" has it.
        variant.frame = frameNumber;
        Coordinator& coordinator = *frameCoordinator;
        variant.uniforms.SetMat3(Uniform::CamMtxWorldToNDC, coordinator.WorldViewProjection.m);
        variant.uniforms.SetMat3(Uniform::CamUIMtxWorldToNDC, coordinator.ScreenViewProjection.m);
        if (const sFontSystem* fonts = FindFontSystem(coordinator))
        {
            variant.uniforms.SetMat4(Uniform::ScreenProjection, fonts->screenProjection);
            variant.uniforms.SetMat4(Uniform::WorldProjection, fonts->worldProjection);
        }
    }
    return variant.uniforms;
}

void sRendererSystem::UseProgram(RendererUniforms& chosen)
{
    currentUniforms = &chosen;
    if (chosen.Program() == usedProgram || chosen.Program() == 0)
        return;
    glUseProgram(chosen.Program());
    usedProgram = chosen.Program();
}

void sRendererSystem::SetBlending(bool on)
{
    if (on == blending)
        return;
    if (on)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    blending = on;
}

bool sRendererSystem::CoversATileOfTheScreen(const Matrix3& toWorld, int modelID, bool boundToCamera,
                                              float viewHeight) const
{
    // Only the two-triangle square is worth it: its area is four units of its mesh.
    if (modelID != 1)
        return false;
    const float meshArea = 4.0f * std::abs(toWorld.m[0] * toWorld.m[4] - toWorld.m[1] * toWorld.m[3]);
    const float visibleHeight = boundToCamera ? ReferenceViewHeight : viewHeight;
    const float screenPixels = static_cast<float>(WindowState::width) * static_cast<float>(std::max(WindowState::height, 1));
    const float visibleArea = visibleHeight * visibleHeight * (static_cast<float>(WindowState::width) /
                                                               static_cast<float>(std::max(WindowState::height, 1)));
    return meshArea * screenPixels >= static_cast<float>(TilePixels * TilePixels) * visibleArea;
}

bool sRendererSystem::TextureOpaque(std::uint32_t texture)
{
    return OpacityOf(texture).opaque;
}

const sRendererSystem::TextureOpacity& sRendererSystem::OpacityOf(std::uint32_t texture)
{
    int width = 0;
    int height = 0;
    TextureSize(texture, width, height);
    TextureOpacity& known = textureOpacity[texture];
    if (known.width == width && known.height == height)
        return known;
    known = TextureOpacity{};
    known.width = width;
    known.height = height;
    if (width <= 0 || height <= 0)
        return known;
    const std::vector<unsigned char> texels = TextureTexels(texture, width, height);
    known.opaque = true;
    known.solid = true;
    for (std::size_t i = 0; i < texels.size(); i += 4)
    {
        known.opaque = known.opaque && texels[i + 3] == 255;
        known.solid = known.solid && std::equal(texels.begin() + static_cast<std::ptrdiff_t>(i),
                                                texels.begin() + static_cast<std::ptrdiff_t>(i + 4), texels.begin());
        if (!known.opaque)
            break;
    }
    known.solid = known.solid && known.opaque;
    std::copy(texels.begin(), texels.begin() + 4, known.colour);
    return known;
}

bool sRendererSystem::ClearWithFirstRun(Coordinator& coordinator)
{
    // Only an untinted, unlit, opaque picture of one colour, drawn first as one quad without the
    // depth test, paints every pixel it covers that colour exactly; if it covers the screen, the
    // clear can paint it instead.
    if (depthTested || runs.empty())
        return false;
    const DrawRun& first = runs.front();
    const DrawState& state = first.state;
    if (first.kind != DrawRun::Sprites || first.count != 6 || state.blend || state.Lit() ||
        state.tint[0] != 1.0f || state.tint[1] != 1.0f || state.tint[2] != 1.0f || state.opacity != 1.0f)
        return false;
    const TextureOpacity& picture = OpacityOf(state.texture);
    if (!picture.solid || !ViewportFillsTarget())
        return false;
    // The quad in device coordinates must hold the whole of -1 to 1 (and so every pixel centre).
    const Matrix3& toDevice = state.bindToCamera != 0 ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection;
    Vector2 corners[6];
    for (int v = 0; v < 6; ++v)
    {
        const float* vertex = &frameVertices[static_cast<std::size_t>(4 * (first.first + v))];
        corners[v] = {toDevice.m[0] * vertex[0] + toDevice.m[3] * vertex[1] + toDevice.m[6],
                      toDevice.m[1] * vertex[0] + toDevice.m[4] * vertex[1] + toDevice.m[7]};
    }
    auto insideTriangle = [](const Vector2* t, float x, float y) {
        auto side = [&](const Vector2& a, const Vector2& b) { return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x); };
        const float s0 = side(t[0], t[1]);
        const float s1 = side(t[1], t[2]);
        const float s2 = side(t[2], t[0]);
        return (s0 > 0.0f && s1 > 0.0f && s2 > 0.0f) || (s0 < 0.0f && s1 < 0.0f && s2 < 0.0f);
    };
    // Each screen corner (a little beyond it) inside one of the two triangles, and the screen's
    // centre and edge middles too, so that the quad is not two triangles meeting off screen.
    const float reach = 1.001f;
    const float probes[][2] = {{-reach, -reach}, {reach, -reach}, {reach, reach}, {-reach, reach}, {0.0f, 0.0f},
                               {0.0f, -reach},   {reach, 0.0f},   {0.0f, reach},  {-reach, 0.0f}};
    for (const auto& probe : probes)
        if (!insideTriangle(corners, probe[0], probe[1]) && !insideTriangle(corners + 3, probe[0], probe[1]))
            return false;
    glClearColor(picture.colour[0] / 255.0f, picture.colour[1] / 255.0f, picture.colour[2] / 255.0f,
                 picture.colour[3] / 255.0f);
    return true;
}

bool sRendererSystem::OpaqueRunsFillScreen(Coordinator& coordinator)
{
    // A draw without blending has an opaque picture at full opacity: the shader keeps every one
    // of its fragments and each replaces whatever lay below. When such draws together paint every
    // pixel of the screen, none of the clear would be seen. Looked at in the rasteriser's tiles
    // (those the large sprites are drawn by, see tileGridY), cut to the screen: a tile counts
    // once one draw paints all of it.
    if (depthTested || viewport[2] <= 0 || viewport[3] <= 0 || !ViewportFillsTarget())
        return false;
    // The grid's lines before the screen's first pixel, on each axis.
    const int left = viewport[0] - ((viewport[0] % TilePixels) + TilePixels) % TilePixels;
    const int bottom = viewport[1] - (((viewport[1] - tileGridY) % TilePixels) + TilePixels) % TilePixels;
    const int right = viewport[0] + viewport[2];
    const int top = viewport[1] + viewport[3];
    const int columns = (right - left + TilePixels - 1) / TilePixels;
    const int rows = (top - bottom + TilePixels - 1) / TilePixels;
    filledCells.assign(static_cast<std::size_t>(columns * rows), 0);
    std::size_t unfilled = filledCells.size();
    for (const DrawRun& run : runs)
    {
        if (run.kind != DrawRun::Sprites || run.count <= 0 || run.state.blend)
            continue;
        const Matrix3& toDevice =
            run.state.bindToCamera != 0 ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection;
        PixelBox box;
        if (!OpaqueRectangle(run, toDevice, box))
            continue;
        // A pixel to spare for the rounding of the quad's edges; a scissor's edges are exact.
        box = {box.minX + 1.0f, box.minY + 1.0f, box.maxX - 1.0f, box.maxY - 1.0f};
        if (run.scissored)
            box = {std::max(box.minX, static_cast<float>(run.scissor[0])), std::max(box.minY, static_cast<float>(run.scissor[1])),
                   std::min(box.maxX, static_cast<float>(run.scissor[0] + run.scissor[2])),
                   std::min(box.maxY, static_cast<float>(run.scissor[1] + run.scissor[3]))};
        for (int row = 0; row < rows; ++row)
        {
            const float from = static_cast<float>(std::max(bottom + row * TilePixels, viewport[1]));
            const float to = static_cast<float>(std::min(bottom + (row + 1) * TilePixels, top));
            if (from < box.minY || to > box.maxY)
                continue;
            for (int column = 0; column < columns; ++column)
            {
                const float start = static_cast<float>(std::max(left + column * TilePixels, viewport[0]));
                const float end = static_cast<float>(std::min(left + (column + 1) * TilePixels, right));
                if (start < box.minX || end > box.maxX)
                    continue;
                unsigned char& cell = filledCells[static_cast<std::size_t>(row * columns + column)];
                unfilled -= cell == 0 ? 1 : 0;
                cell = 1;
            }
        }
        if (unfilled == 0)
            return true;
    }
    return false;
}
