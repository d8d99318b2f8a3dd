#include "engine/core/Coordinator.h"

#include <benchmark/benchmark.h>

namespace
{
struct Position : ISerializable, IInspector
{
    static constexpr const char* ClassName = "Position";
    float x = 0, y = 0;
    void Deserialize(const rapidjson::Value&) override {}
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
    void Inspect() override {}
};

void ComponentLookup(benchmark::State& state)
{
    Coordinator coordinator;
    coordinator.ComponentManager.RegisterComponent<Position>();
    for (int i = 0; i < 1000; ++i)
        coordinator.AddComponent<Position>(coordinator.CreateEntity());
    Entity e = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(coordinator.GetComponent<Position>(e));
        e = static_cast<Entity>((e + 7) % 1000);
    }
}
BENCHMARK(ComponentLookup);

void CreateAndDestroy(benchmark::State& state)
{
    Coordinator coordinator;
    coordinator.ComponentManager.RegisterComponent<Position>();
    for (auto _ : state)
    {
        for (int i = 0; i < 100; ++i)
            coordinator.AddComponentByName("class Position", coordinator.CreateEntity());
        for (Entity i = 0; i < 100; ++i)
            coordinator.DestroyEntity(i);
        coordinator.ProcessDestroyedEntities();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(CreateAndDestroy);
}
