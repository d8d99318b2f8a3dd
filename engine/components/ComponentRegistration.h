#pragma once

class Coordinator;

// Registers the eight component types in the entry's order, which fixes their type ids:
// Transform 0, Renderer 1, Lighting 2, Identifier 3, Font 4, PhysicsMovement 5,
// PhysicsCollision 6, Animation 7.
void RegisterComponents(Coordinator& coordinator);
