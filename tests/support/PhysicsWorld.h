#pragma once
#include "engine/components/ComponentRegistration.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "engine/systems/sUIButtonSystem.h"

#include <memory>
#include <string>
#include <vector>

// A Coordinator with the eight components, the identifier, behaviour, collision, picking and
// movement systems with the entry's signatures, and the entry's broadphase grid (8 by 8 bands
// over 3880 by 2140 from (-630, -700)). Header-only, so the benchmarks use it too.
struct PhysicsWorld
{
    Coordinator coordinator;
    sIdentifierSystem* names = nullptr;
    sBehaviourSystem* behaviours = nullptr;
    sPhysicsCollision* collision = nullptr;
    sUIButtonSystem* picking = nullptr;
    sPhysicsMovement* movement = nullptr;

    PhysicsWorld()
    {
        RegisterComponents(coordinator);
        SystemManager& systems = coordinator.SystemManager;
        ComponentManager& components = coordinator.ComponentManager;
        names = systems.RegisterSystem<sIdentifierSystem>();
        behaviours = systems.RegisterSystem<sBehaviourSystem>();
        collision = systems.RegisterSystem<sPhysicsCollision>();
        picking = systems.RegisterSystem<sUIButtonSystem>();
        movement = systems.RegisterSystem<sPhysicsMovement>();
        systems.SetSignature<sIdentifierSystem>(components.GetComponentType<Identifier>());
        for (ComponentType type : {components.GetComponentType<PhysicsCollision>(), components.GetComponentType<Identifier>(),
                                   components.GetComponentType<PhysicsMovement>(), components.GetComponentType<Transform>()})
            systems.SetSignature<sPhysicsCollision>(type);
        for (ComponentType type : {components.GetComponentType<Transform>(), components.GetComponentType<Identifier>(),
                                   components.GetComponentType<PhysicsCollision>()})
            systems.SetSignature<sUIButtonSystem>(type);
        for (ComponentType type : {components.GetComponentType<PhysicsMovement>(), components.GetComponentType<Transform>(),
                                   components.GetComponentType<Identifier>()})
            systems.SetSignature<sPhysicsMovement>(type);
        coordinator.BroadphaseGrid = std::make_unique<GridSpec>(3880, 2140, -630.0f, -700.0f, 8, 8);
        coordinator.ResolveBehaviourSystem();
        coordinator.StepCount = 1;
    }

    // An entity with a Transform at position, a name and tags, joined to the identifier system.
    Entity Thing(const std::string& name, Vector2 position, const std::vector<std::string>& tags = {})
    {
        const Entity entity = coordinator.CreateEntity();
        Identifier* identifier = coordinator.AddComponent<Identifier>(entity);
        identifier->name = name;
        identifier->tags = tags;
        Transform* transform = coordinator.AddComponent<Transform>(entity);
        transform->position = position;
        transform->previousPosition = position;
        transform->scale = {1.0f, 1.0f};
        coordinator.AddEntityToSystem<sIdentifierSystem>(entity);
        return entity;
    }

    // A collider of that kind (width and height; a circle's radius is half the width) with a
    // velocity and no speed limit worth the name, joined to collision and movement.
    Entity Collider(const std::string& name, ColliderType kind, Vector2 position, Vector2 size, Vector2 velocity = {},
                    const std::vector<std::string>& tags = {})
    {
        const Entity entity = Thing(name, position, tags);
        PhysicsCollision* collider = coordinator.AddComponent<PhysicsCollision>(entity);
        collider->colliderType = kind;
        collider->shapeData.size = size;
        collider->shapeData.radius = size.x * 0.5f;
        PhysicsMovement* motion = coordinator.AddComponent<PhysicsMovement>(entity);
        motion->velocity = velocity;
        motion->Speed = 1.0e6f;
        coordinator.AddEntityToSystem<sPhysicsCollision>(entity);
        coordinator.AddEntityToSystem<sPhysicsMovement>(entity);
        return entity;
    }

    Transform& TransformOf(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
    PhysicsCollision& CollisionOf(Entity entity) { return *coordinator.GetComponent<PhysicsCollision>(entity); }
    PhysicsMovement& MovementOf(Entity entity) { return *coordinator.GetComponent<PhysicsMovement>(entity); }
    CollisionShape& ShapeOf(Entity entity) { return *CollisionOf(entity).shape; }
    GridSpec& Grid() { return *coordinator.BroadphaseGrid; }

    // Attaches a behaviour of class T to the entity, awake and running, and returns it.
    template <class T>
    std::shared_ptr<T> Attach(Entity entity)
    {
        if (behaviours->Registry().count(TypeName<T>()) == 0)
            behaviours->RegisterBehaviour<T>();
        return std::dynamic_pointer_cast<T>(behaviours->AddBehaviour(TypeName<T>(), entity, coordinator));
    }
};
