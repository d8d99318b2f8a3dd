#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// An entity that exists to play one animation once: when its clip has shown its last frame the
// entity is destroyed (once), and an ambient light (first tag "AMBIENTLIGHT") has the light lists
// rebuilt.
class bOneShot : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bOneShot";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    // Queues the entity for destruction once the Animation's finished flag is set.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The entity has been queued for destruction; nothing happens afterwards.
    bool DestroyQueued = false;
};
