#pragma once
#include "AssetRecord.h"

#include <string>
#include <vector>

namespace assetgen
{
// The order in which the game's asset scan lists names: ASCII upper-cased, then raw bytes.
bool ScanNameLess(const std::string& a, const std::string& b);
// Images (Resources images, then editor images) or sounds, in the scan's record order.
std::vector<const AssetRecord*> ImagesInScanOrder(const std::vector<AssetRecord>& records);
std::vector<const AssetRecord*> SoundsInScanOrder(const std::vector<AssetRecord>& records);
// The load stage (1 to 3) of the image or sound at a scan index.
int ImageStage(size_t index);
int SoundStage(size_t index);

// The committed catalogue (tools/assetgen/CATALOGUE.md): every texture key, spritesheet and
// sound id with its size and load stage.
std::string CatalogueText(const std::vector<AssetRecord>& records);
}
