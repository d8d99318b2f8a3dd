#include "engine/core/EntityManager.h"
#include "engine/core/Assert.h"

Entity EntityManager::CreateEntity()
{
    // The range is checked before counting, so a failed create leaves the count right.
    AssertFail(livingCount >= MAX_ENTITIES, "eID is out of range");
    const Entity candidate = livingCount;
    ++livingCount;
    if (!freeIds.empty())
    {
        const Entity reused = freeIds.front();
        freeIds.pop_front();
        return reused;
    }
    return candidate;
}

void EntityManager::Free(Entity entity)
{
    freeIds.push_back(entity);
    --livingCount;
}

void EntityManager::Reset()
{
    livingCount = 0;
    freeIds.clear();
}
