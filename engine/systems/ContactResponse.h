#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

class Coordinator;
class Identifier;
class PhysicsCollision;
class PhysicsMovement;
class Transform;

// The components of one collider taking part in the collision pass.
struct ColliderParts
{
    Transform* transform = nullptr;
    PhysicsCollision* collision = nullptr;
    PhysicsMovement* movement = nullptr;
    Identifier* identifier = nullptr;

    bool Complete() const { return transform && collision && movement && identifier; }
};

// Tells both behaviours of a contact: a's OnTrigger(b) when a is a trigger, else its
// OnCollision(b); then the same for b with a. Entities without a behaviour are skipped; the
// behaviours' states are not consulted. Returns whether any behaviour was told.
bool NotifyContact(Coordinator& coordinator, Entity a, bool aIsTrigger, Entity b, bool bIsTrigger);

// Tests mover A (moving by motion, world units per second) against B by the pair's shape test;
// on a hit notifies both and, unless either is a trigger, pushes them apart or bends A's
// velocity. Returns whether the test hit (the caller then marks the pair handled). Pairs whose
// A is a line segment, or of unknown kinds, never hit. No response writes a NaN: coincident
// centres, a centre inside a box and a centre on a segment take a fallback direction. When told is
// given it says whether a behaviour heard of the contact (and so may have changed anything).
bool TestAndRespond(Coordinator& coordinator, Entity a, ColliderParts& partsA, Entity b, ColliderParts& partsB,
                    const Vector2& motion, bool* told = nullptr);
