#pragma once
#include "engine/components/ComponentRegistration.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/systems/sIdentifierSystem.h"

#include <string>

// A Coordinator with the eight components, the identifier system (signature: Identifier) and
// the behaviour system, as the entry registers them; other systems are added by each test.
struct CoreWorld
{
    Coordinator coordinator;
    sIdentifierSystem* names = nullptr;
    sBehaviourSystem* behaviours = nullptr;

    CoreWorld()
    {
        RegisterComponents(coordinator);
        names = coordinator.SystemManager.RegisterSystem<sIdentifierSystem>();
        coordinator.SystemManager.SetSignature<sIdentifierSystem>(
            coordinator.ComponentManager.GetComponentType<Identifier>());
        behaviours = coordinator.SystemManager.RegisterSystem<sBehaviourSystem>();
    }

    // A new entity with an Identifier of that name, joined to the identifier system.
    Entity Named(const std::string& name)
    {
        const Entity entity = coordinator.CreateEntity();
        coordinator.AddComponent<Identifier>(entity)->name = name;
        coordinator.AddEntityToSystem<sIdentifierSystem>(entity);
        return entity;
    }
};
