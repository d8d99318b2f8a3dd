#include "engine/core/PauseQueue.h"
#include "engine/core/Coordinator.h"
#include "game/definitions/GameDefinitions.h"

#include <algorithm>

void PauseQueue::Freeze(Entity entity, Coordinator& coordinator)
{
    for (const std::string& name : coordinator.GetSystemsOfEntity(entity))
    {
        if (FreezeSystemSet().count(name) == 0)
            continue;
        commands.push_back({false, entity, name});
        frozen.emplace(entity, name);
    }
}

void PauseQueue::Deactivate(Entity entity, Coordinator& coordinator)
{
    for (const std::string& name : coordinator.GetSystemsOfEntity(entity))
    {
        if (KeepActiveSystemSet().count(name) != 0)
            continue;
        commands.push_back({false, entity, name});
        deactivated.emplace(entity, name);
    }
}

void PauseQueue::Unfreeze(Entity entity)
{
    QueueResumes(entity, frozen);
}

void PauseQueue::Reactivate(Entity entity)
{
    QueueResumes(entity, deactivated);
}

void PauseQueue::QueueResumes(Entity entity, std::multimap<Entity, std::string>& stash)
{
    auto [first, last] = stash.equal_range(entity);
    for (auto it = first; it != last; ++it)
        commands.push_back({true, entity, it->second});
    stash.erase(first, last);
}

void PauseQueue::Apply(Coordinator& coordinator)
{
    while (!commands.empty())
    {
        const PauseCommand command = commands.front();
        commands.pop_front();
        std::shared_ptr<IBehaviour> behaviour;
        if (command.resume)
        {
            coordinator.AddEntityToSystemByName(command.entity, command.systemName);
            if (coordinator.GetBehaviour(command.entity, behaviour))
                behaviour->state = BehaviourRunning;
            continue;
        }
        coordinator.SystemManager.RemoveEntityFromSystem(command.entity, command.systemName);
        if (!coordinator.GetBehaviour(command.entity, behaviour))
            continue;
        if (behaviour->state == BehaviourCreated)
        {
            behaviour->Awake(coordinator);
            behaviour->state = BehaviourAwoken;
        }
        if (behaviour->state == BehaviourAwoken)
            behaviour->Start(coordinator);
        behaviour->state = BehaviourPaused;
    }
}

void PauseQueue::Clear()
{
    frozen.clear();
    deactivated.clear();
    commands.clear();
}

void PauseQueue::Forget(Entity entity)
{
    frozen.erase(entity);
    deactivated.erase(entity);
    std::erase_if(commands, [entity](const PauseCommand& command) { return command.entity == entity; });
}
