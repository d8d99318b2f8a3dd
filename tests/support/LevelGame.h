#pragma once
#include "support/FrontEndGame.h"

#include <memory>
#include <string>

// The four levels as the game names them, in the order they unlock.
struct LevelEntry
{
    // "AbandonedHouse": the level select's button is this followed by "_Button".
    const char* name;
    const char* file;
    // The settings key that unlocks it; empty for the first level.
    const char* unlockKey;
};
extern const LevelEntry Levels[4];

// Progress of a player who has reached the level with the index: the levels before it won (so it
// is unlocked), every cutscene up to it seen, and the tutorials cleared or not.
SettingsMembers ProgressUpTo(int level, bool tutorialsCleared);
// A game on the level select (with the second stage loaded, as the way there loads it) holding
// that progress, its doors open, rasterised small (a level is played for many thousand frames).
std::unique_ptr<TestGame> StartOnLevelSelect(const SettingsMembers& progress);
// Clicks the level's button in the level select and runs frames until the level is the scene;
// false when it did not come.
bool EnterLevel(TestGame& game, const LevelEntry& level);
// What a level scene needs to be played that has not been built yet (the level rules, the squad
// controller or the HUD did not publish themselves), for a test to skip with; empty when the
// level can be played.
std::string MissingForPlay();
