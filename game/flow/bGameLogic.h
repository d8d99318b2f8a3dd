#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

// The level's rules: game states, objectives, win and lose.
class bGameLogic : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bGameLogic";

    ~bGameLogic() override;

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    int CurrentState = 0;   // GameState: 1 is Playing
    int LastSeenState = 7;  // none
    int PreviousState = 7;  // none
    int Level = 4;          // LevelId: none
    float IntroDelay = 3.5f;
    float PanDuration = 3.0f;
};
