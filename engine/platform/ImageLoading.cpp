#include "engine/platform/ImageLoading.h"

#include <GL/glew.h>
#include <stb/stb_image.h>

std::uint32_t LoadTextureFromFile(const std::string& path, int& width, int& height)
{
    width = 0;
    height = 0;
    int channels = 0;
    // The flip setting is per thread, so icon loads elsewhere never see this one.
    stbi_set_flip_vertically_on_load_thread(1);
    unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr)
    {
        width = 0;
        height = 0;
        return 0;
    }
    GLuint texture = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    // One level only: the filters must not ask for mipmaps, or the texture samples black.
    glTextureStorage2D(texture, 1, GL_RGBA8, width, height);
    // RGBA rows are whole multiples of 4 bytes, so any unpack alignment reads them right.
    glTextureSubImage2D(texture, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTextureParameteri(texture, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTextureParameteri(texture, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    stbi_image_free(pixels);
    return texture;
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
