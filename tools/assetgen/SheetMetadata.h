#pragma once
#include <string>

namespace assetgen
{
// layout.json: one {"x","y","width","height"} object per frame, in playing order; frames sit on a
// grid of `columns` columns, filled row by row from the top-left corner of the sheet.
std::string LayoutJson(int frames, int frameWidth, int frameHeight, int columns);
// format.json: one object with the frame delay in seconds and the whole sheet's size in pixels.
std::string FormatJson(float frameDelay, int sheetWidth, int sheetHeight);
}
