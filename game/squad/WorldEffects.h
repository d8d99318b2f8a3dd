#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <string>

class Coordinator;

// Small world changes that several squad behaviours make the same way.

// Moves an entity by hand: its previous position takes the current one, then it stands on the
// point (no velocity, no collision test). An entity without a Transform is left alone.
void PlaceEntityAt(Coordinator& coordinator, Entity entity, Vector2 point);

// A new instance of the prefab placed on the point (the prefab loader's assert for an unknown
// name).
Entity SpawnPrefabAt(Coordinator& coordinator, const std::string& prefab, Vector2 point);

// Starts the renderer's screen shake around the camera's current position: one second long,
// amplitude 1 and rotation factor 1. Nothing without a renderer system.
void StartScreenShake(Coordinator& coordinator);
