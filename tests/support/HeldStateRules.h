#pragma once
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"

// Level rules that stay in whatever state a test puts them: published as GameLogicInstance from
// Awake, reading no JSON and running no state machine, so tests of code that only reads the
// state (the squad's input, the HUD's buttons) control it exactly. Register it before the scene
// loads (see TestGame's beforeStart) to use it in fixture scenes.
class HeldStateRules : public bGameLogic
{
public:
    static constexpr const char* ClassName = "HeldStateRules";

    void Awake(Coordinator&) override { GameLogicInstance() = this; }
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void Deserialize(const rapidjson::Value&) override {}
};
