#pragma once
#include "support/content/ContentCheck.h"

// The zombies' demands on the game's data:
// - "ENEMY" is carried by zombies only, and by every zombie: the level rules count the entities
//   tagged "ENEMY" as the zombies left to kill, so a stray tag keeps a level from being won and a
//   zombie without it wins the level early;
// - every zombie has the clips its states show, and a collider and movement in their systems;
// - a scene with a charging or spitting zombie has the entity named "PathfindingGrid" they
//   follow paths on (without it the game stops when they start);
// - the prefabs the zombies spawn exist with what the zombies do to them ("Charger_Block",
//   "Spit_Projectile", "Spit_Puddle", "SpitterExplosion").
void AddZombieRules(ContentCheck& check);
