#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/ISerializable.h"
#include "game/squad/bCharacterBehaviour.h"

// The spitting zombie.
class bSpitterZombie : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bSpitterZombie";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    Entity Target = NO_ENTITY;
    Entity Threat = NO_ENTITY;
    Entity LastThreat = NO_ENTITY;
    Entity SpitProjectile = NO_ENTITY;
    float SpitterShotCD = 5.0f;
    float BurstRangeSquared = 4900.0f;
    float WaypointReach = 50.0f;
    float GoalReach = 10.0f;
};
