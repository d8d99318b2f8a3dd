#pragma once
#include <cstdint>
#include <vector>

// A texture's first level read back as the renderer looks at pictures once per texture (is it
// opaque, where is it clear): its size, and its texels as RGBA bytes, rows from the bottom.
void TextureSize(std::uint32_t texture, int& width, int& height);
// Empty for a texture of no size.
std::vector<unsigned char> TextureTexels(std::uint32_t texture, int width, int height);
