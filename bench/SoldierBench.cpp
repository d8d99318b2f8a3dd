#include "engine/platform/sSoundSystem.h"
#include "engine/systems/CollisionQueries.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"
#include "tests/support/PhysicsWorld.h"
#include "tests/support/TestCharacter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace
{
// A level's worth of soldiers at work: four soldiers, each with twenty zombies around it within
// its sight (some near, some far, some behind walls or out of its view), among 150 walls and
// windows. The zombies do not die and the soldiers do not run dry, so every frame is alike:
// each soldier scans its circle, judges every zombie's line of sight, keeps its target and fires.
struct Squad
{
    PhysicsWorld world;
    std::mt19937 random{7};
    std::vector<std::shared_ptr<bPlayerBehaviour>> soldiers;
    int targets = 0;
    std::size_t inSight = 0;

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    Squad()
    {
        Coordinator& coordinator = world.coordinator;
        coordinator.SystemManager.RegisterSystem<sSoundSystem>();
        coordinator.CameraBounds[0] = -630.0f;
        coordinator.CameraBounds[1] = -700.0f;
        coordinator.CameraBounds[2] = 3250.0f;
        coordinator.CameraBounds[3] = 1440.0f;
        world.Attach<bUniqueGrid>(world.Thing("PathfindingGrid", {0, 0}, {"GRID"}));

        for (int i = 0; i < 150; ++i)
        {
            const bool glass = i % 10 == 0;
            const bool upright = i % 2 == 0;
            world.Collider(glass ? "Glass_Window" : "Wall", ColliderRectangle,
                           {Uniform(-600, 3200), Uniform(-650, 1400)},
                           {upright ? 20.0f : Uniform(60, 240), upright ? Uniform(60, 240) : 20.0f}, {},
                           {glass ? "GLASS" : "WALL"});
        }
        const Vector2 posts[] = {{300, 200}, {2300, 200}, {300, 1000}, {2300, 1000}};
        for (int s = 0; s < 4; ++s)
        {
            for (int z = 0; z < 20; ++z)
            {
                const float angle = Uniform(0.0f, 6.2831f);
                const float distance = Uniform(80.0f, 560.0f);
                const Entity zombie =
                    world.Collider("Zombie", ColliderCircle,
                                   {posts[s].x + distance * std::cos(angle), posts[s].y + distance * std::sin(angle)},
                                   {40, 40}, {}, {"ENEMY"});
                world.MovementOf(zombie).Speed = 0.0f;
                auto character = world.Attach<TestCharacter>(zombie);
                character->MaxHealth = character->CurrentHealth = 1.0e9f;
            }
            const Entity entity =
                world.Collider("Player_" + std::to_string(s + 1), ColliderCircle, posts[s], {40, 40}, {}, {"PLAYER"});
            world.MovementOf(entity).Speed = 150.0f;
            auto soldier = std::make_shared<bPlayerBehaviour>();
            soldier->SetEntity(entity);
            soldier->WeaponStats = WeaponFiguresOf(WeaponType::M4A1);
            soldier->WeaponStats.InfiniteAmmo = true;
            soldier->TriggerRange = 600.0f;
            soldier->TargetTag = "ENEMY";
            soldier->MaxHealth = soldier->CurrentHealth = 100.0f;
            soldier->Start(coordinator);
            soldiers.push_back(soldier);
        }
        world.collision->RebuildGrid(coordinator, world.Grid());
        for (int frame = 0; frame < 30; ++frame)
            Frame();
        for (const auto& soldier : soldiers)
        {
            targets += soldier->Target != NO_ENTITY;
            inSight += OverlapCircle(coordinator, world.Grid(), world.TransformOf(soldier->entity).position,
                                     soldier->TriggerRange, {"ENEMY"})
                           .size();
        }
    }

    void Frame()
    {
        for (const auto& soldier : soldiers)
            soldier->Update(world.coordinator);
    }
};

// The soldiers' share of one frame: the four Updates, with sight, targets and shots.
void FourSoldiersAmongEightyZombies(benchmark::State& state)
{
    Squad squad;
    for (auto _ : state)
        squad.Frame();
    state.counters["targets"] = squad.targets;
    state.counters["zombiesInSight"] = static_cast<double>(squad.inSight);
}
BENCHMARK(FourSoldiersAmongEightyZombies)->Unit(benchmark::kMicrosecond);
}
