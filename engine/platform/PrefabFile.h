#pragma once
#include "engine/core/EngineTypes.h"

#include <string>
#include <vector>

class Coordinator;

// The prefab file: a JSON object whose "prefab" array holds entity objects of the scene shape,
// each named by the "type" of its "Identifier" object. The file is read and parsed once, at the
// first use, from the coordinator's PrefabPath of that moment, and kept for the whole run.

// A new entity from the first prefab of that name (exact, case-sensitive); names are then made
// unique. A name no prefab has is the assert "PREFAB <name>NOT FOUND". A file that cannot be
// read or parsed, a root without a "prefab" array, or an entry before the match that is not an
// object with an "Identifier" object holding a string "type" is the JSON error.
Entity InstantiatePrefab(Coordinator& coordinator, const std::string& name);

// The name of every prefab in file order, repeats included.
std::vector<std::string> GetPrefabNames(Coordinator& coordinator);

// Reads the prefab file's text into the cache (a path that does not exist as written is looked
// up without regard to case); a file that cannot be opened is the JSON error.
void LoadPrefabFile(const std::string& path);

// Forgets the cached prefab file (for tests).
void ResetPrefabCache();
