#include "engine/components/PhysicsMovement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
struct StepCase
{
    const char* what;
    Vector2 velocity;
    float speed;
    bool alongVelocity;
    std::vector<Force> forces;
    Vector2 acceleration;
    Vector2 result;
};

Force Linear(Vector2 direction, float magnitude, int kind = 0, bool active = true)
{
    Force force;
    force.kind = kind;
    force.direction = direction;
    force.magnitude = magnitude;
    force.active = active;
    force.name = "f";
    return force;
}
}

TEST(PhysicsMovement, StepIsAnExactSinglePrecisionSequence)
{
    const float step = 0.016666668f;
    const StepCase cases[] = {
        {"no force halves", {4, 0}, 10, false, {}, {0, 0}, {2, 0}},
        {"push from rest", {0, 0}, 10, false, {Linear({1, 0}, 60)}, {60, 0}, {60 * step, 0}},
        {"push limited", {0, 0}, 0.5f, false, {Linear({1, 0}, 60)}, {60, 0}, {0.5f, 0}},
        {"along velocity", {0, 2}, 100, true, {Linear({3, 4}, 1)}, {0, 5}, {0, 2 + 5 * step}},
        {"along zero velocity keeps direction", {0, 0}, 100, true, {Linear({3, 4}, 1)}, {3, 4}, {3 * step, 4 * step}},
        {"turning and inactive forces ignored", {4, 0}, 10, false,
         {Linear({1, 0}, 60, 1), Linear({1, 0}, 60, 3), Linear({1, 0}, 60, 0, false)}, {0, 0}, {2, 0}},
        // k = 1/25 rounded to float, then x * k * Speed: just under (6, 8).
        {"halved then limited", {30, 40}, 10, false, {}, {0, 0}, {5.99999952f, 7.99999952f}},
        {"speed equal to length keeps", {6, 8}, 5, false, {}, {0, 0}, {3, 4}},
        {"summed in list order", {0, 0}, 1000, false, {Linear({1, 0}, 1e8f), Linear({1, 0}, 1), Linear({-1, 0}, 1e8f)},
         {0, 0}, {0, 0}},
    };
    for (const StepCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        PhysicsMovement m;
        m.velocity = c.velocity;
        m.Speed = c.speed;
        m.AccelToVelDirection = c.alongVelocity;
        m.forces = c.forces;
        m.Step();
        EXPECT_EQ(m.acceleration.x, c.acceleration.x);
        EXPECT_EQ(m.acceleration.y, c.acceleration.y);
        EXPECT_EQ(m.velocity.x, c.result.x);
        EXPECT_EQ(m.velocity.y, c.result.y);
    }
}

TEST(PhysicsMovement, NamedForcesRefreshAndRemove)
{
    PhysicsMovement m;
    m.AddForce(0, 0.5f, 0.0f, {1, 0}, 10, "knockback");
    m.forces[0].active = false;
    m.AddForce(1, 2.0f, 0.25f, {0, 1}, 20, "knockback");
    ASSERT_EQ(m.forces.size(), 1u);
    const Force& f = m.forces[0];
    EXPECT_EQ(f.kind, 0) << "the kind of the first addition stays";
    EXPECT_TRUE(f.active);
    EXPECT_EQ(f.duration, 2.0f);
    EXPECT_EQ(f.elapsed, 0.25f);
    EXPECT_EQ(f.direction.y, 1.0f);
    EXPECT_EQ(f.magnitude, 20.0f);

    m.AddForce(0, 0, 0, {}, 1, "Move");
    m.AddForce(0, 0, 0, {}, 1, "throw");
    m.RemoveForce("absent");
    EXPECT_EQ(m.forces.size(), 3u);
    m.RemoveForce("Move");
    ASSERT_EQ(m.forces.size(), 2u);
    EXPECT_EQ(m.forces[0].name, "knockback");
    EXPECT_EQ(m.forces[1].name, "throw");
    m.ClearForces();
    EXPECT_TRUE(m.forces.empty());
}
