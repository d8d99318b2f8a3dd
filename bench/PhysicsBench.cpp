#include "engine/systems/CollisionQueries.h"
#include "bench/PhysicsScenes.h"

#include <benchmark/benchmark.h>

#include <random>

namespace
{
using Scene = PhysicsScene;

void CollisionStep1000With300Movers(benchmark::State& state)
{
    Scene scene;
    scene.BuildLevel();
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
    scene.BuildCrowd();
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
    scene.BuildLevel();
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
        BuildLevel();
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
