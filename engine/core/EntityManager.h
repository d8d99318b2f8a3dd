#pragma once
#include "engine/core/EngineTypes.h"

#include <cstdint>
#include <deque>

// Hands out entity ids: freed ids come back oldest-freed first; new ids grow from 0 only when
// nothing is free.
class EntityManager
{
public:
    // Asserts "eID is out of range" when 1000 entities already live.
    Entity CreateEntity();
    void Free(Entity entity);
    // Forgets every id at once (scene swap): the next id is 0.
    void Reset();

    std::uint16_t LivingCount() const { return livingCount; }
    const std::deque<Entity>& FreeIds() const { return freeIds; }

private:
    std::uint16_t livingCount = 0;
    std::deque<Entity> freeIds;
};
