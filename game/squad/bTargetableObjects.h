#pragma once
#include "engine/core/ISerializable.h"
#include "game/squad/bCharacterBehaviour.h"

// Destructible targets.
class bTargetableObjects : public bCharacterBehaviour, public ISerializable
{
public:
    static constexpr const char* ClassName = "bTargetableObjects";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;
};
