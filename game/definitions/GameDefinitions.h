#pragma once
#include <set>
#include <string>
#include <vector>

// Process-wide values the engine reads, built once before the entry runs and never replaced.

// Systems an entity leaves when it is frozen (it stands still but stays drawn).
const std::set<std::string>& FreezeSystemSet();
// Systems an entity keeps when it is deactivated (it keeps its name and tags).
const std::set<std::string>& KeepActiveSystemSet();

// Scratch entry and exit times of the segment-box clip: elements 0..2 hold the last clip's times.
std::vector<float>& ClipEntryTimes();
std::vector<float>& ClipExitTimes();

