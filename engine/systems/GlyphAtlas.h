#pragma once
#include <array>
#include <cstdint>

struct FontInfo;

// All glyphs of one font copied into one single-channel texture, so that a whole text is drawn
// from one texture. Glyphs keep a border of empty texels, so filtering never reaches a
// neighbour. Built from the font's own glyph textures (which stay as they are).
class GlyphAtlas
{
public:
    // Where a glyph lies in the atlas, as shares of its size; v grows downwards through the
    // glyph as in the glyph's own texture.
    struct Region
    {
        float u = 0.0f;
        float v = 0.0f;
        float width = 0.0f;
        float height = 0.0f;
        bool present = false;
    };

    // Needs the GL context. Glyphs without pixels (the space) get an empty region.
    void Build(const FontInfo& font);
    // Deletes the texture.
    void Release();

    // The region of the character; false when the font has no glyph for it.
    bool Find(char character, Region& region) const;
    std::uint32_t Texture() const { return texture; }

private:
    static constexpr int First = ' ';
    static constexpr int Count = '~' - ' ' + 1;
    std::uint32_t texture = 0;
    std::array<Region, Count> regions{};
};
