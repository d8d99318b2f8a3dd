#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/systems/GridSpec.h"

class Coordinator;
class GridSpec;
class PhysicsCollision;
class Transform;

// Places the entity's collision shape from its Transform (centre = position + offset, the
// rotation applied, the lower corner derived) and inserts its box into the grid.
// A screen-space entity (its behaviour has BindToCamera set) is placed once in the units of the
// 1920 by 1080 reference view, the camera's position mapping to the view's centre (960, 540),
// and not inserted on that call; from then on its stored box is inserted unchanged. An entity
// without a Transform or a PhysicsCollision is left out.
// The Coordinator's broadphase grid also learns each inserted collider's reach (see
// GridSpec::KnowReach); placing a collider without inserting it there (into another grid, or a
// screen-space first placement) makes the broadphase forget it, since its shape has moved.
void InsertColliderIntoGrid(Coordinator& coordinator, Entity entity, GridSpec& grid);

// The same with the entity's parts already at hand.
void PlaceCollider(Coordinator& coordinator, Entity entity, GridSpec& grid, const Transform& transform,
                   PhysicsCollision& collision, bool bindToCamera);

// A box holding every point of the collider's shape at which a circle, box or segment query can
// meet it, slightly widened for rounding: the circle of its radius, the box of its size (about its
// centre and from its corner), or the segment through its centre; unknown kinds have none.
bool ColliderReach(const PhysicsCollision& collision, GridSpec::Box& reach);
