#pragma once
#include "engine/core/sSystemBase.h"

// Integrates motion once per fixed step: turning forces become angular velocity and rotation,
// timed forces age and expire, the speed is limited and the entity moves by its velocity.
// Linear forces reach the velocity through PhysicsMovement::Step, which behaviours call.
// Signature: PhysicsMovement, Transform, Identifier.
class sPhysicsMovement : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sPhysicsMovement";

    // One pass per fixed step of the frame, members in ascending id order.
    void Update(Coordinator& coordinator) override;
};
