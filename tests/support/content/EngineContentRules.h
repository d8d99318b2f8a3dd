#pragma once
#include "support/content/ContentCheck.h"

#include <filesystem>
#include <string>
#include <vector>

// A prefab that code instantiates by name, and what that code needs of it.
struct SpawnedPrefab
{
    std::string name;
    std::string spawnedBy;               // who instantiates it, for the message
    std::vector<std::string> components; // components the spawning code reads or writes
    std::string behaviour;               // the behaviour class it must carry, or empty
    std::string animationTag;            // the AnimationTag it must have, or empty
    std::string clip;                    // a state of its AnimationTag that must have a sheet, or empty
};

// A data rule: the prefab file has the prefab, with what its spawner needs.
void RequirePrefab(ContentCheck& check, SpawnedPrefab prefab);

// The engine's demands on every scene and prefab:
// - every entity has an Identifier and lists sIdentifierSystem (else nothing finds it);
// - every entity member is a component, "Behaviour" or "Systems";
// - every system named is registered and the entity has the components it needs;
// - every texture, shader program, font and spritesheet a component names exists; an animated
//   entity carries "ANIMATED" and its AnimationTag among its tags; text has glyphs;
// - every string of the form "<name>_<true|false>_<SFX|gameBGM>_" (also inside comma lists) is a
//   generated sound id;
// - the settings' default starting scene is among the scenes, and every scene has an entity
//   named "Camera" with a Transform;
// - the prefabs the engine spawns exist with what it needs of them ("Cursor" after every scene
//   load; the one-shot effects), and the cursor draws above everything else.
void AddEngineRules(ContentCheck& check);

// Where the game's data and generated assets are.
struct GameContentPaths
{
    std::filesystem::path resources; // the committed Resources folder (scene files, Prefab.json)
    std::filesystem::path assetRoot; // the build folder, holding the generated Resources
};
GameContentPaths GameContent();

// A check with the engine's rules over the names of `assetRoot`.
ContentCheck EngineContentCheck(const std::filesystem::path& assetRoot);
