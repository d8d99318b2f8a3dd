#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <vector>

// Scatters 25 "pSmoke" puffs over a band beside its entity (the C generator reseeded with 0 at
// every Start, so the layout repeats) and drifts them sideways, each jumping back to the
// emitter's x past x = 2400. No JSON.
class bSmokeEmitter : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bSmokeEmitter";

    void Awake(Coordinator& coordinator) override;
    // Reseeds rand with 0 and places the 25 puffs.
    void Start(Coordinator& coordinator) override;
    // Moves every puff 0.5 to the right per frame, sending it back past x = 2400.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The puffs, in creation order.
    std::vector<Entity> Puffs;
};
