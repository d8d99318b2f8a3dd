#pragma once
#include "engine/components/Force.h"
#include "engine/components/Vector2.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>
#include <vector>

// Velocity, speed limit and named forces of an entity. Behaviours add or refresh forces by
// name and call Step; the movement system turns, ages and integrates at the fixed step.
class PhysicsMovement : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "PhysicsMovement";

    // "xVel", "yVel", "Speed" required; "AccelToVelDirection" optional (true only for true).
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Refreshes the force of that name (made active, new timing, direction and magnitude; its
    // kind stays) or appends a new one.
    void AddForce(int kind, float duration, float elapsed, const Vector2& direction, float magnitude,
                  std::string name);
    // Erases the first force of that name; the others keep their order.
    void RemoveForce(const std::string& name);
    void ClearForces();
    // One fixed step of 1/60 s: acceleration from the active kind-0 forces, velocity advanced,
    // halved without a noticeable force, then limited to Speed. Exact single-precision sequence.
    void Step();

    Vector2 velocity;
    float Speed = 0.0f;
    Vector2 acceleration;
    float mass = 1.0f;
    std::vector<Force> forces;
    float angularVelocity = 0.0f;
    float angularAcceleration = 0.0f;
    float timeStep = 1.0f / 60.0f;
    bool AccelToVelDirection = false;
};
