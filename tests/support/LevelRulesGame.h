#pragma once
#include "support/TestGame.h"

#include <memory>
#include <string>

class bGameLogic;

// A game on a fixture scene of tests/fixtures/scenes/levelrules/ (the name without folder), as a
// level plays: the real prefab file, TestCharacter registered as the zombies' stand-in, and, with
// `levelResources`, every resource stage a level loads through its doors.
std::unique_ptr<TestGame> LevelRulesGame(const std::string& scene, bool levelResources = true);

// The scene's level rules (the entity named "Rules").
bGameLogic& RulesOf(TestGame& game);
