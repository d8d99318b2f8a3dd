#include "engine/core/Coordinator.h"
#include "engine/core/IInspector.h"
#include "engine/core/sBehaviourSystem.h"

#include <cstdio>

Entity Coordinator::CreateEntity()
{
    const Entity entity = EntityManager.CreateEntity();
    alive.set(entity);
    return entity;
}

void Coordinator::DestroyEntity(Entity entity)
{
    if (!IsAlive(entity) || queued.test(entity))
        return;
    queued.set(entity);
    PendingDestroy.push_back(entity);
}

void Coordinator::ProcessDestroyedEntities()
{
    if (PendingDestroy.empty())
        return;
    // Destroying one entity may queue another (a behaviour's destructor); take the queue
    // into a local list and repeat until nothing is left.
    while (!PendingDestroy.empty())
    {
        std::vector<Entity> batch;
        batch.swap(PendingDestroy);
        for (Entity entity : batch)
            DestroyNow(entity);
    }
}

void Coordinator::DestroyNow(Entity entity)
{
    // The behaviour goes first; its destructor may queue more entities, which the caller's
    // loop picks up.
    if (sBehaviourSystem* behaviours = FindBehaviourSystem())
        behaviours->RemoveBehaviour(entity);
    SystemManager.ForEachSystem([&](const std::string&, sSystemBase& system) { system.entities.erase(entity); });
    ComponentManager.ForEachContainer(
        [&](const std::string&, cComponentContainerBase& container) { container.EntityDestroyed(entity); });
    PauseQueue.Forget(entity);
    EntityManager.Free(entity);
    Signatures[entity].reset();
    alive.reset(entity);
    queued.reset(entity);
    if (BroadphaseGrid)
        BroadphaseGrid->Remove(entity);
    if (!GetInspectables(entity).empty())
        std::printf("extremely bad\n");
}

ISerializable* Coordinator::AddComponentByName(const std::string& typeName, Entity entity)
{
    const ComponentType type = ComponentManager.GetComponentType(typeName);
    Signatures.at(entity).set(type);
    cComponentContainerBase* container = ComponentManager.FindContainer(typeName);
    AssertFail(container == nullptr, "NO SUCH COMPONENT FOUND IN ENGINE");
    return container->AddComponent(entity);
}

void Coordinator::AddEntityToSystemByName(Entity entity, const std::string& typeName)
{
    const Signature required = SystemManager.GetSignatureByName(typeName);
    if ((Signatures.at(entity) & required) == required)
        SystemManager.AddEntityToSystemByName(entity, typeName);
    else
        Log("Failed registration for " + typeName + " by " + std::to_string(entity));
}

std::vector<std::string> Coordinator::GetSystemsOfEntity(Entity entity) const
{
    std::vector<std::string> names;
    SystemManager.ForEachSystem([&](const std::string& name, const sSystemBase& system) {
        if (system.entities.count(entity) != 0)
            names.push_back(name);
    });
    return names;
}

std::vector<IInspector*> Coordinator::GetInspectables(Entity entity)
{
    std::vector<IInspector*> inspectors;
    ComponentManager.ForEachContainer([&](const std::string&, cComponentContainerBase& container) {
        if (container.Has(entity))
            inspectors.push_back(container.GetInspector(entity));
    });
    std::shared_ptr<IBehaviour> behaviour;
    if (sBehaviourSystem* behaviours = FindBehaviourSystem(); behaviours && behaviours->GetBehaviour(entity, behaviour))
        if (auto* inspector = dynamic_cast<IInspector*>(behaviour.get()))
            inspectors.push_back(inspector);
    return inspectors;
}

sBehaviourSystem* Coordinator::FindBehaviourSystem()
{
    if (BehaviourSystem == nullptr)
        BehaviourSystem = dynamic_cast<sBehaviourSystem*>(SystemManager.FindSystemByName(TypeName<sBehaviourSystem>()));
    return BehaviourSystem;
}

void Coordinator::ResolveBehaviourSystem()
{
    AssertFail(FindBehaviourSystem() == nullptr, "BEHAVIOUR SYSTEM NOT REGISTERED");
}

bool Coordinator::GetBehaviour(Entity entity, std::shared_ptr<IBehaviour>& out)
{
    if (BehaviourSystem == nullptr)
        ResolveBehaviourSystem();
    return BehaviourSystem->GetBehaviour(entity, out);
}

int Coordinator::GetKeyState(int keyCode) const
{
    auto it = KeyStates.find(keyCode);
    if (it == KeyStates.end())
        return 0;
    const int bits = it->second;
    if (bits & 2)
        return 1;
    if (bits & 4)
        return 2;
    if (bits & 8)
        return 3;
    if (bits & 16)
        return 4;
    return 0;
}
