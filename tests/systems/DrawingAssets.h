#pragma once
#include "support/TempWorkingFolder.h"

#include <stb/stb_image_write.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// The assets the drawing tests draw with, written into the current (temporary) working folder:
// the committed "All" shaders, solid textures "Red", "Green", "Blue" and "White", "Halves" (left
// half red, right half blue), "Frame" (clear but for a band along its edges and one faint texel
// inside), a 2 by 2 spritesheet "Sheet"/"Idle" whose frames 0 to 3 are red,
// green, blue and white (read left to right, top row first), and the font "DejaVuSans".
namespace DrawingAssets
{
inline void WritePixels(const std::string& path, int width, int height, const std::vector<unsigned int>& rgba)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::vector<unsigned char> bytes;
    for (unsigned int pixel : rgba)
        for (int shift : {24, 16, 8, 0})
            bytes.push_back(static_cast<unsigned char>(pixel >> shift));
    if (stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4) == 0)
        throw std::runtime_error("cannot write " + path);
}

inline void Write()
{
    std::filesystem::create_directories("Resources/shaders");
    std::filesystem::copy(std::string(DUSKVANE_SOURCE_DIR) + "/Resources/shaders/All", "Resources/shaders/All");
    TempWorkingFolder::WritePng("Resources/images/Test/Solid/Red.png", 8, 8, 0xFF0000FFu);
    TempWorkingFolder::WritePng("Resources/images/Test/Solid/Green.png", 8, 8, 0x00FF00FFu);
    TempWorkingFolder::WritePng("Resources/images/Test/Solid/Blue.png", 8, 8, 0x0000FFFFu);
    TempWorkingFolder::WritePng("Resources/images/Test/Solid/White.png", 8, 8, 0xFFFFFFFFu);

    std::vector<unsigned int> halves;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            halves.push_back(x < 8 ? 0xFF0000FFu : 0x0000FFFFu);
    WritePixels("Resources/images/Test/Pattern/Halves.png", 16, 16, halves);

    // Clear but for a band along the edges and one faint texel inside.
    std::vector<unsigned int> frame;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
        {
            const bool band = x < 6 || y < 6 || x >= 58 || y >= 58;
            frame.push_back(band ? 0x20C040C8u : x == 40 && y == 30 ? 0xFFFFFF03u : 0u);
        }
    WritePixels("Resources/images/Test/Pattern/Frame.png", 64, 64, frame);

    // Image rows run from the top: the top-left quadrant is frame 0.
    std::vector<unsigned int> sheet;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
        {
            const int frame = (y < 32 ? 0 : 2) + (x < 32 ? 0 : 1);
            const unsigned int colours[4] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu, 0xFFFFFFFFu};
            sheet.push_back(colours[frame]);
        }
    WritePixels("Resources/animation/Sheet/Idle/Sheet.png", 64, 64, sheet);
    TempWorkingFolder::WriteText("Resources/animation/Sheet/Idle/layout.json",
                                 R"([{"x":0,"y":0,"width":32,"height":32},{"x":32,"y":0,"width":32,"height":32},
                                     {"x":0,"y":32,"width":32,"height":32},{"x":32,"y":32,"width":32,"height":32}])");
    TempWorkingFolder::WriteText("Resources/animation/Sheet/Idle/format.json",
                                 R"([{"frameDelay":0.25,"ssWidth":64,"ssHeight":64}])");

    std::filesystem::create_directories("Resources/fonts");
    std::filesystem::copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "Resources/fonts/DejaVuSans.ttf");
}
}
