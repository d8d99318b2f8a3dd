#pragma once
#include "support/content/ContentCheck.h"

// The level rules' demands on the data, each finding naming the file, the entity and the reason:
// - the level rules (bGameLogic) come before the HUD (bHUD) in a scene: the HUD builds the level's
//   interface only when the rules have woken first, and without it the level never leaves its
//   opening;
// - each of the four levels holds the level rules once, a camera behaviour, the HUD, the squad
//   controller and the transition entity (tagged "TRANSITION").
// (The camera comes first in every scene, and menu scenes hold no level rules: the front end's
// rules check both.)
void AddLevelRulesRules(ContentCheck& check);
