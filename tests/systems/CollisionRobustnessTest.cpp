#include "support/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{
bool Finite(const Vector2& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

template <class T>
const T& Pick(std::mt19937& random, const std::vector<T>& values)
{
    return values[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random)];
}
}

// Colliders crowded onto a few lattice points (coincident centres, centres inside boxes and on
// segments), with zero sizes, zero-length segments, zero motion, quarter turns, reflective and
// movable flags, massless turning and negative speed limits: many frames of collision and
// movement leave every position and velocity a number.
TEST(CollisionRobustnessTest, DegenerateScenesStayFinite)
{
    const std::vector<float> coordinates = {0.0f, 5.0f, 10.0f, 20.0f};
    const std::vector<float> extents = {0.0f, 0.0f, 10.0f, 20.0f, 40.0f};
    const std::vector<float> speeds = {0.0f, 0.0f, 600.0f, -600.0f, 1800.0f, -1200.0f};
    const std::vector<float> turns = {0.0f, 0.7853982f, 1.5707964f, 2.3561945f, 4.712389f};
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        std::mt19937 random(seed);
        PhysicsWorld world;
        std::vector<Entity> colliders;
        for (int i = 0; i < 40; ++i)
        {
            const ColliderType type = Pick(random, std::vector<ColliderType>{ColliderRectangle, ColliderCircle, ColliderLineSegment});
            const Vector2 position = {Pick(random, coordinates), Pick(random, coordinates)};
            const Vector2 size = {Pick(random, extents), Pick(random, extents)};
            const Vector2 velocity = {Pick(random, speeds), Pick(random, speeds)};
            const Entity entity = world.Collider("C", type, position, size, velocity);
            PhysicsCollision& collision = world.CollisionOf(entity);
            collision.isMovable = random() % 2 == 0;
            collision.isReflective = random() % 2 == 0;
            world.TransformOf(entity).rotation = Pick(random, turns);
            PhysicsMovement& movement = world.MovementOf(entity);
            movement.Speed = random() % 5 == 0 ? -50.0f : 5000.0f;
            if (random() % 4 == 0)
            {
                movement.mass = random() % 2 == 0 ? 0.0f : 1.0f;
                movement.AddForce(1, 0.5f, 0.0f, {0, 0}, 0.2f, "bRotate");
            }
            // Some were nudged by a behaviour onto another's centre.
            if (random() % 3 == 0)
                world.TransformOf(entity).previousPosition = {position.x - 5.0f, position.y - 5.0f};
            colliders.push_back(entity);
        }
        for (int frame = 0; frame < 60; ++frame)
        {
            world.coordinator.StepCount = 1 + frame % 2;
            world.collision->Update(world.coordinator);
            world.movement->Update(world.coordinator);
            for (Entity entity : colliders)
            {
                ASSERT_TRUE(Finite(world.TransformOf(entity).position)) << "seed " << seed << " frame " << frame;
                ASSERT_TRUE(Finite(world.MovementOf(entity).velocity)) << "seed " << seed << " frame " << frame;
                ASSERT_TRUE(std::isfinite(world.TransformOf(entity).rotation)) << "seed " << seed;
            }
        }
    }
}
