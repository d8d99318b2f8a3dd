#pragma once
// The physics benchmarks' scenes: a level-sized one of 700 resting colliders (walls, crates, posts,
// triggers) and 300 movers, and a crowd of movers in one broadphase cell. Positions and velocities
// can be put back, so each measured step starts from the same state.
#include "tests/support/PhysicsWorld.h"

#include <random>
#include <vector>

struct PhysicsScene
{
    PhysicsWorld world;
    std::mt19937 random;
    std::vector<Entity> all;
    std::vector<Vector2> positions;
    std::vector<Vector2> velocities;

    explicit PhysicsScene(unsigned seed = 42) : random(seed) {}

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    void AddResting(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            const int kind = i % 10;
            const Vector2 at = {Uniform(-600, 3200), Uniform(-650, 1400)};
            Entity e;
            if (kind < 6)
                e = world.Collider("Wall", ColliderRectangle, at, {Uniform(20, 120), Uniform(20, 120)}, {}, {"WALL"});
            else if (kind < 8)
            {
                e = world.Collider("Post", ColliderLineSegment, at, {Uniform(40, 160), 4}, {}, {"WALL"});
                world.TransformOf(e).rotation = Uniform(0.1f, 3.0f);
            }
            else
            {
                e = world.Collider("Zone", ColliderCircle, at, {60, 60}, {}, {"ZONE"});
                world.CollisionOf(e).isTrigger = kind == 9;
            }
            all.push_back(e);
        }
    }

    void AddMovers(int count, Vector2 low, Vector2 high, float radius)
    {
        for (int i = 0; i < count; ++i)
        {
            const Vector2 at = {Uniform(low.x, high.x), Uniform(low.y, high.y)};
            const Vector2 velocity = {Uniform(-300, 300), Uniform(-300, 300)};
            const bool round = i % 4 != 0;
            const Entity e = world.Collider(round ? "Zombie" : "Crate", round ? ColliderCircle : ColliderRectangle, at,
                                            {radius * 2, radius * 2}, velocity, {round ? "ZOMBIE" : "PLAYER"});
            world.CollisionOf(e).isMovable = i % 3 == 0;
            world.MovementOf(e).Speed = 400.0f;
            all.push_back(e);
        }
    }

    // The level: 700 resting colliders and 300 movers over the whole broadphase rectangle.
    void BuildLevel()
    {
        AddResting(700);
        AddMovers(300, {-600, -650}, {3200, 1400}, 12);
    }

    // 250 movers inside the broadphase cell of row 2, column 1 (x -145..340, y -165..102), far
    // enough from its edges that a few steps keep them there.
    void BuildCrowd() { AddMovers(250, {-100, -120}, {290, 50}, 12); }

    void Keep()
    {
        positions.clear();
        velocities.clear();
        for (Entity e : all)
        {
            positions.push_back(world.TransformOf(e).position);
            velocities.push_back(world.MovementOf(e).velocity);
        }
    }

    void Restore()
    {
        for (std::size_t i = 0; i < all.size(); ++i)
        {
            Transform& transform = world.TransformOf(all[i]);
            transform.position = positions[i];
            transform.previousPosition = positions[i];
            world.MovementOf(all[i]).velocity = velocities[i];
        }
    }
};
