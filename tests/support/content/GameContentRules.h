#pragma once
#include "support/content/ContentCheck.h"

#include <filesystem>

// The game's demands on its data, beside the engine's: each part of the game that makes demands
// on scenes or prefabs adds its rules in a file of its own (<Topic>ContentRules.cpp) and one call
// here.
void AddGameRules(ContentCheck& check);

// The whole content check: the engine's rules, then the game's.
ContentCheck GameContentCheck(const std::filesystem::path& assetRoot);
