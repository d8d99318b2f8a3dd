#include "support/LevelRulesGame.h"
#include "support/SquadGame.h"
#include "support/TestCharacter.h"

#include "engine/core/sBehaviourSystem.h"
#include "game/flow/bGameLogic.h"

std::unique_ptr<TestGame> LevelRulesGame(const std::string& scene, bool levelResources)
{
    auto game = std::make_unique<TestGame>(TestGame::Fixture("scenes/levelrules/" + scene), GamePrefabFile(),
                                           [](Coordinator& coordinator) {
                                               coordinator.ResolveBehaviourSystem();
                                               coordinator.BehaviourSystem->RegisterBehaviour<TestCharacter>();
                                           });
    if (levelResources)
        game->coordinator->ResourceManager.LoadStage3(*game->coordinator);
    return game;
}

bGameLogic& RulesOf(TestGame& game)
{
    return *game.Behaviour<bGameLogic>("Rules");
}
