#pragma once
#include "engine/platform/ImageLoading.h"

#include <cstdint>
#include <string>
#include <vector>

// Which image textures hold their pixels. Every loading stage stays loaded for the rest of the
// run, yet each menu page and cutscene picture is shown by one scene or two; a level would
// otherwise carry every one of them. So, as a scene is left, an image that it neither drew nor
// loaded gives its pixels back (the texture keeps its name and its size record), and the next
// draw reads them again from the file.
// A picture a level has drawn (the HUD, the pause menu, the pop-ups) is kept until a level is
// left without drawing it: the menus and cutscenes between two levels do not draw it, and it
// should not be read again while the player fights.
// Main thread only, with the GL context current.
class ImageResidency
{
public:
    // Notes an image texture just made from this file, as loaded in the current scene.
    void Track(std::uint32_t texture, const std::string& path);
    // The texture, to be drawn now (`inLevel`: while a level is played): noted as drawn in the
    // current scene, and its pixels read again first when they were given back. Textures it
    // does not track pass through untouched.
    std::uint32_t ToDraw(std::uint32_t texture, bool inLevel);
    // Counts the texture as drawn by the current scene without reading anything: a scene that is
    // about to be left names it for the next one.
    void Keep(std::uint32_t texture);
    // The current scene is being left: gives back the pixels of every image it neither drew
    // nor loaded (a level's pictures only when it is a level), and the freed memory to the
    // system. Returns how many gave theirs back.
    std::size_t SceneLeft();

    // Whether the texture's pixels are given back now.
    bool Released(std::uint32_t texture) const;

private:
    struct Image
    {
        std::string path;
        bool tracked = false;
        bool released = false;
        bool unreadable = false;  // its file could not be read again: never given back again
        bool levelPicture = false; // drawn by a level since it was last given back
        std::uint32_t lastScene = 0; // the scene that last drew or loaded it
    };

    // Gives a given-back texture the pixels decoded from its file again. A file that cannot be
    // decoded any more leaves the texture blank (one clear pixel) for good; it is not read again.
    void Reload(std::uint32_t texture, const DecodedImage& decoded);

    std::vector<Image> images; // by GL texture name
    std::uint32_t scene = 0;
    bool sceneIsLevel = false; // the current scene has drawn as a level
};
