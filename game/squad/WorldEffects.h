#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <string>

class Coordinator;

// Small world changes that several squad behaviours make the same way.

// A new instance of the prefab placed on the point by hand (PlaceEntityAt); an unknown name is
// the prefab loader's assert.
Entity SpawnPrefabAt(Coordinator& coordinator, const std::string& prefab, Vector2 point);

// Starts the renderer's screen shake around the camera's current position: one second long,
// amplitude 1 and rotation factor 1. Nothing without a renderer system.
void StartScreenShake(Coordinator& coordinator);
