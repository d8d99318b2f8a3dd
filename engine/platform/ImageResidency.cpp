#include "engine/platform/ImageResidency.h"
#include "engine/core/Assert.h"
#include "engine/platform/native/HeapTrim.h"

#include <cstdio>

namespace
{
// What a texture holds while its pixels are given back: one clear pixel.
constexpr unsigned char ClearPixel[4] = {0, 0, 0, 0};
}

void ImageResidency::Track(std::uint32_t texture, const std::string& path)
{
    if (texture == 0)
        return;
    if (texture >= images.size())
        images.resize(texture + 1);
    Image& image = images[texture];
    image = Image{};
    image.path = path;
    image.tracked = true;
    image.lastScene = scene;
}

std::uint32_t ImageResidency::ToDraw(std::uint32_t texture, bool inLevel)
{
    sceneIsLevel = sceneIsLevel || inLevel;
    if (texture >= images.size() || !images[texture].tracked)
        return texture;
    Image& image = images[texture];
    image.lastScene = scene;
    image.levelPicture = image.levelPicture || inLevel;
    if (image.released)
        Reload(texture, DecodeTextureImage(image.path));
    return texture;
}

void ImageResidency::Keep(std::uint32_t texture)
{
    if (texture < images.size() && images[texture].tracked)
        images[texture].lastScene = scene;
}

void ImageResidency::Reload(std::uint32_t texture, const DecodedImage& decoded)
{
    Image& image = images[texture];
    image.released = false;
    if (!decoded.pixels)
    {
        std::fprintf(stderr, "%s; it is drawn blank\n", decoded.error.c_str());
        Log(decoded.error);
        image.unreadable = true;
        return;
    }
    SpecifyTexturePixels(texture, decoded.width, decoded.height, decoded.pixels.get());
}

std::size_t ImageResidency::SceneLeft()
{
    std::size_t released = 0;
    for (std::size_t texture = 0; texture < images.size(); ++texture)
    {
        Image& image = images[texture];
        const bool kept = image.lastScene == scene || (image.levelPicture && !sceneIsLevel);
        if (!image.tracked || image.released || image.unreadable || kept)
            continue;
        SpecifyTexturePixels(static_cast<std::uint32_t>(texture), 1, 1, ClearPixel);
        image.released = true;
        image.levelPicture = false;
        ++released;
    }
    ++scene;
    sceneIsLevel = false;
    if (released > 0)
        ReturnFreeHeapPages();
    return released;
}

bool ImageResidency::Released(std::uint32_t texture) const
{
    return texture < images.size() && images[texture].released;
}
