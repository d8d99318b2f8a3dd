#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/squad/bChargerZombie.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bSpitterZombie.h"
#include "game/squad/bZombieBehaviour.h"

#include <gtest/gtest.h>

// Every kind of zombie reports its death to the level rules once, however it dies: two killing
// blows in one frame, shot dead mid-charge, or shot dead in the frame it bursts; and the soldier
// aiming at it lets go.
TEST(ZombieKillReport, EachZombieCountsOnceAndIsLetGo)
{
    std::unique_ptr<TestGame> game = SquadGame("ZombieKills.json");
    Coordinator& coordinator = *game->coordinator;
    if (GameLogicInstance() == nullptr)
        FAIL() << "the level rules did not publish themselves";
    bGameLogic& rules = *GameLogicInstance();
    const auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    const auto zombie = game->Behaviour<bZombieBehaviour>("Zombie_1");
    const auto charger = game->Behaviour<bChargerZombie>("Charger_1");
    const auto spitter = game->Behaviour<bSpitterZombie>("Spitter_1");
    ASSERT_TRUE(soldier && zombie && charger && spitter);
    const int before = rules.RemainingEnemies;

    // Each zombie's own Update notices its death, as in play; the level's state does not matter.
    soldier->Target = zombie->entity;
    zombie->TakeDamage(coordinator, 500.0f, soldier->entity);
    zombie->TakeDamage(coordinator, 500.0f, soldier->entity);
    zombie->Update(coordinator);
    zombie->OnDeath(coordinator);
    EXPECT_EQ(rules.RemainingEnemies, before - 1);
    EXPECT_NE(soldier->Target, zombie->entity);

    charger->Target = soldier->entity;
    charger->SetState(coordinator, bChargerZombie::StateCharging);
    charger->TakeDamage(coordinator, 5000.0f, soldier->entity);
    charger->Update(coordinator);
    charger->OnDeath(coordinator);
    EXPECT_EQ(rules.RemainingEnemies, before - 2);

    // The soldier stands 50 units from the spitter: its burst is due in the frame it is shot dead.
    spitter->BurstTimer = 2.0f;
    spitter->ShotCooldownTimer = 0.0f;
    spitter->TakeDamage(coordinator, 500.0f, soldier->entity);
    spitter->Update(coordinator);
    EXPECT_FALSE(spitter->active);
    EXPECT_EQ(rules.RemainingEnemies, before - 3);
    EXPECT_TRUE(WorldIsSane(coordinator));
}
