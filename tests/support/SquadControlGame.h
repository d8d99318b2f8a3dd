#pragma once
#include "support/TestGame.h"

#include <memory>
#include <string>

// A game for the squad controller's tests on a fixture scene of tests/fixtures/scenes/squad/ (the
// name without folder): the real prefab file, TestCharacter, HeldStateRules and HeldStepTutorial registered for the
// scene to use, the level stages loaded (the markers' art, the squad's sounds), the world frame as
// the level's limits while the scene's camera sets none, and the first frame run, so that every
// key is known to the input from the next frame on.
std::unique_ptr<TestGame> SquadControlGame(const std::string& scene);
