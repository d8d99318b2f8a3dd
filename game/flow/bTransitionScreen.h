#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// Scene transitions behind two sliding doors.
class bTransitionScreen : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bTransitionScreen";

    ~bTransitionScreen() override;

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    int DoorMode = 2; // 0 opening, 1 closing, 2 idle
    bool OpenAnim = true;
    bool CloseAnim = true;
    // True in every frame in which the doors move or are held closed; the input system
    // allows camera controls only while it is false.
    bool DoorsMoving = false;
};
