#pragma once
#include "engine/core/EngineTypes.h"

#include <map>
#include <set>
#include <vector>

// State that every soldier of a scene shares. It outlives single soldiers: the last soldier
// behaviour to be destroyed (as at a scene change) empties it again.

// The soldiers in the order their Start ran; a soldier leaves it on death. The first one does the
// shared once-per-frame work at the start of the soldiers' updates, the last one at the end.
std::vector<Entity>& PlayerList();
// Every "PICKUP" entity and whether some soldier sees it in this frame.
std::map<Entity, bool>& PickupSightMap();
// The doors within reach of any soldier in this frame.
std::set<Entity>& DoorsInReachOfAny();
// True until a soldier's Start has filled PickupSightMap with the scene's pickups.
bool& PickupMapPending();
// The soldier behaviours that exist.
int& LivePlayerCount();

// Back to the state at program start: all empty, PickupMapPending true, no soldier (for tests).
void ResetSoldierSharedState();
