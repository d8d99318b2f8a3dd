#pragma once
#include "engine/components/Matrix2.h"
#include "engine/components/Vector2.h"

#include <cstdint>

// Collider kinds of a PhysicsCollision.
enum ColliderType : std::int32_t
{
    ColliderRectangle = 0,
    ColliderCircle = 1,
    ColliderLineSegment = 2,
};

// The placed shape of a collider; the collision system writes position, center, rotation and
// angle as it places the shape each step.
struct CollisionShape
{
    Vector2 position;        // minimum corner: center minus half of size
    Vector2 size;            // width and height; a segment's length is the width
    float radius = 0.0f;     // half the width as read
    Vector2 center;          // entity position plus offset
    std::int32_t layer = 0;  // only equal layers pair; picking prefers the highest
    Matrix2 rotation;        // identity until the entity turns
    float angle = 0.0f;      // the rotation last applied, radians
};
