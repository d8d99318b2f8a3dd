#pragma once
#include "engine/core/EngineTypes.h"

class Coordinator;
class GridSpec;
class PhysicsCollision;
class Transform;

// Places the entity's collision shape from its Transform (centre = position + offset, the
// rotation applied, the lower corner derived) and inserts its box into the grid.
// A screen-space entity (its behaviour has BindToCamera set) is placed once in the units of the
// 1920 by 1080 reference view, the camera's position mapping to the view's centre (960, 540),
// and not inserted on that call; from then on its stored box is inserted unchanged. An entity without a Transform or a PhysicsCollision is
// left out.
void InsertColliderIntoGrid(Coordinator& coordinator, Entity entity, GridSpec& grid);

// The same with the entity's parts already at hand.
void PlaceCollider(Coordinator& coordinator, Entity entity, GridSpec& grid, const Transform& transform,
                   PhysicsCollision& collision, bool bindToCamera);
