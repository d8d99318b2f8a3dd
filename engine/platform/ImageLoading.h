#pragma once
#include <cstdint>
#include <string>

// Image files through stb_image: GL textures for drawing, pixel buffers for window icons.

// Loads an image file into a new RGBA texture, rows flipped so that texture coordinate (0, 0)
// is the image's bottom-left; linear filtering, no mipmaps, clamped to the edge. Returns 0
// (and sizes 0) when the file cannot be read or decoded. Needs a current GL context.
std::uint32_t LoadTextureFromFile(const std::string& path, int& width, int& height);

// RGBA pixels of a window icon, top row first, laid out like a GLFWimage.
struct IconImage
{
    int width = 0;
    int height = 0;
    unsigned char* pixels = nullptr;
};

// Loads an icon's pixels unflipped; a file that cannot be read gives null pixels and size 0.
IconImage LoadIconImage(const std::string& path);
// Frees the pixels (null is fine) and zeroes the record.
void FreeIconImage(IconImage& image);
