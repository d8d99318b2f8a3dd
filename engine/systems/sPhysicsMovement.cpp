#include "engine/systems/sPhysicsMovement.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"

#include <cmath>

namespace
{
constexpr float FixedStep = 0.016666668f;
// A full turn as the rotation wraps it (slightly above 2 pi).
constexpr double FullTurn = 6.28319;
constexpr double NegligibleAngularAcceleration = 0.00001;

void Turn(PhysicsMovement& movement, Transform& transform)
{
    float torque = 0.0f;
    for (const Force& force : movement.forces)
    {
        if (!force.active)
            continue;
        if (force.kind == 1)
            torque = torque + force.magnitude;
        else if (force.kind == 3)
            torque = torque - force.magnitude;
    }
    // Without mass there is nothing to accelerate (the quotient would be infinite or NaN).
    movement.angularAcceleration = movement.mass == 0.0f ? 0.0f : torque / movement.mass;
    movement.angularVelocity = movement.angularVelocity + movement.angularAcceleration * FixedStep;
    if (movement.angularAcceleration <= NegligibleAngularAcceleration)
        movement.angularVelocity = movement.angularVelocity * 0.5f;

    transform.rotation = transform.rotation + movement.angularVelocity;
    if (transform.rotation > FullTurn)
        transform.rotation = static_cast<float>(transform.rotation - FullTurn);
    else if (transform.rotation < 0.0f)
        transform.rotation = static_cast<float>(FullTurn - std::abs(transform.rotation));
}

// Ages every active force by one step; one whose time is up is dropped at once.
void AgeForces(PhysicsMovement& movement)
{
    auto& forces = movement.forces;
    for (auto it = forces.begin(); it != forces.end();)
    {
        if (it->active)
        {
            it->elapsed = it->elapsed + FixedStep;
            if (it->elapsed >= it->duration)
            {
                it->active = false;
                it = forces.erase(it);
                continue;
            }
        }
        ++it;
    }
}

void LimitSpeed(PhysicsMovement& movement)
{
    Vector2& v = movement.velocity;
    const double x = v.x;
    const double y = v.y;
    const double length = std::sqrt(x * x + y * y);
    // A resting entity has no direction to rescale (a negative limit would otherwise give 0 / 0).
    if (length > movement.Speed && length > 0.0)
        v = {static_cast<float>(v.x / length * movement.Speed), static_cast<float>(v.y / length * movement.Speed)};
}
}

void sPhysicsMovement::Update(Coordinator& coordinator)
{
    for (int step = 0; step < coordinator.StepCount; ++step)
        for (Entity entity : entities)
        {
            PhysicsMovement* movement = coordinator.GetComponent<PhysicsMovement>(entity);
            Transform* transform = coordinator.GetComponent<Transform>(entity);
            if (movement == nullptr || transform == nullptr)
                continue;
            if (!movement->forces.empty())
            {
                Turn(*movement, *transform);
                AgeForces(*movement);
            }
            LimitSpeed(*movement);
            transform->previousPosition = transform->position;
            transform->position = {transform->position.x + movement->velocity.x * movement->timeStep,
                                   transform->position.y + movement->velocity.y * movement->timeStep};
            movement->timeStep = FixedStep;
        }
}
