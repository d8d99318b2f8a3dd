#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

class Coordinator;

// Spawns the one-shot effect of an animation state at a point and starts its animation: 7
// "Explosion", 12 "GreenBloodDamage", 13 "GreenBloodDeath" and 15 "Sparks" have a prefab
// ("OneshotExplosion", "OneshotEnemyDamage", "OneshotEnemyDeath", "OneshotSparks"); sparks stand
// on the point, raised by half their height. The effect's behaviour destroys it once its
// animation has finished. Returns the new entity, or NO_ENTITY (nothing spawned) for any other
// state.
Entity SpawnOneShot(const int& animationState, Coordinator& coordinator, Vector2 position);
