#pragma once
#include "Image.h"

#include <string>

namespace assetgen
{
enum class AssetKind
{
    Image,
    EditorImage,
    Sheet,
    Sound,
    Font
};

// What was written, for the catalogue and the contact sheet.
struct AssetRecord
{
    AssetKind kind = AssetKind::Image;
    // Texture key, sound id, font key, or the sheet's state name.
    std::string key;
    // Images: group and subgroup folder; sheets: the animation tag and state; sounds: the folder.
    std::string group;
    std::string subgroup;
    // Path relative to the output root, with '/'.
    std::string path;
    int width = 0;
    int height = 0;
    int frames = 0;
    float frameDelay = 0;
    float seconds = 0;
    int channels = 0;
    bool loop = false;
    // A copy at most 160 pixels on its longer side (images), or the frames side by side (sheets).
    Image thumbnail;
};
}
