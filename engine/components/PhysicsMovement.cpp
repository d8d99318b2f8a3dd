#include "engine/components/PhysicsMovement.h"
#include "engine/core/Json.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr float FixedStep = 0.016666668f;
constexpr double NegligibleAccelerationSquared = 0.0010000000474974513;

double LengthSquared(const Vector2& v)
{
    const double x = v.x;
    const double y = v.y;
    return x * x + y * y;
}
}

void PhysicsMovement::Deserialize(const rapidjson::Value& object)
{
    velocity.x = Json::Float(object, "xVel");
    velocity.y = Json::Float(object, "yVel");
    Speed = Json::Float(object, "Speed");
    AccelToVelDirection = Json::Bool(object, "AccelToVelDirection", AccelToVelDirection);
}

void PhysicsMovement::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("xVel", static_cast<double>(velocity.x), allocator);
    object.AddMember("yVel", static_cast<double>(velocity.y), allocator);
    object.AddMember("Speed", static_cast<double>(Speed), allocator);
    object.AddMember("AccelToVelDirection", AccelToVelDirection, allocator);
}

void PhysicsMovement::AddForce(int kind, float duration, float elapsed, const Vector2& direction, float magnitude,
                               std::string name)
{
    for (Force& force : forces)
        if (force.name == name)
        {
            force.active = true;
            force.duration = duration;
            force.elapsed = elapsed;
            force.direction = direction;
            force.magnitude = magnitude;
            return;
        }
    forces.push_back(Force{kind, duration, elapsed, true, direction, magnitude, std::move(name)});
}

void PhysicsMovement::RemoveForce(const std::string& name)
{
    auto it = std::find_if(forces.begin(), forces.end(), [&](const Force& force) { return force.name == name; });
    if (it != forces.end())
        forces.erase(it);
}

void PhysicsMovement::ClearForces()
{
    forces.clear();
}

void PhysicsMovement::Step()
{
    float sx = 0.0f;
    float sy = 0.0f;
    for (const Force& force : forces)
        if (force.active && force.kind == 0)
        {
            sx = sx + force.direction.x * force.magnitude;
            sy = sy + force.direction.y * force.magnitude;
        }
    acceleration = {sx / mass, sy / mass};

    const double speed = std::sqrt(LengthSquared(velocity));
    if (AccelToVelDirection && speed != 0.0)
    {
        const float a = static_cast<float>(std::sqrt(LengthSquared(acceleration)));
        const float k = static_cast<float>(1.0 / speed);
        acceleration = {velocity.x * k * a, velocity.y * k * a};
    }

    velocity.x = velocity.x + acceleration.x * FixedStep;
    velocity.y = velocity.y + acceleration.y * FixedStep;

    if (LengthSquared(acceleration) <= NegligibleAccelerationSquared)
        velocity = {velocity.x * 0.5f, velocity.y * 0.5f};

    const float limitSquared = Speed * Speed;
    const double lengthSquared = LengthSquared(velocity);
    if (lengthSquared > static_cast<double>(limitSquared))
    {
        const float k = static_cast<float>(1.0 / std::sqrt(lengthSquared));
        velocity = {velocity.x * k * Speed, velocity.y * k * Speed};
    }
}

void PhysicsMovement::Inspect()
{
    if (!ImGui::CollapsingHeader("Physics Movement"))
        return;
    ImGui::Text("Velocity");
    ImGui::DragFloat("##X Vel", &velocity.x);
    ImGui::DragFloat("##Y Vel", &velocity.y);
    ImGui::Text("Speed");
    ImGui::DragFloat("##Speed", &Speed);
}
