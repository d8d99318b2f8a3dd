#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Which image textures hold their pixels. The menus' and cutscenes' pictures (loaded by the
// first two stages) are drawn by one or two scenes each, yet every stage stays loaded for the
// rest of the run; a level would otherwise carry every menu page it never shows. So, as a scene
// is left, such an image that the scene neither drew nor loaded gives its pixels back (the
// texture keeps its name and size record), and the next draw loads them again from the file.
// The level's own images (the third stage) always keep theirs, so that nothing is decoded while
// the player fights. Main thread only, with the GL context current.
class ImageResidency
{
public:
    // Notes an image texture just made from this file; `releasable` for the menus' images.
    void Track(std::uint32_t texture, const std::string& path, bool releasable);
    // The texture, to be drawn now: noted as drawn in the current scene, and its pixels loaded
    // again first when they were given back. Textures it does not track pass through untouched.
    std::uint32_t ToDraw(std::uint32_t texture);
    // The current scene is being left: gives back the pixels of every releasable image it
    // neither drew nor loaded, and the freed memory to the system. Returns how many it gave back.
    std::size_t SceneLeft();
    // Whether the texture's pixels are given back now (for tests and measurements).
    bool Released(std::uint32_t texture) const;

private:
    struct Image
    {
        std::string path;
        bool tracked = false;
        bool releasable = false;
        bool released = false;
        std::uint32_t lastScene = 0; // the scene that last drew or loaded it
    };

    void Reload(std::uint32_t texture, Image& image);

    std::vector<Image> images; // by GL texture name
    std::uint32_t scene = 0;
};
