#include "engine/core/Coordinator.h"
#include "engine/systems/sRendererSystem.h"
#include "engine/systems/TextureReadback.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

// Which parts of the frame's sprites are drawn at all: a sprite over more than a tile of the
// screen tile by tile (each lit tile with its own lights), no tile where its picture is clear,
// no draw a later opaque rectangle paints over, and neighbouring tiles alike joined again.

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
    auto toSpace = [&](float px, float py, float& x, float& y) {
        const float nx = (px - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) * 2.0f - 1.0f - toDevice.m[6];
        const float ny = (py - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) * 2.0f - 1.0f - toDevice.m[7];
        x = (d * nx - c * ny) / determinant;
        y = (-b * nx + a * ny) / determinant;
    };
    const PixelBox onScreen = PixelBoxOf(first, count, toDevice);
    const int x0 = std::max(viewport[0], static_cast<int>(std::floor(onScreen.minX)) - 1);
    const int y0 = std::max(viewport[1], static_cast<int>(std::floor(onScreen.minY)) - 1);
    const int x1 = std::min(viewport[0] + viewport[2], static_cast<int>(std::ceil(onScreen.maxX)) + 1);
    const int y1 = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(onScreen.maxY)) + 1);
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
    int width = 0;
    int height = 0;
    TextureSize(state.texture, width, height);
    TextureCoverage& known = textureCoverage[state.texture];
    if (known.Width() != width || known.Height() != height)
    {
        known = TextureCoverage{};
        if (width > 0 && height > 0)
            known = TextureCoverage(TextureTexels(state.texture, width, height).data(), width, height);
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

bool sRendererSystem::OpaqueRectangle(const DrawRun& run, const Matrix3& toDevice, PixelBox& box)
{
    // One quad, its corners on a screen-aligned rectangle, drawn whole and at full opacity with a
    // picture opaque everywhere: every pixel whose centre it holds takes its colour, whatever
    // lay there before.
    if (run.kind != DrawRun::Sprites || run.count != 6 || !(run.state.opacity >= 1.0f))
        return false;
    float xs[6];
    float ys[6];
    for (int v = 0; v < 6; ++v)
        PixelOf(run.first + v, toDevice, xs[v], ys[v]);
    box = PixelBoxOf(run.first, 6, toDevice);
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

sRendererSystem::PixelBox sRendererSystem::PixelBoxOf(int first, int count, const Matrix3& toDevice) const
{
    PixelBox box;
    for (int v = first; v < first + count; ++v)
    {
        float px = 0.0f;
        float py = 0.0f;
        PixelOf(v, toDevice, px, py);
        box = {std::min(box.minX, px), std::min(box.minY, py), std::max(box.maxX, px), std::max(box.maxY, py)};
    }
    return box;
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
            drawn = PixelBoxOf(run.first, run.count, toDevice);
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
