#pragma once
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"

// Level rules that only publish what the HUD reads of them, as a level's rules hold it after
// their Awake: the objective and level number from its JSON ("Escape": true for the Escape
// objective, "Level": a level number), and the soldiers counted from the scene's "PLAYER" tags.
// The state machine never runs, so a fixture level stays as built. Register it before the scene
// loads (TestGame's beforeStart) to use it in fixture scenes.
class LevelRulesStandIn : public bGameLogic
{
public:
    static constexpr const char* ClassName = "LevelRulesStandIn";

    void Awake(Coordinator& coordinator) override
    {
        GameLogicInstance() = this;
        auto* names = coordinator.GetSystem<sIdentifierSystem>();
        for (Entity soldier : names->FindEntitiesWithTag(coordinator, "PLAYER"))
        {
            PlayerCensus.emplace(coordinator.GetComponent<Identifier>(soldier)->name, soldier);
            ++PlayersAlive;
        }
    }
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}

    void Deserialize(const rapidjson::Value& object) override
    {
        GameObjective = Json::Bool(object, "Escape") ? ObjectiveType::Escape : ObjectiveType::KillAllZombies;
        Level = static_cast<LevelId>(Json::Int(object, "Level", static_cast<int>(LevelId::None)));
    }
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
};
