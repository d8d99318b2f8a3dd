#pragma once
#include "engine/core/Assert.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/TypeName.h"
#include "engine/core/sSystemBase.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Coordinator;

// Owns every system, keyed by the address of its type name; updates them in registration order.
// Typed operations assert on a missing system; by-name operations (fed by data) log and go on.
class SystemManager
{
public:
    SystemManager() = default;
    SystemManager(const SystemManager&) = delete;
    SystemManager& operator=(const SystemManager&) = delete;
    // Frees the systems that remain without running their Exit: shut-down is ShutDownSystems,
    // called by the program explicitly, never work in a destructor.
    ~SystemManager() = default;

    // Logs "DELETED", runs Exit and deletes each system, in registration order. Each system is
    // deleted as soon as its Exit returned, so a second call finds nothing to do.
    void ShutDownSystems();

    template <class T>
    T* RegisterSystem()
    {
        const std::string* key = &TypeName<T>();
        AssertFail(systems.count(key) != 0, "DOUBLE REGISTRATION");
        auto system = std::make_unique<T>();
        T* raw = system.get();
        systems.emplace(key, std::move(system));
        updateOrder.push_back(key);
        return raw;
    }

    template <class T>
    void SetSignature(ComponentType componentType)
    {
        const std::string* key = &TypeName<T>();
        if (systems.count(key) == 0)
        {
            std::string message;
            ComposeMessage(message, {"NO SYSTEM ", *key, " EXISTS"});
            Assert(message);
        }
        systemSignatures[key].set(componentType);
    }

    template <class T>
    T* GetSystem() const
    {
        return dynamic_cast<T*>(&FindOrAssert(&TypeName<T>()));
    }

    // Asserts "COMPONENT DOES NOT MEET <name>REQUIREMENTS\n" when the entity lacks a component.
    template <class T>
    bool AddEntityToSystem(Entity entity, const Signature& entitySignature)
    {
        const std::string* key = &TypeName<T>();
        sSystemBase& system = FindOrAssert(key);
        const Signature required = SignatureOf(key);
        if ((entitySignature & required) != required)
            Assert("COMPONENT DOES NOT MEET " + *key + "REQUIREMENTS\n");
        return system.entities.insert(entity).second;
    }

    template <class T>
    void RemoveEntityFromSystem(Entity entity)
    {
        RemoveEntityFromSystem(entity, TypeName<T>());
    }

    void RemoveEntityFromSystem(Entity entity, const std::string& typeName);
    void AddEntityToSystemByName(Entity entity, const std::string& typeName);
    Signature GetSignatureByName(const std::string& typeName);
    // The system of that exact name ("class " prefix included), or null.
    sSystemBase* FindSystemByName(const std::string& typeName) const;

    void UpdateSystems(Coordinator& coordinator, bool timing);

    // Systems in registration order with their names; Init, scene loads and swaps walk this.
    template <class Visit>
    void ForEachSystem(Visit&& visit) const
    {
        for (const std::string* key : updateOrder)
            visit(*key, *systems.at(key));
    }

private:
    sSystemBase& FindOrAssert(const std::string* key) const;
    Signature SignatureOf(const std::string* key) const;

    std::unordered_map<const std::string*, Signature> systemSignatures;
    std::unordered_map<const std::string*, std::unique_ptr<sSystemBase>> systems;
    std::vector<const std::string*> updateOrder;
};
