#pragma once
#include "engine/core/EngineTypes.h"

#include <deque>
#include <map>
#include <string>

class Coordinator;

// One queued pause or resume of an entity in one system.
struct PauseCommand
{
    bool resume = false;
    Entity entity = 0;
    std::string systemName;
};

// Pause and resume requests, applied only at safe points (after the systems of a frame, after a
// scene load). Freezing takes an entity out of physics, animation and picking; deactivating takes
// it out of every system but the identifier system. Each kind remembers what it removed, so the
// matching resume restores exactly that.
class PauseQueue
{
public:
    void Freeze(Entity entity, Coordinator& coordinator);
    void Deactivate(Entity entity, Coordinator& coordinator);
    void Unfreeze(Entity entity);
    void Reactivate(Entity entity);

    // Applies every queued command in order. A resume rejoins the system (when the signature
    // still fits) and sets the behaviour running; a pause leaves the system and pauses the
    // behaviour, giving it Awake and Start first if it never had them.
    void Apply(Coordinator& coordinator);

    // Forgets every stash entry and queued command (scene swap).
    void Clear();
    // Forgets the entity's stash entries and queued commands, so a recycled id starts clean.
    void Forget(Entity entity);

    const std::multimap<Entity, std::string>& Frozen() const { return frozen; }
    const std::multimap<Entity, std::string>& Deactivated() const { return deactivated; }
    const std::deque<PauseCommand>& Commands() const { return commands; }

private:
    void QueueResumes(Entity entity, std::multimap<Entity, std::string>& stash);

    std::multimap<Entity, std::string> frozen;
    std::multimap<Entity, std::string> deactivated;
    std::deque<PauseCommand> commands;
};
