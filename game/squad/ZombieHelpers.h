#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <string>

class Animation;
class Coordinator;
class Transform;

// What the three zombies do alike: timers counted in fixed steps, the way back into the level,
// facing, the hit flash, clips, and the news of a zombie's death.

// Grows the timer by 1/60 s per fixed step of this frame, up to the cap.
void GrowTimer(float& timer, float cap, int steps);

// The entity's Transform position, or null without one (a destroyed soldier has none).
const Vector2* PositionOf(Coordinator& coordinator, Entity entity);

double SquaredDistance(const Vector2& a, const Vector2& b);

// Outside the camera's bounds, or not a number on either axis.
bool OutsideLevel(const Coordinator& coordinator, const Vector2& position);

// Puts the entity back at home by hand. A position that is not a number is not kept as the
// previous position either, so the NaN does not live on in the next step's motion.
void ReturnHome(Coordinator& coordinator, Entity entity, const Vector2& home);

// Faces along (dx, dy): acos of the cosine, clamped to [-1, 1], turned past pi when dy < 0. A
// direction without length has no angle: the rotation stays.
void FaceAlong(Transform& transform, const Vector2& direction);
// As FaceAlong, carrying the entity's children; a childless entity turns alone (no walk).
void FaceAlongWithChildren(Coordinator& coordinator, Entity entity, const Vector2& direction);

// The renderer's one-frame tint flash.
void FlashTint(Coordinator& coordinator, Entity entity, float r, float g, float b);

// Switches to the clip's state unless that clip already shows (so it does not restart).
// Returns true when the state was switched.
bool ShowClip(Animation& animation, int state, const char* clip);

bool HasTag(Coordinator& coordinator, Entity entity, const std::string& tag);

// The level rules hear of one more kill, and every living soldier aiming at the zombie lets go.
// Nothing without level rules in the scene.
void ReportZombieKilled(Coordinator& coordinator, Entity zombie);

// The interval of a rate of 2 / rate seconds; a rate of 0 never comes round.
float IntervalOf(float rate);
