#pragma once
#include "engine/core/Assert.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "engine/core/cComponentContainerBase.h"

#include <memory>

// Dense store of one component type: live components sit in slots 0..count-1 without gaps.
// A pointer into the slots stays valid only until the next removal or clear.
template <class T>
class cComponentContainer : public cComponentContainerBase
{
public:
    cComponentContainer() : slots(std::make_unique<T[]>(MAX_ENTITIES)) {}

    // The entity's component, or null when it has none (nothing is inserted).
    T* Find(Entity entity)
    {
        auto it = entityToIndex.find(entity);
        return it == entityToIndex.end() ? nullptr : &slots[it->second];
    }

    // Appends a copy for the entity. An entity that already has one keeps it (and gets it
    // overwritten), so a duplicated key in data never leaves an orphan slot.
    T* InsertData(Entity entity, const T& value)
    {
        if (T* existing = Find(entity))
        {
            *existing = value;
            return existing;
        }
        AssertFail(count >= MAX_ENTITIES, "COMPONENT CONTAINER FULL");
        slots[count] = value;
        entityToIndex.emplace(entity, count);
        indexToEntity.emplace(count, entity);
        ++count;
        return &slots[count - 1];
    }

    void EntityDestroyed(Entity entity) override
    {
        auto it = entityToIndex.find(entity);
        if (it == entityToIndex.end())
            return;
        const std::uint16_t removed = it->second;
        const std::uint16_t last = static_cast<std::uint16_t>(count - 1);
        const Entity moved = indexToEntity[last];
        if (removed != last)
            slots[removed] = std::move(slots[last]);
        slots[last] = T{};
        // This order leaves both maps right when the removed slot is the last one.
        entityToIndex[moved] = removed;
        entityToIndex.erase(entity);
        indexToEntity[removed] = moved;
        indexToEntity.erase(last);
        --count;
    }

    void CloneComponent(Entity source, Entity target) override
    {
        if (T* original = Find(source))
        {
            const T copy = *original;
            InsertData(target, copy);
        }
    }

    ISerializable* AddComponent(Entity entity) override
    {
        if (T* existing = Find(entity))
            return existing;
        const T defaults{};
        InsertData(entity, defaults);
        return Find(entity);
    }

    ISerializable* GetComponent(Entity entity) override { return Find(entity); }
    IInspector* GetInspector(Entity entity) override { return Find(entity); }

    void Clear() override
    {
        entityToIndex.clear();
        indexToEntity.clear();
        count = 0;
    }

    std::uint16_t Count() const { return count; }
    // Slot access for tests and dense walks; only slots below Count() are live.
    T& Slot(std::uint16_t index) { return slots[index]; }

private:
    std::uint16_t count = 0;
    std::unique_ptr<T[]> slots;
};
