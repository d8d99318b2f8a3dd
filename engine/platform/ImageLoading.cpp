#include "engine/platform/ImageLoading.h"

#include "engine/platform/native/PrefaultedMemory.h"

#include <GL/glew.h>

// stb_image is built here, private to this file, so that the pixel buffers it makes come from
// prefaulted memory: decoding a stage's images on several threads then neither pays a page
// fault per page nor leaves the freed buffers behind in the decoding threads' heaps.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
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

bool ReadImageSize(const std::string& path, int& width, int& height)
{
    int channels = 0;
    if (stbi_info(path.c_str(), &width, &height, &channels) != 0)
        return true;
    width = 0;
    height = 0;
    return false;
}

DecodedImage DecodeTextureImage(const std::string& path)
{
    DecodedImage image;
    int channels = 0;
    // The flip setting is per thread, so icon loads elsewhere never see this one.
    stbi_set_flip_vertically_on_load_thread(1);
    image.pixels.reset(stbi_load(path.c_str(), &image.width, &image.height, &channels, 4));
    if (!image.pixels)
    {
        image.width = 0;
        image.height = 0;
    }
    return image;
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
    // One level only: the filters must not ask for mipmaps, or the texture samples black.
    glTextureStorage2D(texture, 1, GL_RGBA8, width, height);
    // RGBA rows are whole multiples of 4 bytes, so any unpack alignment reads them right.
    glTextureSubImage2D(texture, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.get());
    glTextureParameteri(texture, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

std::uint32_t LoadTextureFromFile(const std::string& path, int& width, int& height)
{
    return CreateTextureFromImage(DecodeTextureImage(path), width, height);
}

IconImage LoadIconImage(const std::string& path)
{
    IconImage image;
    int channels = 0;
    stbi_set_flip_vertically_on_load_thread(0);
    image.pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (image.pixels == nullptr)
    {
        image.width = 0;
        image.height = 0;
    }
    return image;
}

void FreeIconImage(IconImage& image)
{
    if (image.pixels != nullptr)
        stbi_image_free(image.pixels);
    image = IconImage{};
}
