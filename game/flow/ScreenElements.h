#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/Coordinator.h"
#include "engine/core/EngineTypes.h"

#include <string>
#include <vector>

class Transform;

// What the three screen elements (texts, images and buttons) share: the reference view their
// files place them in, moves by hand, name lookups and the state of the entities they follow.
// Every lookup tolerates what a scene may lack: no behaviour, no Transform, no such name.

// Scene files place screen-space elements in the 1920 x 1080 reference view; its centre is
// where the camera sits.
inline constexpr Vector2 ReferenceViewCentre = {960.0f, 540.0f};
// 3.4028235e38, the effect length that never runs out; files write 1000 or more for it.
inline constexpr float EndlessEffect = 3.4028235e38f;
inline constexpr float EndlessEffectInFiles = 1000.0f;
// Fixed simulation step.
inline constexpr float FixedStepSeconds = 1.0f / 60.0f;

// Moves an entity by hand: its previous position takes the current one, then the position
// becomes the point (no velocity, no collision test, children stay).
void MoveByHand(Transform& transform, Vector2 position);
// The entity's Transform position; nothing when it has no Transform.
bool PositionOf(Coordinator& coordinator, Entity entity, Vector2& out);
// A point plus an offset.
Vector2 Offset(Vector2 point, float x, float y);

// The first entity of that exact name; NO_ENTITY for an empty name or one no entity has.
Entity FindNamedEntity(Coordinator& coordinator, const std::string& name);
// For each comma-separated piece in order, every entity of the identifier system (ascending id)
// named exactly that piece. Pieces no entity has add nothing.
void AppendEntitiesNamed(Coordinator& coordinator, const std::string& commaList, std::vector<Entity>& out);

// The entity has a behaviour and it is inactive (hidden, or a dead character).
bool HasInactiveBehaviour(Coordinator& coordinator, Entity entity);
// The entity has a behaviour with BindToCamera set.
bool HasCameraBoundBehaviour(Coordinator& coordinator, Entity entity);
// Shows an element: its behaviour, when it has one, becomes active.
void ActivateBehaviour(Coordinator& coordinator, Entity entity);
// Hides an element: its behaviour, when it has one, becomes inactive.
void DeactivateBehaviour(Coordinator& coordinator, Entity entity);

// Whether the entity is a member of the system.
template <class System>
bool IsInSystem(const Coordinator& coordinator, Entity entity)
{
    const System* system = coordinator.GetSystem<System>();
    return system->entities.count(entity) != 0;
}
