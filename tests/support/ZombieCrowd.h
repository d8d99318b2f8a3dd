#pragma once
#include "engine/platform/sSoundSystem.h"
#include "game/squad/SpitterSharedState.h"
#include "game/squad/GridPaths.h"
#include "game/squad/bChargerZombie.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bSpitterZombie.h"
#include "game/squad/bUniqueGrid.h"
#include "game/squad/bZombieBehaviour.h"
#include "tests/support/PhysicsWorld.h"

#include <cmath>
#include <memory>
#include <random>
#include <vector>

// The zombies' worst frame: 60 zombies (35 plain, 12 charging, 13 spitting) all within range of
// four soldiers, on a 120 by 80 path grid with 150 walls. Each soldier stands shut in a room of
// four walls, so no zombie sees one; every charger tracks a soldier it cannot reach, and every
// spitter has been shot and stands shut in a room of its own, with no hiding spot it can reach.
// So each frame every plain zombie judges its sight of the soldiers around it, every charger asks
// for its failing path, and every spitter for its failing hiding place. Header-only, for the
// benchmark and the allocation test.
struct ZombieCrowd
{
    PhysicsWorld world;
    std::mt19937 random{11};
    std::vector<std::shared_ptr<bPlayerBehaviour>> soldiers;
    std::vector<std::shared_ptr<bZombieBehaviour>> plain;
    std::vector<std::shared_ptr<bChargerZombie>> chargers;
    std::vector<std::shared_ptr<bSpitterZombie>> spitters;
    int walls = 0;

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    Entity Wall(Vector2 centre, Vector2 size)
    {
        ++walls;
        return world.Collider("Wall", ColliderRectangle, centre, size, {}, {"WALL"});
    }
    // Four walls 40 thick (wider than a path cell, so no path slips between two of them) around
    // a square room of the given inner size.
    void Room(Vector2 centre, float inner)
    {
        const float half = inner * 0.5f + 20.0f;
        const float length = inner + 80.0f;
        Wall({centre.x, centre.y + half}, {length, 40.0f});
        Wall({centre.x, centre.y - half}, {length, 40.0f});
        Wall({centre.x + half, centre.y}, {40.0f, length});
        Wall({centre.x - half, centre.y}, {40.0f, length});
    }
    Entity Zombie(const std::string& name, Vector2 at)
    {
        const Entity entity = world.Collider(name, ColliderCircle, at, {40, 40}, {}, {"ENEMY"});
        world.MovementOf(entity).Speed = 150.0f;
        return entity;
    }

    ZombieCrowd()
    {
        Coordinator& coordinator = world.coordinator;
        coordinator.SystemManager.RegisterSystem<sSoundSystem>();
        coordinator.CameraBounds[0] = -630.0f;
        coordinator.CameraBounds[1] = -700.0f;
        coordinator.CameraBounds[2] = 3250.0f;
        coordinator.CameraBounds[3] = 1440.0f;
        ResetSpitterSharedState();

        const Vector2 posts[] = {{400, 0}, {1500, 0}, {400, 700}, {1500, 700}};
        for (const Vector2& post : posts)
            Room(post, 120.0f);
        std::vector<Vector2> spitterRooms;
        for (int i = 0; i < 13; ++i)
        {
            const Vector2 post = posts[i % 4];
            const float angle = 0.5f + static_cast<float>(i) * 1.7f;
            const Vector2 at = {post.x + 380.0f * std::cos(angle), post.y + 380.0f * std::sin(angle)};
            Room(at, 120.0f);
            spitterRooms.push_back(at);
        }
        while (walls < 150)
        {
            const bool upright = walls % 2 == 0;
            const Vector2 at = {Uniform(-500, 3100), Uniform(-600, 1350)};
            bool clear = true;
            for (const Vector2& post : posts)
                clear = clear && std::hypot(at.x - post.x, at.y - post.y) > 520.0f;
            if (clear)
                Wall(at, {upright ? 20.0f : Uniform(60, 240), upright ? Uniform(60, 240) : 20.0f});
        }

        const Entity gridEntity = world.Thing("PathfindingGrid", {0, 0}, {"GRID"});
        auto grid = world.Attach<bUniqueGrid>(gridEntity);
        grid->GridOrigin_X = -630.0f;
        grid->GridOrigin_Y = -700.0f;
        grid->TileSize = 32.0f;
        grid->Columns = 120;
        grid->Rows = 80; // the grid takes Columns x TileSize + GridOrigin_X units, and likewise high
        grid->RegisterTag = "WALL";
        world.collision->RebuildGrid(coordinator, world.Grid());
        grid->Awake(coordinator);

        for (int s = 0; s < 4; ++s)
        {
            const Entity entity =
                world.Collider("Player_" + std::to_string(s + 1), ColliderCircle, posts[s], {40, 40}, {}, {"PLAYER"});
            world.MovementOf(entity).Speed = 150.0f;
            auto soldier = world.Attach<bPlayerBehaviour>(entity);
            soldier->WeaponStats = WeaponFiguresOf(WeaponType::M4A1);
            soldier->TriggerRange = 600.0f;
            soldier->TargetTag = "NOBODY";
            soldier->MaxHealth = soldier->CurrentHealth = 1.0e9f;
            soldier->Start(coordinator);
            soldiers.push_back(soldier);
            LivingPlayers().insert(entity);
        }

        for (int i = 0; i < 35; ++i)
        {
            const Vector2 post = posts[i % 4];
            const float angle = Uniform(0.0f, 6.2831f);
            const float distance = Uniform(150.0f, 500.0f);
            const Entity entity =
                Zombie("Zombie", {post.x + distance * std::cos(angle), post.y + distance * std::sin(angle)});
            auto zombie = world.Attach<bZombieBehaviour>(entity);
            zombie->MaxHealth = zombie->CurrentHealth = 1.0e9f;
            zombie->TriggerRange = 600.0f;
            zombie->DamageRate = 2;
            zombie->AttackRange = 60.0f;
            zombie->AttackRangeSquared = 3600.0f;
            zombie->Start(coordinator);
            plain.push_back(zombie);
        }
        for (int i = 0; i < 12; ++i)
        {
            const Vector2 post = posts[i % 4];
            const float angle = 0.2f + static_cast<float>(i) * 2.3f;
            const Entity entity = Zombie("Charger", {post.x + 250.0f * std::cos(angle), post.y + 250.0f * std::sin(angle)});
            auto charger = world.Attach<bChargerZombie>(entity);
            charger->MaxHealth = charger->CurrentHealth = 1.0e9f;
            charger->TriggerRange = 700.0f;
            charger->AttackRange = 450.0f;
            charger->AttackRangeSquared = 450.0f * 450.0f;
            charger->HomePosition = world.TransformOf(entity).position;
            charger->PathGrid = FindPathGrid(coordinator);
            charger->WalkSpeed = 150.0f;
            charger->ChargeCooldownTimer = charger->ChargerChargeCD;
            charger->TrackedPlayer = soldiers[static_cast<std::size_t>(i % 4)]->entity;
            chargers.push_back(charger);
        }
        for (std::size_t i = 0; i < spitterRooms.size(); ++i)
        {
            const Entity entity = Zombie("Spitter", spitterRooms[i]);
            auto spitter = world.Attach<bSpitterZombie>(entity);
            spitter->MaxHealth = spitter->CurrentHealth = 1.0e9f;
            spitter->TriggerRange = 800.0f;
            spitter->AttackRange = 600.0f;
            spitter->AttackRangeSquared = 600.0f * 600.0f;
            spitter->HomePosition = spitterRooms[i];
            spitter->PathGrid = FindPathGrid(coordinator);
            spitter->ShotCooldownTimer = 0.0f;
            spitter->Threat = soldiers[i % 4]->entity;
            spitter->HasSpat = true;
            spitters.push_back(spitter);
        }
        // The corners the first spitter of a scene gathers.
        for (Entity wall : world.names->FindEntitiesWithTag(coordinator, "WALL"))
        {
            const Vector2 c = world.TransformOf(wall).position;
            const Vector2 size = world.ShapeOf(wall).size;
            const float hw = size.x * 0.5f;
            const float hh = size.y * 0.5f;
            WallCorners().push_back({wall, c.x + hw, c.y + hh});
            WallCorners().push_back({wall, c.x - hw, c.y - hh});
            WallCorners().push_back({wall, c.x - hw, c.y + hh});
            WallCorners().push_back({wall, c.x + hw, c.y - hh});
        }
        world.collision->RebuildGrid(coordinator, world.Grid());
    }

    ~ZombieCrowd() { ResetSpitterSharedState(); }

    // The zombies' share of one frame: every zombie's Update.
    void Frame()
    {
        Coordinator& coordinator = world.coordinator;
        for (const auto& zombie : plain)
            zombie->Update(coordinator);
        for (const auto& charger : chargers)
            charger->Update(coordinator);
        for (const auto& spitter : spitters)
            spitter->Update(coordinator);
    }
};
