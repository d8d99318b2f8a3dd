#include "engine/core/sBehaviourSystem.h"

void sBehaviourSystem::RegisterFactory(const std::string& typeName, BehaviourFactory factory)
{
    AssertFail(BehaviourRegistry.count(typeName) != 0, "Double Registration of " + typeName);
    BehaviourRegistry.emplace(typeName, factory);
    registrationOrder.push_back(typeName);
}

std::shared_ptr<IBehaviour> sBehaviourSystem::AddBehaviour(const std::string& typeName, Entity entity, Coordinator& coordinator)
{
    auto factory = BehaviourRegistry.find(typeName);
    if (factory == BehaviourRegistry.end())
        Assert("ADDING BEHAVIOUR OF TYPE : " + typeName + " WHEN IT WAS NOT REGISTERED");
    if (behaviours.count(entity) != 0)
        Assert("BEHAVIOUR " + typeName + "CANNOT BE ATTACHED, EID : " + std::to_string(entity) +
               " ALREADY HAS A BEHAVIOUR");

    std::shared_ptr<IBehaviour> behaviour = factory->second();
    behaviour->SetEntity(entity);
    if (started)
    {
        behaviour->Awake(coordinator);
        behaviour->Start(coordinator);
        behaviour->state = BehaviourRunning;
    }
    behaviours.emplace(entity, behaviour);
    return behaviour;
}

void sBehaviourSystem::RemoveBehaviour(Entity entity)
{
    auto it = behaviours.find(entity);
    if (it == behaviours.end())
        return;
    // Take the share out before erasing, so a destructor that reaches back into this system
    // finds the map in a settled state.
    std::shared_ptr<IBehaviour> dropped = std::move(it->second);
    behaviours.erase(it);
}

bool sBehaviourSystem::GetBehaviour(Entity entity, std::shared_ptr<IBehaviour>& out) const
{
    auto it = behaviours.find(entity);
    if (it == behaviours.end())
        return false;
    out = it->second;
    return true;
}

void sBehaviourSystem::Update(Coordinator& coordinator)
{
    ForEachInOrder([&](IBehaviour& behaviour) {
        if (behaviour.state == BehaviourCreated)
        {
            behaviour.Awake(coordinator);
            behaviour.Start(coordinator);
            behaviour.state = BehaviourRunning;
        }
        if (behaviour.state == BehaviourRunning)
            behaviour.Update(coordinator);
    });
}

void sBehaviourSystem::OnSceneLoaded(Coordinator& coordinator)
{
    ForEachInOrder([&](IBehaviour& behaviour) {
        if (behaviour.state == BehaviourCreated)
        {
            behaviour.Awake(coordinator);
            behaviour.state = BehaviourAwoken;
        }
    });
    ForEachInOrder([&](IBehaviour& behaviour) {
        if (behaviour.state == BehaviourAwoken)
        {
            behaviour.Start(coordinator);
            behaviour.state = BehaviourRunning;
        }
    });
    started = true;
}

void sBehaviourSystem::UnloadScene(Coordinator& coordinator, bool sceneWasLoaded)
{
    if (sceneWasLoaded)
        ForEachInOrder([&](IBehaviour& behaviour) { behaviour.OnSceneUnload(coordinator); });
    entities.clear();
    // Destructors may reach back into this system; let them see an empty map.
    std::map<Entity, std::shared_ptr<IBehaviour>> dropped;
    dropped.swap(behaviours);
    dropped.clear();
    started = false;
}
