#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/EntitySet.h"

class Coordinator;

// A per-frame worker. Each system holds the ordered set of its entities and visits them in
// ascending id order. Membership is explicit: an entity joins only when asked to.
class sSystemBase
{
public:
    virtual ~sSystemBase() = default;

    // Once for every system at start-up, after the first scene has been loaded.
    virtual void Init(Coordinator&) {}
    virtual void Update(Coordinator& coordinator) = 0;
    // At shut-down, just before the system is deleted.
    virtual void Exit() {}
    virtual void OnSceneLoaded(Coordinator&) {}
    // At every scene swap.
    virtual void ClearEntities() { entities.clear(); }

    EntitySet entities;
};
