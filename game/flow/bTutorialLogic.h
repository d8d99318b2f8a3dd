#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// Step-by-step tutorial of the first two levels.
class bTutorialLogic : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bTutorialLogic";

    ~bTutorialLogic() override;

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    Entity SkipButton = NO_ENTITY;
};
