#pragma once
#include "engine/core/EngineTypes.h"

#include <set>
#include <vector>

// State that every spitting zombie of a scene shares; it belongs to the scene and is discarded
// with it.

// One corner of a wall's collider box.
struct WallCorner
{
    Entity wall = NO_ENTITY;
    float x = 0.0f;
    float y = 0.0f;
};

// The four corners of every "WALL" collider (ascending ids, corners (+,+), (-,-), (-,+), (+,-)),
// built by the first spitter to start; the hiding-spot search reorders it.
std::vector<WallCorner>& WallCorners();
// The soldiers of the level rules' census that are still alive, as the spitters last saw them.
std::set<Entity>& LivingPlayers();

// The spitting zombie behaviours that exist; when the last one goes, both collections are
// emptied, so that no scene reads another's walls or soldiers.
int& LiveSpitterCount();

// Both empty again (for tests and for a new scene).
void ResetSpitterSharedState();
