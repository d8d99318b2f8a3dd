#include "engine/systems/GlyphAtlas.h"
#include "engine/platform/AssetRecords.h"

#include <GL/glew.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int AtlasWidth = 1024;
constexpr int Border = 2;

struct Placement
{
    char character = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uint32_t texture = 0;
};
}

void GlyphAtlas::Build(const FontInfo& font)
{
    Release();
    std::array<Placement, Count> placements{};
    int x = Border;
    int y = Border;
    int rowHeight = 0;
    int placed = 0;
    for (const auto& [character, glyph] : font.glyphs)
    {
        const int index = static_cast<unsigned char>(character) - First;
        if (index < 0 || index >= Count)
            continue;
        regions[static_cast<std::size_t>(index)].present = true;
        const int width = static_cast<int>(glyph.size.x);
        const int height = static_cast<int>(glyph.size.y);
        if (width <= 0 || height <= 0 || glyph.texture == 0)
            continue;
        if (x + width + Border > AtlasWidth)
        {
            x = Border;
            y += rowHeight + Border;
            rowHeight = 0;
        }
        placements[static_cast<std::size_t>(placed++)] = {character, x, y, width, height, glyph.texture};
        x += width + Border;
        rowHeight = std::max(rowHeight, height);
    }
    const int atlasHeight = y + rowHeight + Border;

    // The glyphs are read back once and written into the atlas (single-channel rows, byte
    // aligned); the atlas starts empty everywhere else.
    std::vector<unsigned char> pixels(static_cast<std::size_t>(AtlasWidth) * static_cast<std::size_t>(atlasHeight), 0);
    std::vector<unsigned char> glyphPixels;
    GLint packAlignment = 4;
    GLint unpackAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < placed; ++i)
    {
        const Placement& p = placements[static_cast<std::size_t>(i)];
        glyphPixels.assign(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height), 0);
        glGetTextureImage(p.texture, 0, GL_RED, GL_UNSIGNED_BYTE, static_cast<GLsizei>(glyphPixels.size()),
                          glyphPixels.data());
        for (int row = 0; row < p.height; ++row)
            std::copy_n(glyphPixels.begin() + row * p.width, p.width,
                        pixels.begin() + (p.y + row) * AtlasWidth + p.x);
        Region& region = regions[static_cast<std::size_t>(static_cast<unsigned char>(p.character) - First)];
        region.u = static_cast<float>(p.x) / AtlasWidth;
        region.v = static_cast<float>(p.y) / static_cast<float>(atlasHeight);
        region.width = static_cast<float>(p.width) / AtlasWidth;
        region.height = static_cast<float>(p.height) / static_cast<float>(atlasHeight);
    }
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    glTextureStorage2D(texture, 1, GL_R8, AtlasWidth, atlasHeight);
    glTextureSubImage2D(texture, 0, 0, 0, AtlasWidth, atlasHeight, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    glTextureParameteri(texture, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

void GlyphAtlas::Release()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
    texture = 0;
    regions = {};
}

bool GlyphAtlas::Find(char character, Region& region) const
{
    const int index = static_cast<unsigned char>(character) - First;
    if (index < 0 || index >= Count || !regions[static_cast<std::size_t>(index)].present)
        return false;
    region = regions[static_cast<std::size_t>(index)];
    return true;
}
