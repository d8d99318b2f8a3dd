#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

class Coordinator;
class GridSpec;
class IBehaviour;

// Whether the zombies see along a straight line. Both cast one segment through a collision grid
// and never count the entities at its two ends as blockers, even when the segment starts inside
// their colliders; a segment of zero length is open.

// For the plain zombie: the segment from a's to b's Transform position on the given grid is open
// when every collider it crosses (a and b aside) is a trigger.
bool HasLineOfSightBetween(Coordinator& coordinator, Entity a, Entity b, const GridSpec& grid);

// For the charging and spitting zombies: the segment from the point to the target's Transform
// position on the Coordinator's collision grid is open when every collider it crosses (the
// caller's own entity and the target aside) is a trigger or carries "ENEMY" or "PICKUP".
bool HasLineOfSight(const IBehaviour& caller, Coordinator& coordinator, const Vector2& point, Entity target);
