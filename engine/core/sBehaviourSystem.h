#pragma once
#include "engine/core/Assert.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/TypeName.h"
#include "engine/core/sSystemBase.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Owns every behaviour (one per entity), creates them by class name through the registry and
// drives their life cycle: all Awake before any Start at a scene load, then Update every frame
// in ascending entity order for running behaviours.
class sBehaviourSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sBehaviourSystem";

    // Registers T under "class " + its name; a second registration asserts
    // "Double Registration of <name>".
    template <class T>
    void RegisterBehaviour()
    {
        RegisterFactory(TypeName<T>(), &CreateBehaviour<T>);
    }
    void RegisterFactory(const std::string& typeName, BehaviourFactory factory);

    // Creates the behaviour named by typeName ("class " prefix included) for the entity. In a
    // running scene it is awoken and started at once, before the caller reads its JSON.
    // Returns a share of the new behaviour (for the loader to deserialize it).
    std::shared_ptr<IBehaviour> AddBehaviour(const std::string& typeName, Entity entity, Coordinator& coordinator);
    // Drops the system's share of the entity's behaviour; no hook is called.
    void RemoveBehaviour(Entity entity);
    // False (out untouched) when the entity has no behaviour.
    bool GetBehaviour(Entity entity, std::shared_ptr<IBehaviour>& out) const;

    void Update(Coordinator& coordinator) override;
    // Awake on every created behaviour, then Start on every awoken one, in entity order.
    void OnSceneLoaded(Coordinator& coordinator) override;

    // The behaviour part of a scene swap: OnSceneUnload in entity order when a scene was loaded,
    // then every behaviour is dropped, the entity set emptied and the system marked not started.
    void UnloadScene(Coordinator& coordinator, bool sceneWasLoaded);

    bool Started() const { return started; }
    const std::map<Entity, std::shared_ptr<IBehaviour>>& Behaviours() const { return behaviours; }
    const std::map<std::string, BehaviourFactory>& Registry() const { return BehaviourRegistry; }
    // Registered type names in registration order.
    const std::vector<std::string>& RegistrationOrder() const { return registrationOrder; }

private:
    // Calls visit on each behaviour in ascending entity order. Behaviours added meanwhile with a
    // higher id are visited too; each is held by a share while it is visited.
    template <class Visit>
    void ForEachInOrder(Visit&& visit)
    {
        auto it = behaviours.begin();
        while (it != behaviours.end())
        {
            const Entity id = it->first;
            std::shared_ptr<IBehaviour> held = it->second;
            visit(*held);
            it = behaviours.upper_bound(id);
        }
    }

    std::map<std::string, BehaviourFactory> BehaviourRegistry;
    std::vector<std::string> registrationOrder;
    std::map<Entity, std::shared_ptr<IBehaviour>> behaviours;
    bool started = false;
};
