#pragma once
#include "support/LevelPlayer.h"
#include "support/TestGame.h"

// The first level played as its tutorial teaches it, step by step through the mouse and keys:
// a box selection, a number key, a move into the circle, a facing drag, the front door kicked in,
// the fight until a soldier is hurt, a heal, the walk to the trigger in the hall's doorway, R to
// finish the tutorial (saved as cleared), then every zombie hunted down. Starts once the level
// scene is current; fails (gtest assertions) when a step does not come.
void PlayTheAbandonedHouseByItsTutorial(TestGame& game, LevelPlayer& player);
