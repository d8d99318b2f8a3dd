#pragma once
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"

// A tutorial that stays at whatever step a test puts it: published as TutorialLogicInstance from
// Start, reading no JSON and running no steps, so tests of the code that gates actions on the
// step control it exactly. Register it before the scene loads (see TestGame's beforeStart) to
// use it in fixture scenes.
class HeldStepTutorial : public bTutorialLogic
{
public:
    static constexpr const char* ClassName = "HeldStepTutorial";

    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override { TutorialLogicInstance() = this; }
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void Deserialize(const rapidjson::Value&) override {}
};
