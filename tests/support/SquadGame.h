#pragma once
#include "support/TestGame.h"

#include <memory>
#include <string>

// A game on a fixture scene of tests/fixtures/scenes/squad/ (the name without folder), as the
// squad's tests play it: the real prefab file, TestCharacter registered for the scene to use,
// the second resource stage loaded (the squad's prefabs draw art and play sounds of the later
// stages, which a level loads through its transition) and with `spritesheets` the third too
// (clips that end, such as the throw), and, while the scene's camera has not set the level's
// limits, the world frame as those limits.
std::unique_ptr<TestGame> SquadGame(const std::string& scene, bool spritesheets = false);

// The real prefab file as the build copies it.
std::string GamePrefabFile();
