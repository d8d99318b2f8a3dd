#pragma once
#include "engine/core/EngineTypes.h"

#include <cstdint>
#include <unordered_map>

class ISerializable;
class IInspector;

// Type-erased face of one component store. Code that knows only a type's name (scene loading,
// destruction, the scene swap) works through it; the two maps tell whether an entity has one.
class cComponentContainerBase
{
public:
    virtual ~cComponentContainerBase() = default;

    // Removes the entity's component, if it has one; the last component fills the hole.
    virtual void EntityDestroyed(Entity entity) = 0;
    // Gives the target a copy of the source's component, if the source has one.
    virtual void CloneComponent(Entity source, Entity target) = 0;
    // Adds a default component, or returns the one the entity already has.
    virtual ISerializable* AddComponent(Entity entity) = 0;
    // The entity's component, or null.
    virtual ISerializable* GetComponent(Entity entity) = 0;
    // The entity's inspector side, or null.
    virtual IInspector* GetInspector(Entity entity) = 0;
    // Forgets every component (slots keep their stale values until reused).
    virtual void Clear() = 0;

    bool Has(Entity entity) const { return entityToIndex.count(entity) != 0; }

    std::unordered_map<std::uint16_t, Entity> indexToEntity;
    std::unordered_map<Entity, std::uint16_t> entityToIndex;
};
