#include "support/SquadControlGame.h"
#include "support/HeldStateRules.h"
#include "support/HeldStepTutorial.h"
#include "support/SquadGame.h"
#include "support/TestCharacter.h"

#include "engine/core/sBehaviourSystem.h"

std::unique_ptr<TestGame> SquadControlGame(const std::string& scene)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/squad/" + scene), GamePrefabFile(),
                                           [](Coordinator& coordinator) {
                                               coordinator.ResolveBehaviourSystem();
                                               coordinator.BehaviourSystem->RegisterBehaviour<TestCharacter>();
                                               coordinator.BehaviourSystem->RegisterBehaviour<HeldStateRules>();
                                               coordinator.BehaviourSystem->RegisterBehaviour<HeldStepTutorial>();
                                           });
    Coordinator& coordinator = *game->coordinator;
    coordinator.ResourceManager.LoadStage3(coordinator);
    // Without a camera that sets them, the level's limits are the world frame: soldiers are
    // never outside the level and sent home.
    float* bounds = coordinator.CameraBounds;
    if (bounds[0] == 0.0f && bounds[1] == 0.0f && bounds[2] == 0.0f && bounds[3] == 0.0f)
    {
        bounds[0] = -630.0f;
        bounds[1] = -700.0f;
        bounds[2] = 3250.0f;
        bounds[3] = 1440.0f;
    }
    game->RunFrames(1);
    return game;
}
