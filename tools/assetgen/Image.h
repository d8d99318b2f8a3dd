#pragma once
#include "Color.h"

#include <string>
#include <vector>

namespace assetgen
{
// A float RGBA picture, row 0 at the top. Pixels outside the picture are ignored on write and
// read as transparent.
class Image
{
public:
    Image() = default;
    Image(int width, int height, Color fill = {0, 0, 0, 0});

    int Width() const { return width; }
    int Height() const { return height; }
    bool Empty() const { return width == 0 || height == 0; }

    Color Get(int x, int y) const;
    void Set(int x, int y, Color c);
    // Draws c over the pixel with the given coverage (0 to 1).
    void Blend(int x, int y, Color c, float coverage);
    void Fill(Color c);
    // Draws src over this picture with its top-left corner at (x, y).
    void Composite(const Image& src, int x, int y, float opacity = 1.0f);
    // Bilinear sample at a pixel-space position (pixel centres at +0.5).
    Color Sample(float x, float y) const;
    // Resized copy: box-filtered when shrinking, bilinear when growing.
    Image Resized(int newWidth, int newHeight) const;
    Image Cropped(int x, int y, int w, int h) const;
    // Multiplies every pixel's alpha.
    void ScaleAlpha(float k);

    std::vector<unsigned char> ToRgba8() const;
    // Writes an 8-bit RGBA PNG; false when the file cannot be written.
    bool WritePng(const std::string& path) const;

private:
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;
};
}
