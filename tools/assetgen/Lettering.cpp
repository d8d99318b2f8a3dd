#include "Lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen
{
namespace
{
FT_Face AsFace(void* f) { return static_cast<FT_Face>(f); }
}

Lettering::Lettering(const std::string& fontPath)
{
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0)
        throw std::runtime_error("FreeType could not start");
    library = lib;
    FT_Face f = nullptr;
    if (FT_New_Face(lib, fontPath.c_str(), 0, &f) != 0)
    {
        FT_Done_FreeType(lib);
        throw std::runtime_error("Cannot open font " + fontPath);
    }
    face = f;
}

Lettering::~Lettering()
{
    FT_Done_Face(AsFace(face));
    FT_Done_FreeType(static_cast<FT_Library>(library));
}

float Lettering::Measure(const std::string& text, int pixelSize, float tracking)
{
    FT_Face f = AsFace(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
    float pen = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (FT_Load_Char(f, static_cast<unsigned char>(text[i]), FT_LOAD_DEFAULT) != 0)
            continue;
        pen += static_cast<float>(f->glyph->advance.x) / 64.0f;
        if (i + 1 < text.size())
            pen += tracking;
    }
    return pen;
}

int Lettering::FitSize(const std::string& text, int maxSize, float width, float tracking)
{
    int size = maxSize;
    while (size > 8 && Measure(text, size, tracking) > width)
        --size;
    return size;
}

Image Lettering::Mask(const std::string& text, int pixelSize, float tracking)
{
    FT_Face f = AsFace(face);
    float width = Measure(text, pixelSize, tracking);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
    float ascent = static_cast<float>(f->size->metrics.ascender) / 64.0f;
    float descent = -static_cast<float>(f->size->metrics.descender) / 64.0f;
    int w = std::max(1, static_cast<int>(std::ceil(width)) + 2);
    int h = std::max(1, static_cast<int>(std::ceil(ascent + descent)));
    Image out(w, h);
    float pen = 1;
    int baseline = static_cast<int>(std::lround(ascent));
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (FT_Load_Char(f, static_cast<unsigned char>(text[i]), FT_LOAD_RENDER) != 0)
            continue;
        const FT_Bitmap& bm = f->glyph->bitmap;
        int left = static_cast<int>(std::lround(pen)) + f->glyph->bitmap_left;
        int top = baseline - f->glyph->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col)
            {
                float a = static_cast<float>(bm.buffer[row * bm.pitch + col]) / 255.0f;
                if (a <= 0)
                    continue;
                int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                Color prev = out.Get(x, y);
                out.Set(x, y, {1, 1, 1, std::max(prev.a, a)});
            }
        pen += static_cast<float>(f->glyph->advance.x) / 64.0f + tracking;
    }
    return out;
}

Image Lettering::Mask(const std::vector<std::string>& lines, int pixelSize, Align align, float leading,
                      float tracking)
{
    std::vector<Image> masks;
    int width = 1;
    for (const std::string& line : lines)
    {
        masks.push_back(Mask(line.empty() ? std::string(" ") : line, pixelSize, tracking));
        width = std::max(width, masks.back().Width());
    }
    int lineHeight = masks.empty() ? 1 : masks.front().Height();
    int step = static_cast<int>(std::lround(lineHeight * leading));
    int height = masks.empty() ? 1 : step * static_cast<int>(masks.size() - 1) + lineHeight;
    Image out(width, height);
    for (size_t i = 0; i < masks.size(); ++i)
    {
        int x = 0;
        if (align == Align::Centre)
            x = (width - masks[i].Width()) / 2;
        else if (align == Align::Right)
            x = width - masks[i].Width();
        out.Composite(masks[i], x, static_cast<int>(i) * step);
    }
    return out;
}
}
