#pragma once
#include "engine/core/EngineTypes.h"

#include <map>

// The door buttons that the doors of a scene share: button entity -> lent to a door. Walked in
// ascending entity order; empty while no door is alive.
std::map<Entity, bool>& DoorButtonPool();
// The door behaviours alive; the first door to wake spawns the pool, the last to go empties it.
int& LiveDoorCount();

// No buttons and no doors (for tests).
void ResetDoorButtonPool();
