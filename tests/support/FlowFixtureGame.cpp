#include "support/FlowFixtureGame.h"
#include "support/SquadGame.h"

std::unique_ptr<TestGame> FlowFixtureGame(const std::string& scene, bool third)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/tutorial/" + scene), GamePrefabFile());
    Coordinator& coordinator = *game->coordinator;
    if (third)
        coordinator.ResourceManager.LoadStage3(coordinator);
    else
        coordinator.ResourceManager.LoadStage2(coordinator);
    // Soldiers outside the level's limits are put back home; until the scene's camera sets the
    // limits, the world frame stands for them.
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
