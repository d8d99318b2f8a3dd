#include "support/HudGame.h"
#include "support/LevelRulesStandIn.h"
#include "support/SquadGame.h"

#include "engine/components/Identifier.h"
#include "engine/core/sBehaviourSystem.h"

namespace
{
void RegisterStandIn(Coordinator& coordinator)
{
    coordinator.ResolveBehaviourSystem();
    coordinator.BehaviourSystem->RegisterBehaviour<LevelRulesStandIn>();
}

// As a level is entered: its art loaded (by the transition, in the game), then the scene swap at
// the end of a frame, then its first frame.
void EnterLevel(TestGame& game, const std::string& scene)
{
    Coordinator& coordinator = *game.coordinator;
    coordinator.ResourceManager.LoadStage2(coordinator);
    coordinator.ResourceManager.LoadStage3(coordinator);
    coordinator.PendingScene = TestGame::Fixture("scenes/hud/" + scene);
    game.RunFrames(2);
}
}

std::unique_ptr<TestGame> HudGame(const std::string& scene)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/EmptyScene.json"), GamePrefabFile(), RegisterStandIn);
    EnterLevel(*game, scene);
    return game;
}

std::unique_ptr<TestGame> HudGameInWindow(const std::string& scene, int windowWidth)
{
    std::string settings = TestGame::SettingsFor(TestGame::Fixture("scenes/EmptyScene.json"), GamePrefabFile());
    const std::string width = "\"wWidth\": 1920";
    settings.replace(settings.find(width), width.size(), "\"wWidth\": " + std::to_string(windowWidth));
    auto game = TestGame::WithSettings(settings, RegisterStandIn);
    EnterLevel(*game, scene);
    return game;
}

std::string BaseName(const std::string& name)
{
    return name.substr(0, name.find_last_not_of("0123456789") + 1);
}

std::vector<std::string> BaseNames(TestGame& game, const std::vector<Entity>& entities)
{
    std::vector<std::string> names;
    for (Entity entity : entities)
    {
        const Identifier* identifier = game.coordinator->GetComponent<Identifier>(entity);
        names.push_back(identifier != nullptr ? BaseName(identifier->name) : "?");
    }
    return names;
}
