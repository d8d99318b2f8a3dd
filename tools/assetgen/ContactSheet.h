#pragma once
#include "AssetRecord.h"
#include "Image.h"
#include "Lettering.h"

#include <vector>

namespace assetgen
{
// Pictures of every generated image and spritesheet, labelled, on a checkerboard that shows
// transparency: the first holds the images grouped by folder in scan order, the second every
// spritesheet as its row of frames.
std::vector<Image> ContactSheets(const std::vector<AssetRecord>& records, Lettering& labels);
}
