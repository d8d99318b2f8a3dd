#include "engine/core/Coordinator.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/WindowState.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/ShaderVariant.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

// How each draw of the frame is made: the program variant it takes, the lights and walls it binds
// (a lit sprite over more than a tile of the screen tile by tile), whether it blends, whether a
// later draw paints over it, and whether the clear paints it.

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

void sRendererSystem::QueueTiledSprite(const DrawState& base, int first, int count, const Matrix3& toDevice)
{
    const bool lit = base.Lit();
    // The sprite's extent in the space of its vertices, where the shader finds each fragment.
    LightSets::Region extent{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                             std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (int v = first; v < first + count; ++v)
    {
        const float x = frameVertices[static_cast<std::size_t>(4 * v)];
        const float y = frameVertices[static_cast<std::size_t>(4 * v + 1)];
        extent = {std::min(extent.minX, x), std::min(extent.minY, y), std::max(extent.maxX, x), std::max(extent.maxY, y)};
    }
    DrawState state = base;
    const float a = toDevice.m[0];
    const float b = toDevice.m[1];
    const float c = toDevice.m[3];
    const float d = toDevice.m[4];
    const float determinant = a * d - b * c;
    const bool finite = std::isfinite(extent.minX) && std::isfinite(extent.minY) && std::isfinite(extent.maxX) &&
                        std::isfinite(extent.maxY);
    auto drawWhole = [&] {
        state.lightSet = lit && finite ? lightSets.SetFor(extent) : -1;
        AddRun(DrawRun::Sprites, state, first, count);
    };
    if (!finite || determinant == 0.0f || !std::isfinite(determinant) || viewport[2] <= 0 || viewport[3] <= 0)
    {
        drawWhole();
        return;
    }
    // A sprite over more than a tile of the screen is drawn tile by tile, each tile (a scissor)
    // with the set of the part of the sprite under it. Every pixel is still drawn once, from the
    // same triangles.
    auto toScreen = [&](float x, float y, float& px, float& py) {
        const float nx = a * x + c * y + toDevice.m[6];
        const float ny = b * x + d * y + toDevice.m[7];
        px = static_cast<float>(viewport[0]) + (nx + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
        py = static_cast<float>(viewport[1]) + (ny + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
    };
    auto toSpace = [&](float px, float py, float& x, float& y) {
        const float nx = (px - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) * 2.0f - 1.0f - toDevice.m[6];
        const float ny = (py - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) * 2.0f - 1.0f - toDevice.m[7];
        x = (d * nx - c * ny) / determinant;
        y = (-b * nx + a * ny) / determinant;
    };
    float left = std::numeric_limits<float>::max();
    float bottom = left;
    float right = std::numeric_limits<float>::lowest();
    float top = right;
    for (int v = first; v < first + count; ++v)
    {
        float px = 0.0f;
        float py = 0.0f;
        toScreen(frameVertices[static_cast<std::size_t>(4 * v)], frameVertices[static_cast<std::size_t>(4 * v + 1)], px, py);
        left = std::min(left, px);
        bottom = std::min(bottom, py);
        right = std::max(right, px);
        top = std::max(top, py);
    }
    const int x0 = std::max(viewport[0], static_cast<int>(std::floor(left)) - 1);
    const int y0 = std::max(viewport[1], static_cast<int>(std::floor(bottom)) - 1);
    const int x1 = std::min(viewport[0] + viewport[2], static_cast<int>(std::ceil(right)) + 1);
    const int y1 = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(top)) + 1);
    // A lit sprite over a tile's worth of the screen or more is drawn tile by tile: a floor's
    // far corner then pays for none of the lights and walls of its near one. A sprite over
    // several tiles leaves out the tiles where its picture shows nothing.
    const int area = (x1 - x0) * (y1 - y0);
    const TextureCoverage* coverage = area >= 4 * TilePixels * TilePixels ? CoverageOf(state) : nullptr;
    float toTexels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    if (coverage != nullptr && !TexelMapping(first, count, *coverage, toTexels))
        coverage = nullptr;
    if ((lit && area < TilePixels * TilePixels) || (!lit && coverage == nullptr))
    {
        drawWhole();
        return;
    }
    // The tiles lie on the rasteriser's own grid of tiles (see tileGridY), so that no block of
    // pixels it shades together is shaded once for each of two tiles.
    auto gridStart = [](int from, int origin) {
        const int offset = from - origin;
        return origin + (offset >= 0 ? offset / TilePixels : -((-offset + TilePixels - 1) / TilePixels)) * TilePixels;
    };
    for (int gy = gridStart(y0, tileGridY); gy < y1; gy += TilePixels)
        for (int gx = gridStart(x0, 0); gx < x1; gx += TilePixels)
        {
            const int tx = std::max(gx, x0);
            const int ty = std::max(gy, y0);
            const int tw = std::min(gx + TilePixels, x1) - tx;
            const int th = std::min(gy + TilePixels, y1) - ty;
            // The tile's corners back in the sprite's space, and their box within the sprite's.
            LightSets::Region tile{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                                   std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
            for (const auto& corner : {std::pair{tx, ty}, std::pair{tx + tw, ty}, std::pair{tx, ty + th},
                                       std::pair{tx + tw, ty + th}})
            {
                float x = 0.0f;
                float y = 0.0f;
                toSpace(static_cast<float>(corner.first), static_cast<float>(corner.second), x, y);
                tile = {std::min(tile.minX, x), std::min(tile.minY, y), std::max(tile.maxX, x), std::max(tile.maxY, y)};
            }
            tile = {std::max(tile.minX, extent.minX), std::max(tile.minY, extent.minY), std::min(tile.maxX, extent.maxX),
                    std::min(tile.maxY, extent.maxY)};
            if (tile.minX > tile.maxX || tile.minY > tile.maxY)
                continue;
            if (coverage != nullptr)
            {
                // The texels the tile's fragments can sample, a texel around for the filter.
                float minU = std::numeric_limits<float>::max();
                float minV = minU;
                float maxU = std::numeric_limits<float>::lowest();
                float maxV = maxU;
                for (const auto& corner : {std::pair{tile.minX, tile.minY}, std::pair{tile.maxX, tile.minY},
                                           std::pair{tile.minX, tile.maxY}, std::pair{tile.maxX, tile.maxY}})
                {
                    const float u = toTexels[0] * corner.first + toTexels[1] * corner.second + toTexels[2];
                    const float v = toTexels[3] * corner.first + toTexels[4] * corner.second + toTexels[5];
                    minU = std::min(minU, u);
                    minV = std::min(minV, v);
                    maxU = std::max(maxU, u);
                    maxV = std::max(maxV, v);
                }
                if (std::isfinite(minU) && std::isfinite(minV) && std::isfinite(maxU) && std::isfinite(maxV) &&
                    coverage->ShowsNothing(static_cast<int>(std::floor(minU)) - 2, static_cast<int>(std::floor(minV)) - 2,
                                           static_cast<int>(std::ceil(maxU)) + 2, static_cast<int>(std::ceil(maxV)) + 2))
                    continue;
            }
            state.lightSet = lit ? lightSets.SetFor(tile) : -1;
            DrawRun run;
            run.kind = DrawRun::Sprites;
            run.state = state;
            run.first = first;
            run.count = count;
            run.scissored = true;
            run.scissor[0] = tx;
            run.scissor[1] = ty;
            run.scissor[2] = tw;
            run.scissor[3] = th;
            runs.push_back(run);
        }
}

void sRendererSystem::JoinTiles()
{
    // A tiled sprite's runs come row by row from the bottom, each row from the left. Tiles left
    // undrawn (painted over later, see SkipHiddenRuns) are dropped; the rest of a row joins into
    // one run wherever neighbours have the same set, and a run straight above one of the row
    // below, as wide and with the same set, makes that one taller.
    std::size_t kept = 0;
    int sprite = -1;
    int rowY = std::numeric_limits<int>::min();
    reachingRow.clear();
    touchedRow.clear();
    rowRuns.clear();
    auto endRow = [&] {
        for (const DrawRun& run : rowRuns)
        {
            const auto below = std::find_if(reachingRow.begin(), reachingRow.end(), [&](std::size_t at) {
                const DrawRun& other = runs[at];
                return other.scissor[0] == run.scissor[0] && other.scissor[2] == run.scissor[2] &&
                       other.scissor[1] + other.scissor[3] == run.scissor[1] && other.state == run.state;
            });
            if (below != reachingRow.end())
            {
                runs[*below].scissor[3] += run.scissor[3];
                touchedRow.push_back(*below);
                continue;
            }
            runs[kept] = run;
            touchedRow.push_back(kept++);
        }
        rowRuns.clear();
        reachingRow.swap(touchedRow);
        touchedRow.clear();
    };
    for (std::size_t read = 0; read < runs.size(); ++read)
    {
        const DrawRun run = runs[read];
        if (run.kind != DrawRun::Batch && run.count <= 0)
            continue;
        if (!run.scissored || run.first != sprite || run.scissor[1] != rowY)
        {
            endRow();
            if (!run.scissored || run.first != sprite)
                reachingRow.clear();
            sprite = run.scissored ? run.first : -1;
            rowY = run.scissored ? run.scissor[1] : std::numeric_limits<int>::min();
        }
        if (!run.scissored)
        {
            runs[kept++] = run;
            continue;
        }
        if (!rowRuns.empty())
        {
            DrawRun& left = rowRuns.back();
            if (left.scissor[0] + left.scissor[2] == run.scissor[0] && left.scissor[3] == run.scissor[3] &&
                left.state == run.state)
            {
                left.scissor[2] += run.scissor[2];
                continue;
            }
        }
        rowRuns.push_back(run);
    }
    endRow();
    runs.resize(kept);
}

const TextureCoverage* sRendererSystem::CoverageOf(const DrawState& state)
{
    // Only a picture sampled where the vertices say, once, and without repeats maps texels to
    // the screen plainly.
    if (state.repeat || state.animation > 0.5f || state.tileEnabled != 0 || state.texture == 0)
        return nullptr;
    GLint width = 0;
    GLint height = 0;
    glGetTextureLevelParameteriv(state.texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureLevelParameteriv(state.texture, 0, GL_TEXTURE_HEIGHT, &height);
    TextureCoverage& known = textureCoverage[state.texture];
    if (known.Width() != width || known.Height() != height)
    {
        known = TextureCoverage{};
        if (width > 0 && height > 0)
        {
            std::vector<unsigned char> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
            glGetTextureImage(state.texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(texels.size()), texels.data());
            known = TextureCoverage(texels.data(), width, height);
        }
    }
    return known.HasEmptyCells() ? &known : nullptr;
}

bool sRendererSystem::TexelMapping(int first, int count, const TextureCoverage& coverage, float toTexels[6]) const
{
    // The texel coordinates are an affine function of the position over a quad; found from its
    // first triangle and checked on every vertex.
    if (count != 6)
        return false;
    auto vertex = [&](int v, int part) { return frameVertices[static_cast<std::size_t>(4 * (first + v) + part)]; };
    const float ex = vertex(1, 0) - vertex(0, 0);
    const float ey = vertex(1, 1) - vertex(0, 1);
    const float fx = vertex(2, 0) - vertex(0, 0);
    const float fy = vertex(2, 1) - vertex(0, 1);
    const float determinant = ex * fy - ey * fx;
    if (!(std::abs(determinant) > 0.0f) || !std::isfinite(determinant))
        return false;
    const float scale[2] = {static_cast<float>(coverage.Width()), static_cast<float>(coverage.Height())};
    for (int part = 0; part < 2; ++part)
    {
        const float du = (vertex(1, 2 + part) - vertex(0, 2 + part)) * scale[part];
        const float dv = (vertex(2, 2 + part) - vertex(0, 2 + part)) * scale[part];
        // Texel coordinate = a x + b y + c.
        const float a = (du * fy - dv * ey) / determinant;
        const float b = (dv * ex - du * fx) / determinant;
        const float c = vertex(0, 2 + part) * scale[part] - a * vertex(0, 0) - b * vertex(0, 1);
        for (int v = 0; v < 6; ++v)
            if (!(std::abs(a * vertex(v, 0) + b * vertex(v, 1) + c - vertex(v, 2 + part) * scale[part]) < 0.5f))
                return false;
        toTexels[3 * part] = a;
        toTexels[3 * part + 1] = b;
        toTexels[3 * part + 2] = c;
    }
    return true;
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
    GLint width = 0;
    GLint height = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_HEIGHT, &height);
    TextureOpacity& known = textureOpacity[texture];
    if (known.width == width && known.height == height)
        return known;
    known = TextureOpacity{};
    known.width = width;
    known.height = height;
    if (width <= 0 || height <= 0)
        return known;
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glGetTextureImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(texels.size()), texels.data());
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


bool sRendererSystem::OpaqueRectangle(const DrawRun& run, const Matrix3& toDevice, PixelBox& box)
{
    // One quad, its corners on a screen-aligned rectangle, drawn whole and at full opacity with a
    // picture opaque everywhere: every pixel whose centre it holds takes its colour, whatever
    // lay there before.
    if (run.kind != DrawRun::Sprites || run.count != 6 || !(run.state.opacity >= 1.0f))
        return false;
    float xs[6];
    float ys[6];
    box = PixelBox{};
    for (int v = 0; v < 6; ++v)
    {
        PixelOf(run.first + v, toDevice, xs[v], ys[v]);
        box = {std::min(box.minX, xs[v]), std::min(box.minY, ys[v]), std::max(box.maxX, xs[v]), std::max(box.maxY, ys[v])};
    }
    const float width = box.maxX - box.minX;
    const float height = box.maxY - box.minY;
    // Not worth looking at below a few blocks of pixels (and a box that is not a number is not one).
    if (!(width >= 32.0f && height >= 32.0f))
        return false;
    // Every corner on the box's corners, and the two triangles' areas adding up to the box's: then
    // they are its two halves.
    const float slack = 1.0e-3f * std::max(width, height);
    float area = 0.0f;
    for (int t = 0; t < 2; ++t)
    {
        const float* x = xs + 3 * t;
        const float* y = ys + 3 * t;
        for (int v = 0; v < 3; ++v)
            if ((std::abs(x[v] - box.minX) > slack && std::abs(x[v] - box.maxX) > slack) ||
                (std::abs(y[v] - box.minY) > slack && std::abs(y[v] - box.maxY) > slack))
                return false;
        area += 0.5f * std::abs((x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]));
    }
    if (std::abs(area - width * height) > slack * (width + height))
        return false;
    return TextureOpaque(run.state.texture);
}

void sRendererSystem::PixelOf(int vertex, const Matrix3& toDevice, float& px, float& py) const
{
    const float x = frameVertices[static_cast<std::size_t>(4 * vertex)];
    const float y = frameVertices[static_cast<std::size_t>(4 * vertex + 1)];
    const float nx = toDevice.m[0] * x + toDevice.m[3] * y + toDevice.m[6];
    const float ny = toDevice.m[1] * x + toDevice.m[4] * y + toDevice.m[7];
    px = static_cast<float>(viewport[0]) + (nx + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
    py = static_cast<float>(viewport[1]) + (ny + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
}

void sRendererSystem::SkipHiddenRuns(Coordinator& coordinator)
{
    // Draws come in layer order without the depth test, so a later opaque rectangle replaces every
    // pixel under it: a draw wholly under one, a floor's tile under a room, need not be made. From
    // the last draw back, each draw is dropped when a later rectangle holds it (with a pixel to
    // spare for the rounding of both), or else may hold the ones before it. A tiled sprite's tiles
    // paint its rectangle together, so it holds others only once all of them are passed.
    constexpr std::size_t MostRectangles = 16;
    coverRectangles.clear();
    const PixelBox screen{static_cast<float>(viewport[0]), static_cast<float>(viewport[1]),
                          static_cast<float>(viewport[0] + viewport[2]), static_cast<float>(viewport[1] + viewport[3])};
    auto keep = [&](const PixelBox& cover) {
        if (coverRectangles.size() < MostRectangles)
            coverRectangles.push_back(cover);
    };
    int tiledSprite = -1;
    bool tiledSpriteCovers = false;
    PixelBox tiledCover;
    for (std::size_t i = runs.size(); i-- > 0;)
    {
        DrawRun& run = runs[i];
        if (run.kind != DrawRun::Sprites)
            continue;
        const Matrix3& toDevice =
            run.state.bindToCamera != 0 ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection;
        if (tiledSprite >= 0 && !(run.scissored && run.first == tiledSprite))
        {
            if (tiledSpriteCovers)
                keep(tiledCover);
            tiledSprite = -1;
        }
        if (run.scissored && run.first != tiledSprite)
        {
            tiledSprite = run.first;
            tiledSpriteCovers = OpaqueRectangle(run, toDevice, tiledCover);
            tiledCover = {std::max(tiledCover.minX, screen.minX), std::max(tiledCover.minY, screen.minY),
                          std::min(tiledCover.maxX, screen.maxX), std::min(tiledCover.maxY, screen.maxY)};
        }
        if (run.count <= 0)
            continue;
        PixelBox drawn;
        if (run.scissored)
            drawn = {static_cast<float>(run.scissor[0]), static_cast<float>(run.scissor[1]),
                     static_cast<float>(run.scissor[0] + run.scissor[2]), static_cast<float>(run.scissor[1] + run.scissor[3])};
        else
        {
            for (int v = run.first; v < run.first + run.count; ++v)
            {
                float px = 0.0f;
                float py = 0.0f;
                PixelOf(v, toDevice, px, py);
                drawn = {std::min(drawn.minX, px), std::min(drawn.minY, py), std::max(drawn.maxX, px), std::max(drawn.maxY, py)};
            }
            drawn = {std::floor(drawn.minX), std::floor(drawn.minY), std::ceil(drawn.maxX), std::ceil(drawn.maxY)};
        }
        const bool hidden = std::any_of(coverRectangles.begin(), coverRectangles.end(), [&](const PixelBox& cover) {
            return drawn.minX >= cover.minX + 1.0f && drawn.minY >= cover.minY + 1.0f && drawn.maxX <= cover.maxX - 1.0f &&
                   drawn.maxY <= cover.maxY - 1.0f;
        });
        if (hidden)
            run.count = 0;
        else if (!run.scissored)
        {
            PixelBox cover;
            if (OpaqueRectangle(run, toDevice, cover))
                keep(cover);
        }
    }
}
