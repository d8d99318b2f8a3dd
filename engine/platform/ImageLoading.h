#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Image files through stb_image: GL textures for drawing, pixel buffers for window icons.
// Files are judged by their content, whatever their name: only PNG is decoded (the one format
// the game ships), and a file whose header asks for too much is refused before decoding.

// Limits an image must keep to be decoded: each side at most MostImageSide pixels, the RGBA
// pixels at most MostImageBytes, the file itself at most MostImageFileBytes.
inline constexpr int MostImageSide = 8192;
inline constexpr std::size_t MostImageBytes = std::size_t{128} * 1024 * 1024;
inline constexpr std::size_t MostImageFileBytes = std::size_t{64} * 1024 * 1024;

// Frees pixels that stb_image allocated.
struct ImagePixelsFree
{
    void operator()(unsigned char* pixels) const;
};

// An image decoded to RGBA, rows flipped so that the first row is the image's bottom row (as a
// texture wants it). A file that cannot be read or decoded gives null pixels, size 0 and the
// reason in `error`.
struct DecodedImage
{
    int width = 0;
    int height = 0;
    std::unique_ptr<unsigned char, ImagePixelsFree> pixels;
    std::string error;
};

// The size an image file declares, read from its header alone; false (sizes 0) when it cannot
// be read or would be refused for decoding (see the limits above). Any thread.
bool ReadImageSize(const std::string& path, int& width, int& height);

// Decodes image bytes held in memory (rows unflipped when `flip` is false); what
// DecodeTextureImage does after reading the file. Any thread.
DecodedImage DecodeImageBytes(const unsigned char* bytes, std::size_t size, bool flip);

// Decodes an image file for a texture. Touches no GL state, so any thread may run it.
DecodedImage DecodeTextureImage(const std::string& path);

// Gives the texture's one level these RGBA pixels (`width` x `height`, rows as DecodedImage
// holds them), replacing whatever storage it had; the active unit's binding is left as it was.
// Needs a current GL context.
void SpecifyTexturePixels(std::uint32_t texture, int width, int height, const unsigned char* pixels);

// Uploads decoded pixels into a new RGBA texture: linear filtering, no mipmaps, clamped to the
// edge. Returns 0 (and sizes 0) for an image without pixels. Needs a current GL context.
std::uint32_t CreateTextureFromImage(const DecodedImage& image, int& width, int& height);

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
