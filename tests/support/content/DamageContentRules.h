#pragma once
#include "support/content/ContentCheck.h"

// What destructible targets, explosives and damage areas need of the data:
// - the prefabs they and the soldiers' throws spawn ("Grenade", "Molotov", "ExplosionLight",
//   "Fire_AOE_Indicator") exist with the components and behaviours their spawners use, and the
//   explosion's light retires by itself;
// - what is spawned mid-frame without being marked animated (throws, the prefabs targets break
//   into) names a real texture, which is drawn until the renderer notices its "ANIMATED" tag;
// - an explosive can fly (Transform, PhysicsMovement, in sPhysicsMovement) and its "OnDestroy"
//   names a prefab that can be placed and drawn from its animation;
// - a target can be picked (tag "TARGETABLE", a collider in sPhysicsCollision), has health set,
//   names existing placeable prefabs in "OnDestroy", keeps its five parallel lists as long as
//   "OnDestroy", and has the three looks its Animation plays;
// - a damage area has the Transform and Renderer that its spawners and its growth write.
void AddDamageRules(ContentCheck& check);
