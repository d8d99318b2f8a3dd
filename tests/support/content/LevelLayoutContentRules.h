#pragma once
#include "support/content/ContentCheck.h"

// What a level (a scene with soldiers) needs of its layout and naming, each a fault that would
// otherwise show only in play:
// - the path grid: from the squad's start, with every door breached, a path reaches every
//   soldier, zombie, pickup and tutorial trigger (a zombie out of reach leaves "Kill_All_Zombies"
//   unwinnable); none of them stands inside an obstacle or on a cell the grid blocks;
// - every entity with a collider lies inside the camera bounds and the collision world (a zombie
//   outside the bounds is sent home every frame, a collider outside the world is never met);
// - the names the code looks up ("Camera", "PathfindingGrid", the soldiers and their torches, a
//   door's lights, a parent's children) name exactly one entity of the scene;
// - walls are tagged "WALL" and "UNPATHABLE" and carry the grid's register tag, and doors the
//   register tag, so paths go round them (and throws bounce off walls);
// - in the throwing tutorial's level every soldier carries explosives and explosives are
//   allowed, or its throwing steps can never be done;
// - the credits (entered without a stage of their own) show and play only what the first
//   resource stage loads.
void AddLevelLayoutRules(ContentCheck& check);
