#include "SheetMetadata.h"

#include <cstdio>

namespace assetgen
{
std::string LayoutJson(int frames, int frameWidth, int frameHeight, int columns)
{
    std::string out = "[\n";
    for (int i = 0; i < frames; ++i)
    {
        char line[160];
        std::snprintf(line, sizeof line, "  {\"x\": %d, \"y\": %d, \"width\": %d, \"height\": %d}%s\n",
                      (i % columns) * frameWidth, (i / columns) * frameHeight, frameWidth, frameHeight,
                      i + 1 < frames ? "," : "");
        out += line;
    }
    out += "]\n";
    return out;
}

std::string FormatJson(float frameDelay, int sheetWidth, int sheetHeight)
{
    char text[160];
    std::snprintf(text, sizeof text, "[\n  {\"frameDelay\": %.4g, \"ssWidth\": %d, \"ssHeight\": %d}\n]\n",
                  static_cast<double>(frameDelay), sheetWidth, sheetHeight);
    return text;
}
}
