#include "support/PhysicsWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::IsEmpty;

namespace
{
struct MovementTest : testing::Test
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    Entity mover = world.Collider("M", ColliderCircle, {100, 100}, {20, 20});
    PhysicsMovement& movement = world.MovementOf(mover);
    Transform& transform = world.TransformOf(mover);

    void Move(int steps = 1)
    {
        coordinator.StepCount = steps;
        world.movement->Update(coordinator);
    }
};
}

TEST_F(MovementTest, MovesByTheVelocityTimesItsOwnTimeStepOnceAndThenTheFixedStep)
{
    movement.velocity = {60, -120};
    movement.timeStep = 0.5f;
    Move();
    EXPECT_FLOAT_EQ(transform.position.x, 130.0f);
    EXPECT_FLOAT_EQ(transform.position.y, 40.0f);
    EXPECT_FLOAT_EQ(transform.previousPosition.x, 100.0f);
    EXPECT_FLOAT_EQ(movement.timeStep, 0.016666668f);
    Move(2);
    EXPECT_FLOAT_EQ(transform.position.x, 132.0f);
    EXPECT_FLOAT_EQ(transform.previousPosition.x, 131.0f);
    Move(0);
    EXPECT_FLOAT_EQ(transform.position.x, 132.0f) << "no step, no move";
}

TEST_F(MovementTest, TimedForcesExpireWhenTheirTimeIsUp)
{
    movement.AddForce(0, 0.05f, 0.0f, {1, 0}, 10.0f, "knockback");
    movement.AddForce(0, 0.0f, 0.0f, {1, 0}, 10.0f, "unnamed");
    movement.AddForce(0, 10.0f, 0.0f, {1, 0}, 10.0f, "Move");
    Move();
    ASSERT_EQ(movement.forces.size(), 2u) << "a duration of 0 lasts one step";
    EXPECT_EQ(movement.forces[0].name, "knockback");
    EXPECT_EQ(movement.forces[1].name, "Move");
    Move();
    EXPECT_TRUE(movement.forces[0].active) << "still there after two steps";
    Move();
    ASSERT_EQ(movement.forces.size(), 1u) << "0.05 s reached in the third step";
    EXPECT_EQ(movement.forces[0].name, "Move");
    EXPECT_FLOAT_EQ(movement.forces[0].elapsed, 3 * 0.016666668f);

    // Inactive forces neither age nor expire, and add no torque.
    movement.forces[0].active = false;
    movement.forces[0].elapsed = 20.0f;
    Move();
    EXPECT_EQ(movement.forces.size(), 1u);
}

TEST_F(MovementTest, TurningForcesSpinTheEntityAndTheSpinDecaysWithoutThem)
{
    movement.AddForce(1, 10.0f, 0.0f, {0, 0}, 6.0f, "bRotate");
    movement.AddForce(3, 10.0f, 0.0f, {0, 0}, 3.0f, "brake");
    Move();
    // torque 3, mass 1: the angular velocity grows by 3/60 per step.
    EXPECT_FLOAT_EQ(movement.angularAcceleration, 3.0f);
    EXPECT_FLOAT_EQ(movement.angularVelocity, 0.05f);
    EXPECT_FLOAT_EQ(transform.rotation, 0.05f);

    for (Force& force : movement.forces)
        force.active = false;
    Move();
    EXPECT_FLOAT_EQ(movement.angularVelocity, 0.025f) << "halved without torque";

    movement.ClearForces();
    Move();
    EXPECT_FLOAT_EQ(movement.angularVelocity, 0.025f) << "an empty force list leaves the spin alone";
    EXPECT_FLOAT_EQ(transform.rotation, 0.075f);
}

TEST_F(MovementTest, RotationWrapsIntoOneTurn)
{
    movement.AddForce(1, 10.0f, 0.0f, {0, 0}, 0.0f, "idle");
    transform.rotation = 6.3f;
    Move();
    EXPECT_NEAR(transform.rotation, 0.01681f, 1e-5);
    transform.rotation = -0.1f;
    Move();
    EXPECT_NEAR(transform.rotation, 6.18319f, 1e-5);
}

TEST_F(MovementTest, TheSpeedLimitRescalesOnlyFasterVelocities)
{
    movement.Speed = 10.0f;
    movement.velocity = {30, 40};
    Move();
    EXPECT_FLOAT_EQ(movement.velocity.x, 6.0f);
    EXPECT_FLOAT_EQ(movement.velocity.y, 8.0f);
    movement.velocity = {6, 8};
    Move();
    EXPECT_EQ(movement.velocity.x, 6.0f) << "exactly at the limit: untouched";
    EXPECT_EQ(movement.velocity.y, 8.0f);
}

TEST_F(MovementTest, MasslessTurningAndANegativeLimitAtRestStayNumbers)
{
    movement.mass = 0.0f;
    movement.angularVelocity = 0.4f;
    movement.AddForce(1, 10.0f, 0.0f, {0, 0}, 5.0f, "bRotate");
    movement.Speed = -5.0f;
    Move();
    EXPECT_EQ(movement.angularAcceleration, 0.0f);
    EXPECT_FLOAT_EQ(movement.angularVelocity, 0.2f) << "no acceleration: the spin halves";
    EXPECT_EQ(movement.velocity.x, 0.0f);
    EXPECT_EQ(movement.velocity.y, 0.0f);
    EXPECT_TRUE(std::isfinite(transform.position.x));
}

TEST_F(MovementTest, MembersMoveInIdOrderEveryStep)
{
    const Entity other = world.Collider("N", ColliderCircle, {0, 0}, {20, 20}, {60, 0});
    movement.velocity = {-60, 0};
    Move(3);
    EXPECT_FLOAT_EQ(world.TransformOf(other).position.x, 3.0f);
    EXPECT_FLOAT_EQ(transform.position.x, 97.0f);
    EXPECT_THAT(movement.forces, IsEmpty());
}
