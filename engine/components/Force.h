#pragma once
#include "engine/components/Vector2.h"

#include <cstdint>
#include <string>

// A named force on a PhysicsMovement. Kind 0 pushes (summed by PhysicsMovement::Step); kinds 1
// and 3 turn (applied by the movement system); other kinds are carried and ignored.
struct Force
{
    std::int32_t kind = 0;
    float duration = 0.0f; // seconds; the movement system erases the force once elapsed reaches it
    float elapsed = 0.0f;  // seconds the force has run
    bool active = true;
    Vector2 direction; // used unnormalised
    float magnitude = 0.0f;
    std::string name;
};
