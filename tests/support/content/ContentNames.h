#pragma once
#include "engine/platform/AssetRecords.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

// Everything the game's data may name: the classes the engine registers and the assets the
// asset scan finds. Class names carry no "class " prefix, as in the data.
struct ContentNames
{
    // System name -> the components an entity needs to join it.
    std::map<std::string, std::vector<std::string>> systems;
    std::set<std::string> components;
    std::set<std::string> behaviours;

    // Keys as the asset scan makes them.
    std::set<std::string> textures;
    std::set<std::string> fonts;
    std::set<std::string> sounds;
    std::set<std::string> shaderPrograms;
    // Only sheets the loader can use: an image and at least one frame.
    std::set<SpritesheetKey> spritesheets;
    // The tags of those sheets.
    std::set<std::string> animationTags;
};

// The engine's registries (a world registered as the entry registers it) and the asset scan of
// `assetRoot`, the folder that holds "Resources" (the build folder, after asset generation).
ContentNames ReadContentNames(const std::filesystem::path& assetRoot);
