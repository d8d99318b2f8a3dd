#include "engine/platform/ImageResidency.h"
#include "engine/core/Assert.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/native/HeapTrim.h"

#include <cstdio>

namespace
{
// What a texture holds while its pixels are given back: one clear pixel.
constexpr unsigned char ClearPixel[4] = {0, 0, 0, 0};
}

void ImageResidency::Track(std::uint32_t texture, const std::string& path, bool releasable)
{
    if (texture == 0)
        return;
    if (texture >= images.size())
        images.resize(texture + 1);
    images[texture] = Image{path, true, releasable, false, scene};
}

std::uint32_t ImageResidency::ToDraw(std::uint32_t texture)
{
    if (texture >= images.size() || !images[texture].tracked)
        return texture;
    Image& image = images[texture];
    image.lastScene = scene;
    if (image.released)
        Reload(texture, image);
    return texture;
}

void ImageResidency::Reload(std::uint32_t texture, Image& image)
{
    image.released = false;
    const DecodedImage decoded = DecodeTextureImage(image.path);
    if (!decoded.pixels)
    {
        // The file went away or broke since it was loaded: the picture stays clear, and is not
        // tried again on every frame.
        std::fprintf(stderr, "%s; it is drawn clear\n", decoded.error.c_str());
        Log(decoded.error);
        image.releasable = false;
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
        if (!image.tracked || !image.releasable || image.released || image.lastScene == scene)
            continue;
        SpecifyTexturePixels(static_cast<std::uint32_t>(texture), 1, 1, ClearPixel);
        image.released = true;
        ++released;
    }
    ++scene;
    if (released > 0)
        ReturnFreeHeapPages();
    return released;
}

bool ImageResidency::Released(std::uint32_t texture) const
{
    return texture < images.size() && images[texture].released;
}
