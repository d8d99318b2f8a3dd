#pragma once
#include "Color.h"
#include "Image.h"

#include <string>
#include <vector>

namespace assetgen
{
enum class Align
{
    Left,
    Centre,
    Right
};

// Sets text in one font face through FreeType. Masks are white pictures whose alpha is the
// glyph coverage; callers colour them.
class Lettering
{
public:
    explicit Lettering(const std::string& fontPath);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // One line of text; the picture is as wide as the advance and as tall as the face's line.
    Image Mask(const std::string& text, int pixelSize, float tracking = 0.0f);
    // Several lines, aligned within the widest, `leading` times the line height apart.
    Image Mask(const std::vector<std::string>& lines, int pixelSize, Align align, float leading = 1.0f,
               float tracking = 0.0f);
    float Measure(const std::string& text, int pixelSize, float tracking = 0.0f);
    // The largest pixel size (up to `maxSize`) at which the text fits in `width`.
    int FitSize(const std::string& text, int maxSize, float width, float tracking = 0.0f);

private:
    void* library = nullptr;
    void* face = nullptr;
};
}
