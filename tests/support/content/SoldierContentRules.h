#pragma once
#include "support/content/ContentCheck.h"

// The soldiers' demands on the game's data:
// - every prefab a soldier or character spawns exists with what the code needs of it
//   ("Bullet_Line", "Danger_Icon" seen by soldiers through its "DANGER" tag and collider,
//   "Plus_Icon", and the four drops tagged "PICKUP" with their kind);
// - every soldier has a throwing clip (without one a throw would never end) and a number in its
//   name (the HUD numbers soldiers by it);
// - the soldiers of a scene are "Player_1" to "Player_n" without gaps, each tagged "PLAYER" and
//   "PLAYERn" (the HUD finds them by name, the number keys by tag);
// - a path grid has cells at least one unit wide and high (else no soldier finds a path).
void AddSoldierRules(ContentCheck& check);
