#pragma once
#include "engine/components/Vector2.h"

// v / |v|, the length taken in double precision. A vector without a direction (zero length, or
// a length that is not a finite number) gives (0, 0): pushing along it adds no force and turning
// to it keeps the rotation, where a division would have spread NaN into velocities.
Vector2 NormalizeVector2(const Vector2& v);

// The angle in radians between two directions, from their dot product clamped to [-1, 1]:
// rounding can carry the dot product of two unit vectors just past 1, where acos gives NaN.
float AngleBetween(const Vector2& a, const Vector2& b);
