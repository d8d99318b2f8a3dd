#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// Squad control: selection, move orders, throw mode, music per scene.
class bGameController : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bGameController";

    ~bGameController() override;

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Set when this frame's mouse input became a selection, an order or a throw; picking then
    // leaves the mouse alone.
    bool MouseConsumed = false;
};
