#pragma once
#include "support/content/ContentCheck.h"

#include <set>
#include <string>
#include <vector>

// A prefab that code instantiates while its scene runs. The engine adds the prefab's behaviour
// to a scene that has started, which wakes and starts it at once, and only then reads the
// behaviour's data (InstantiatePrefab, EntityFromJson): keys that only Awake or Start use do
// nothing for it, unless the spawner does that part itself right after spawning. Prefabs
// spawned while a scene loads (by its behaviours' Awake or Start) read their data first.
struct PlaySpawnedPrefab
{
    std::string name;
    std::string spawnedBy;
    // Start-time keys whose work the spawner does itself.
    std::set<std::string> keysTheSpawnerApplies;
};

// The prefabs the game's code spawns by name while a scene runs; spawners add theirs here.
// Prefabs that data names for spawning during play ("OnDestroy" of targets and explosives, a
// logo's prefab target) are found in the data itself.
const std::vector<PlaySpawnedPrefab>& PrefabsSpawnedDuringPlay();

// The demands of the text, image and button behaviours on the data, each finding naming the
// file, the entity and the key:
// - every name in a name-table key is a word of its table ("FontFX", "ImageFX", "QueueToFX",
//   "UniqueBehaviour", "ChangeGameState", "SliderType", "SliderBehaviour", a soldier's
//   "Weapon", the level rules' "GameObjective") and every "Data" one of the figures a text
//   shows: the game ignores any other word and keeps its default;
// - an element has the components of the systems it joins when shown, and a button the tag
//   "UIBUTTON" that picking looks for;
// - an element that starts hidden is not listed in a drawing system, where it would be drawn
//   although hidden until first shown;
// - a prefab spawned during play carries no key that only its Awake or Start would have used.
void AddScreenElementRules(ContentCheck& check,
                           std::vector<PlaySpawnedPrefab> spawnedDuringPlay = PrefabsSpawnedDuringPlay());
