#include "engine/platform/ImageLoading.h"

#include "engine/platform/native/PrefaultedMemory.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <vector>

// stb_image is built here, private to this file, so that the pixel buffers it makes come from
// prefaulted memory: decoding a stage's images on several threads then neither pays a page
// fault per page nor leaves the freed buffers behind in the decoding threads' heaps.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
// The game ships PNG only: every other decoder is left out, so a file of another format (or a
// hostile one named .png) is refused rather than handed to code the game never needs.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS MostImageSide
#define STBI_MALLOC(size) AllocatePrefaulted(size)
#define STBI_REALLOC(block, size) ReallocatePrefaulted(block, size)
#define STBI_FREE(block) FreePrefaulted(block)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

void ImagePixelsFree::operator()(unsigned char* pixels) const
{
    stbi_image_free(pixels);
}

namespace
{
std::uint32_t BigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           std::uint32_t{bytes[3]};
}

// Reads the whole file; empty with the reason in `error` when it cannot be read or is too big.
std::vector<unsigned char> ReadImageFile(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
    {
        error = "cannot be opened";
        return {};
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > MostImageFileBytes)
    {
        error = size < 0 ? "cannot be read" : "is larger than " + std::to_string(MostImageFileBytes) + " bytes";
        return {};
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!bytes.empty() && !file.read(reinterpret_cast<char*>(bytes.data()), size))
    {
        error = "cannot be read";
        return {};
    }
    if (bytes.empty())
        error = "is empty";
    return bytes;
}

const unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Checks that a PNG's chunks lie within the file, and that no image data chunk is
// empty (the decoder would copy from a null buffer); the reason when not.
std::string PngStructureProblem(const unsigned char* bytes, std::size_t size)
{
    std::size_t at = sizeof Signature;
    while (at + 8 <= size)
    {
        const std::uint32_t length = BigEndian32(bytes + at);
        const bool imageData = std::memcmp(bytes + at + 4, "IDAT", 4) == 0;
        const bool end = std::memcmp(bytes + at + 4, "IEND", 4) == 0;
        if (length > size - at - 8 || size - at - 8 - length < 4)
            return "is cut short inside a chunk";
        if (imageData && length == 0)
            return "has an empty image data chunk";
        if (end)
            return {};
        at += 12 + std::size_t{length};
    }
    return "is cut short before its end chunk";
}

// Why an image of this size is refused; empty when it may be decoded.
std::string SizeProblem(std::uint32_t width, std::uint32_t height)
{
    if (width == 0 || height == 0)
        return "has no pixels (" + std::to_string(width) + " by " + std::to_string(height) + ")";
    if (width > std::uint32_t{MostImageSide} || height > std::uint32_t{MostImageSide})
        return "is larger than " + std::to_string(MostImageSide) + " pixels on a side (" + std::to_string(width) +
               " by " + std::to_string(height) + ")";
    if (std::size_t{width} * std::size_t{height} * 4 > MostImageBytes)
        return "would take more than " + std::to_string(MostImageBytes) + " bytes decoded";
    return {};
}

// The size a PNG's header chunk (which must come first) declares; false when there is none.
bool DeclaredSize(const unsigned char* bytes, std::size_t size, std::uint32_t& width, std::uint32_t& height)
{
    if (size < 24 || std::memcmp(bytes, Signature, sizeof Signature) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    width = BigEndian32(bytes + 16);
    height = BigEndian32(bytes + 20);
    return true;
}

// The problem that keeps these bytes from being decoded, or empty; the declared size either way.
std::string HeaderProblem(const unsigned char* bytes, std::size_t size, int& width, int& height)
{
    width = 0;
    height = 0;
    if (size < sizeof Signature || std::memcmp(bytes, Signature, sizeof Signature) != 0)
        return "is not a PNG image";
    std::uint32_t declaredWidth = 0;
    std::uint32_t declaredHeight = 0;
    if (!DeclaredSize(bytes, size, declaredWidth, declaredHeight))
        return "does not begin with a header chunk";
    std::string problem = SizeProblem(declaredWidth, declaredHeight);
    if (problem.empty())
        problem = PngStructureProblem(bytes, size);
    if (!problem.empty())
        return problem;
    int channels = 0;
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
        stbi_info_from_memory(bytes, static_cast<int>(size), &width, &height, &channels) == 0)
        return "has an unreadable header";
    return {};
}

DecodedImage DecodeImageFile(const std::string& path, bool flip)
{
    std::string error;
    const std::vector<unsigned char> bytes = ReadImageFile(path, error);
    DecodedImage image;
    if (error.empty())
        image = DecodeImageBytes(bytes.data(), bytes.size(), flip);
    else
        image.error = error;
    if (!image.error.empty())
        image.error = "Image " + path + " " + image.error;
    return image;
}
}

bool ReadImageSize(const std::string& path, int& width, int& height)
{
    width = 0;
    height = 0;
    // The size lies in the first chunk: the header alone is read, however large the file.
    unsigned char header[64] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    file.read(reinterpret_cast<char*>(header), sizeof header);
    const auto size = static_cast<std::size_t>(file.gcount());
    int channels = 0;
    std::uint32_t declaredWidth = 0;
    std::uint32_t declaredHeight = 0;
    if (!DeclaredSize(header, size, declaredWidth, declaredHeight) || !SizeProblem(declaredWidth, declaredHeight).empty() ||
        stbi_info_from_memory(header, static_cast<int>(size), &width, &height, &channels) == 0)
    {
        width = 0;
        height = 0;
        return false;
    }
    return true;
}

DecodedImage DecodeImageBytes(const unsigned char* bytes, std::size_t size, bool flip)
{
    DecodedImage image;
    image.error = HeaderProblem(bytes, size, image.width, image.height);
    if (image.error.empty())
    {
        int channels = 0;
        // The flip setting is per thread, so loads on other threads never see this one.
        stbi_set_flip_vertically_on_load_thread(flip ? 1 : 0);
        image.pixels.reset(
            stbi_load_from_memory(bytes, static_cast<int>(size), &image.width, &image.height, &channels, 4));
        if (!image.pixels)
            image.error = std::string("cannot be decoded: ") + stbi_failure_reason();
    }
    if (!image.pixels)
    {
        image.width = 0;
        image.height = 0;
    }
    return image;
}

DecodedImage DecodeTextureImage(const std::string& path)
{
    return DecodeImageFile(path, true);
}

void SpecifyTexturePixels(std::uint32_t texture, int width, int height, const unsigned char* pixels)
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    // RGBA rows are whole multiples of 4 bytes, so any unpack alignment reads them right.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

std::uint32_t CreateTextureFromImage(const DecodedImage& image, int& width, int& height)
{
    width = 0;
    height = 0;
    if (!image.pixels)
        return 0;
    width = image.width;
    height = image.height;
    GLuint texture = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    // One level only: the filters must not ask for mipmaps, or the texture samples black. They
    // are set before the storage, so that the driver allocates that one level alone.
    glTextureParameteri(texture, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTextureParameteri(texture, GL_TEXTURE_MAX_LEVEL, 0);
    // Storage that can be specified again (not immutable), so that an image the scenes stop
    // drawing can give its pixels back (ImageResidency).
    SpecifyTexturePixels(texture, width, height, image.pixels.get());
    return texture;
}

std::uint32_t LoadTextureFromFile(const std::string& path, int& width, int& height)
{
    return CreateTextureFromImage(DecodeTextureImage(path), width, height);
}

IconImage LoadIconImage(const std::string& path)
{
    DecodedImage decoded = DecodeImageFile(path, false);
    IconImage image;
    if (!decoded.pixels)
    {
        std::fprintf(stderr, "%s\n", decoded.error.c_str());
        return image;
    }
    image.width = decoded.width;
    image.height = decoded.height;
    image.pixels = decoded.pixels.release();
    return image;
}

void FreeIconImage(IconImage& image)
{
    if (image.pixels != nullptr)
        stbi_image_free(image.pixels);
    image = IconImage{};
}
