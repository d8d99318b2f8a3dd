#pragma once
#include "support/TestGame.h"

#include <memory>
#include <string>

// A game on a fixture scene of tests/fixtures/scenes/tutorial/ (the name without folder) with the
// real prefab file, the second resource stage loaded (doors, markers and fog draw level art) and,
// with `third`, the third too (the tutorial's panels and the clips that end).
std::unique_ptr<TestGame> FlowFixtureGame(const std::string& scene, bool third = false);
