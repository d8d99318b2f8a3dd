#include "engine/systems/TextureReadback.h"

#include <GL/glew.h>

void TextureSize(std::uint32_t texture, int& width, int& height)
{
    GLint w = 0;
    GLint h = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &w);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_HEIGHT, &h);
    width = w;
    height = h;
}

std::vector<unsigned char> TextureTexels(std::uint32_t texture, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glGetTextureImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(texels.size()), texels.data());
    return texels;
}
