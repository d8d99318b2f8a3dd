#pragma once
#include "engine/platform/AssetRecords.h"

#include <vector>

class ResourceManager;

// Walks "Resources" (animation, audio, fonts, images, shaders) and "Editor_Resources" under the
// working directory and appends one record per asset to the manager's pending lists, in a
// fixed order (each listing sorted by name). Loads nothing but the animation metadata files.
// Keys follow the naming rules (a texture or font is its file name before the first ".", a
// sound its "_" fields); every path opens the file's real name. Complaints go to Log.
void ScanAssets(ResourceManager& resources);

// The records the scan appends for "Resources/images" and for "Resources/audio", in the same
// order, without a word to the log and without touching any manager: what the loading stages
// will ask for, known ahead of the scan proper.
std::vector<ImageRecord> ListResourceImages();
std::vector<SoundRecord> ListResourceSounds();
