#pragma once
#include "support/TestGame.h"

#include <memory>
#include <string>
#include <vector>

// A game on a fixture scene of tests/fixtures/scenes/hud/ (the name without folder) with the real
// prefab file and LevelRulesStandIn registered for the scene to use, past its first frame.
std::unique_ptr<TestGame> HudGame(const std::string& scene);
// The same with the settings file's window width replaced.
std::unique_ptr<TestGame> HudGameInWindow(const std::string& scene, int windowWidth);

// The entities' names with any trailing number dropped, so "PopUpText3" and "PopUpText" (the
// numbers the engine gives repeated names) read alike; names of prefabs that end in a number
// are compared the same way.
std::string BaseName(const std::string& name);
std::vector<std::string> BaseNames(TestGame& game, const std::vector<Entity>& entities);
