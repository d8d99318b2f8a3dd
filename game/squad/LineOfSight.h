#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <string>
#include <vector>

class Coordinator;
class GridSpec;
class IBehaviour;

// Whether characters see along a straight line, and what they see around them. Every query here
// answers as the engine's Raycast and OverlapCircle do (ascending ids, exact collider tests, a
// NaN point finds nothing) but fills a buffer kept between calls, so that the checks the soldiers
// and zombies make every frame allocate nothing once the buffers have grown.

// The entities whose colliders the segment from-to crosses on the grid, ascending, less the two
// ignored ones (NO_ENTITY ignores nothing). The answer lives in a buffer that the next call of
// SegmentHits overwrites.
const std::vector<Entity>& SegmentHits(Coordinator& coordinator, const GridSpec& grid, const Vector2& from,
                                       const Vector2& to, Entity ignoreA, Entity ignoreB);

// Replaces `found` with the entities, ascending, whose colliders touch the circle and that carry
// at least one of the tags (every entity when the list is empty). `found` keeps its capacity.
void CircleHits(Coordinator& coordinator, const GridSpec& grid, const Vector2& centre, float radius,
                const std::vector<std::string>& tags, std::vector<Entity>& found);

// The zombies' two views. Both cast one segment through a collision grid and never count the
// entities at its two ends as blockers, even when the segment starts inside their colliders; a
// segment of zero length is open.

// For the plain zombie: the segment from a's to b's Transform position on the given grid is open
// when every collider it crosses (a and b aside) is a trigger.
bool HasLineOfSightBetween(Coordinator& coordinator, Entity a, Entity b, const GridSpec& grid);

// For the charging and spitting zombies: the segment from the point to the target's Transform
// position on the Coordinator's collision grid is open when every collider it crosses (the
// caller's own entity and the target aside) is a trigger or carries "ENEMY" or "PICKUP".
bool HasLineOfSight(const IBehaviour& caller, Coordinator& coordinator, const Vector2& point, Entity target);
