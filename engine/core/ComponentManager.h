#pragma once
#include "engine/core/Assert.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/TypeName.h"
#include "engine/core/cComponentContainer.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

// FNV-1a (64-bit) over the bytes of a type name.
struct TypeNameHash
{
    std::size_t operator()(const std::string& text) const noexcept
    {
        std::uint64_t hash = 0xcbf29ce484222325ull;
        for (unsigned char c : text)
        {
            hash ^= c;
            hash *= 0x100000001b3ull;
        }
        return static_cast<std::size_t>(hash);
    }
};

// Gives each component type its id (its bit in a Signature) and owns one container per type.
class ComponentManager
{
public:
    template <class T>
    void RegisterComponent()
    {
        const std::string& name = TypeName<T>();
        AssertFail(typeIds.count(name) != 0, "DOUBLE REGISTRATION");
        if (nextTypeId >= MAX_COMPONENTS)
            throw std::out_of_range("invalid bitset position");
        const ComponentType id = nextTypeId++;
        typeIds.emplace(name, id);
        auto container = std::make_unique<cComponentContainer<T>>();
        byType.emplace(&name, container.get());
        containers.emplace(name, std::move(container));
        order.push_back(name);
    }

    // Asserts "FINDING COMPONENT <name> WITHOUT REGISTERING" for an unknown name.
    ComponentType GetComponentType(const std::string& typeName) const;

    template <class T>
    ComponentType GetComponentType() const { return GetComponentType(TypeName<T>()); }

    // The container of a type name, or null.
    cComponentContainerBase* FindContainer(const std::string& typeName) const;

    // The typed container; asserts "ERROR" when the type has none.
    template <class T>
    cComponentContainer<T>& GetContainer() const
    {
        auto it = byType.find(&TypeName<T>());
        AssertFail(it == byType.end(), "ERROR");
        return *static_cast<cComponentContainer<T>*>(it->second);
    }

    // Containers in registration order with their type names.
    template <class Visit>
    void ForEachContainer(Visit&& visit) const
    {
        for (const std::string& name : order)
            visit(name, *containers.at(name));
    }

private:
    ComponentType nextTypeId = 0;
    std::unordered_map<std::string, ComponentType, TypeNameHash> typeIds;
    std::unordered_map<std::string, std::unique_ptr<cComponentContainerBase>, TypeNameHash> containers;
    // Typed lookups hash the name's address, never its text.
    std::unordered_map<const std::string*, cComponentContainerBase*> byType;
    std::vector<std::string> order;
};
