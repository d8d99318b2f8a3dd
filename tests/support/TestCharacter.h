#pragma once
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/ISerializable.h"
#include "engine/core/Json.h"
#include "engine/systems/sPhysicsCollision.h"
#include "game/squad/bCharacterBehaviour.h"

#include <vector>

// A character with nothing of its own, standing in for zombies and targets in tests of the code
// that shoots, marks and hurts characters: health and range from its JSON ("MaxHealth",
// "CurrentHealth", "TriggerRange", all optional), the base's damage rules, a journal of the hits
// it took, and a death (called from its Update, as every character's) that only stops it, leaves
// the collision system and removes its danger icon. Register it before the scene loads (see
// TestGame's beforeStart) to use it in fixture scenes.
class TestCharacter : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "TestCharacter";

    struct Hit
    {
        float amount;
        Entity attacker;
    };

    void Awake(Coordinator&) override {}
    void Start(Coordinator& coordinator) override
    {
        if (const Transform* transform = coordinator.GetComponent<Transform>(entity))
            HomePosition = transform->position;
    }
    void Update(Coordinator& coordinator) override
    {
        if (active && CurrentHealth <= 0.0f)
            OnDeath(coordinator);
    }
    void OnSceneUnload(Coordinator&) override {}

    void TakeDamage(Coordinator& coordinator, float amount, Entity attacker) override
    {
        hits.push_back({amount, attacker});
        bCharacterBehaviour::TakeDamage(coordinator, amount, attacker);
    }
    void OnDeath(Coordinator& coordinator) override
    {
        ++deaths;
        active = false;
        coordinator.RemoveEntityFromSystem<sPhysicsCollision>(entity);
        RemoveDangerIcon(coordinator);
    }

    void Deserialize(const rapidjson::Value& object) override
    {
        MaxHealth = Json::Float(object, "MaxHealth", MaxHealth);
        CurrentHealth = Json::Float(object, "CurrentHealth", CurrentHealth);
        TriggerRange = Json::Float(object, "TriggerRange", TriggerRange);
    }
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}

    std::vector<Hit> hits;
    int deaths = 0;
};
