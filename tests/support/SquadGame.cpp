#include "support/SquadGame.h"
#include "support/TestCharacter.h"

#include "engine/core/sBehaviourSystem.h"

std::string GamePrefabFile()
{
    return std::string(DUSKVANE_BUILD_DIR) + "/Resources/Prefab.json";
}

std::unique_ptr<TestGame> SquadGame(const std::string& scene, bool spritesheets)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/squad/" + scene), GamePrefabFile(),
                                           [](Coordinator& coordinator) {
                                               coordinator.ResolveBehaviourSystem();
                                               coordinator.BehaviourSystem->RegisterBehaviour<TestCharacter>();
                                           });
    Coordinator& coordinator = *game->coordinator;
    if (spritesheets)
        coordinator.ResourceManager.LoadStage3(coordinator);
    else
        coordinator.ResourceManager.LoadStage2(coordinator);
    float* bounds = coordinator.CameraBounds;
    if (bounds[0] == 0.0f && bounds[1] == 0.0f && bounds[2] == 0.0f && bounds[3] == 0.0f)
    {
        bounds[0] = -630.0f;
        bounds[1] = -700.0f;
        bounds[2] = 3250.0f;
        bounds[3] = 1440.0f;
    }
    return game;
}
