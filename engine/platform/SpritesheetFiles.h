#pragma once
#include "engine/platform/AssetRecords.h"

#include <string>

// The two metadata files of an animation state folder. Any JSON number is read as a float;
// a file that cannot be opened, does not parse or lacks its form or keys is the JSON error.

// layout.json: an array of {"x", "y", "width", "height"} objects, one per frame in playing
// order. Returns the frames with frameDelay, ssWidth and ssHeight 0.
SpritesheetData ReadSpritesheetLayout(const std::string& path);

struct SpritesheetTiming
{
    float frameDelay = 0.0f;
    float ssWidth = 0.0f;
    float ssHeight = 0.0f;
};

// format.json: an array whose first object holds "frameDelay", "ssWidth" and "ssHeight";
// later elements are ignored.
SpritesheetTiming ReadSpritesheetFormat(const std::string& path);
