#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

class Coordinator;

// Puts the entity at the point by hand: its previous position takes the current one first, then
// the position becomes the point. No velocity, no collision test, children stay where they are.
// An entity without a Transform is left alone.
void PlaceEntityAt(Coordinator& coordinator, Entity entity, const Vector2& point);
