#include "engine/systems/CollisionQueries.h"
#include "tests/support/PhysicsWorld.h"

#include <benchmark/benchmark.h>

#include <random>

namespace
{
// A level-sized scene: 700 resting colliders (walls, crates, posts, triggers) and a number of
// movers, all inside the broadphase rectangle. Positions and velocities can be put back, so each
// measured step starts from the same state.
struct Scene
{
    PhysicsWorld world;
    std::mt19937 random{42};
    std::vector<Entity> all;
    std::vector<Vector2> positions;
    std::vector<Vector2> velocities;

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

    void Keep()
    {
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

void CollisionStep1000With300Movers(benchmark::State& state)
{
    Scene scene;
    scene.AddResting(700);
    scene.AddMovers(300, {-600, -650}, {3200, 1400}, 12);
    scene.Keep();
    Coordinator& coordinator = scene.world.coordinator;
    coordinator.StepCount = 1;
    scene.world.collision->Update(coordinator); // warm
    for (auto _ : state)
    {
        state.PauseTiming();
        scene.Restore();
        state.ResumeTiming();
        scene.world.collision->Update(coordinator);
    }
}
BENCHMARK(CollisionStep1000With300Movers)->Unit(benchmark::kMicrosecond);

void CrowdOf250MoversInOneCell(benchmark::State& state)
{
    Scene scene;
    // Inside the broadphase cell of row 2, column 1: x -145..340, y -165..102.
    scene.AddMovers(250, {-120, -140}, {310, 80}, 12);
    scene.Keep();
    Coordinator& coordinator = scene.world.coordinator;
    coordinator.StepCount = 1;
    scene.world.collision->Update(coordinator);
    for (auto _ : state)
    {
        state.PauseTiming();
        scene.Restore();
        state.ResumeTiming();
        scene.world.collision->Update(coordinator);
    }
}
BENCHMARK(CrowdOf250MoversInOneCell)->Unit(benchmark::kMicrosecond);

void MovementStep1000(benchmark::State& state)
{
    Scene scene;
    scene.AddResting(700);
    scene.AddMovers(300, {-600, -650}, {3200, 1400}, 12);
    for (std::size_t i = 0; i < scene.all.size(); i += 3)
        scene.world.MovementOf(scene.all[i]).AddForce(1, 1.0e9f, 0.0f, {0, 0}, 0.5f, "bRotate");
    Coordinator& coordinator = scene.world.coordinator;
    coordinator.StepCount = 1;
    for (auto _ : state)
        scene.world.movement->Update(coordinator);
}
BENCHMARK(MovementStep1000)->Unit(benchmark::kMicrosecond);

// The queries run on the grid as the last collision step left it.
struct QueryScene : Scene
{
    QueryScene()
    {
        AddResting(700);
        AddMovers(300, {-600, -650}, {3200, 1400}, 12);
        world.collision->RebuildGrid(world.coordinator, world.Grid());
    }
};

void OverlapCircleRadius300(benchmark::State& state)
{
    QueryScene scene;
    const std::vector<std::string> tags = state.range(0) == 0 ? std::vector<std::string>{} : std::vector<std::string>{"ZOMBIE"};
    std::vector<Vector2> centres;
    for (int i = 0; i < 64; ++i)
        centres.push_back({scene.Uniform(-600, 3200), scene.Uniform(-650, 1400)});
    std::size_t next = 0;
    std::size_t found = 0;
    for (auto _ : state)
    {
        found += OverlapCircle(scene.world.coordinator, scene.world.Grid(), centres[next], 300.0f, tags).size();
        next = (next + 1) % centres.size();
    }
    state.counters["found"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(OverlapCircleRadius300)->Arg(0)->Arg(1)->ArgName("tagged")->Unit(benchmark::kMicrosecond);

void RaycastAcrossTheMap(benchmark::State& state)
{
    QueryScene scene;
    const bool contacts = state.range(0) != 0;
    std::vector<Vector2> points;
    std::vector<Vector2> normals;
    const std::set<Entity> ignore = {scene.all[0], scene.all[1]};
    std::size_t found = 0;
    for (auto _ : state)
    {
        points.clear();
        normals.clear();
        found += Raycast(scene.world.coordinator, scene.world.Grid(), {-600, -650}, {3200, 1400}, &ignore, contacts,
                         &points, &normals)
                     .size();
    }
    state.counters["found"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(RaycastAcrossTheMap)->Arg(0)->Arg(1)->ArgName("contacts")->Unit(benchmark::kMicrosecond);
}
