#include "support/SoundProbe.h"
#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bChargerZombie.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
// A charger at (1200, 500) that notices soldiers within 700 units and charges within 450, every
// 5 s, for 10 and more from afar; a soldier at (800, 500), another far off at (2400, 900); a wall
// at (1600, 160) that the path grid knows.
struct ChargerZombie : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Chargers.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bChargerZombie> charger = game->Behaviour<bChargerZombie>("Charger_1");
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    std::shared_ptr<bPlayerBehaviour> other = game->Behaviour<bPlayerBehaviour>("Player_2");

    void SetUp() override { ASSERT_TRUE(charger && soldier && other); }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    Transform& At(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
    PhysicsMovement& Movement(Entity entity) { return *coordinator.GetComponent<PhysicsMovement>(entity); }
    std::string Clip() { return coordinator.GetComponent<Animation>(charger->entity)->StateNameText(); }
    bool BlockShown()
    {
        std::shared_ptr<IBehaviour> block;
        return coordinator.GetBehaviour(charger->BlockEntity, block) && block->active;
    }
    // Runs frames until the condition holds; the frames it took, or -1 after the limit.
    int RunUntil(const std::function<bool()>& done, int limit = 900) { return game->RunFramesUntil(done, limit); }
};
}

TEST_F(ChargerZombie, StalksChargesHitsRecoversBlocksAndStalksAgain)
{
    SoundProbe scream(game->Sound(), "ChargerScream_false_SFX_");
    SoundProbe alert(game->Sound(), "ChargerAlert_false_SFX_");
    ASSERT_GT(RunUntil([&] { return charger->ChargerState == bChargerZombie::StateStalking; }), 0);
    EXPECT_EQ(charger->Target, soldier->entity);
    EXPECT_EQ(charger->TrackedPlayer, soldier->entity);
    EXPECT_TRUE(alert.Played());
    game->RunFrames(1);
    EXPECT_EQ(Clip(), "Aim");

    // At least one second of stalking before the charge.
    const int stalked = RunUntil([&] { return charger->ChargerState == bChargerZombie::StateCharging; });
    EXPECT_GE(stalked, 59);
    EXPECT_LE(stalked, 62);
    EXPECT_TRUE(scream.Played());
    EXPECT_EQ(Movement(charger->entity).Speed, 1200.0f);
    EXPECT_NEAR(charger->ChargeDistance, 400.0f, 1.0f);

    const float before = soldier->CurrentHealth;
    ASSERT_GT(RunUntil([&] { return charger->ChargerState != bChargerZombie::StateCharging; }, 60), 0);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateRecovering);
    EXPECT_NEAR(before - soldier->CurrentHealth, 10.0f + charger->ChargeDistance * 0.05f, 0.01f);
    EXPECT_EQ(charger->ChargedPlayer, soldier->entity);
    EXPECT_EQ(charger->ChargeCooldownTimer, 0.0f);

    // A second of recovery, then blocking while backing off slowly until the charge is ready.
    const int recovered = RunUntil([&] { return charger->ChargerState == bChargerZombie::StateBlocking; });
    EXPECT_GE(recovered, 59);
    EXPECT_LE(recovered, 62);
    game->RunFrames(2);
    EXPECT_EQ(Clip(), "Block");
    EXPECT_TRUE(BlockShown());
    EXPECT_EQ(Movement(charger->entity).Speed, 30.0f);
    const float away = At(charger->entity).position.x - At(soldier->entity).position.x;
    game->RunFrames(30);
    EXPECT_GT(std::abs(At(charger->entity).position.x - At(soldier->entity).position.x), std::abs(away));

    ASSERT_GT(RunUntil([&] { return charger->ChargerState == bChargerZombie::StateStalking; }), 0);
    EXPECT_FALSE(BlockShown());
    EXPECT_EQ(Movement(charger->entity).Speed, charger->WalkSpeed);
}

TEST_F(ChargerZombie, AChargeHitsEachSoldierOnceHarderFromAfar)
{
    game->RunFrames(1);
    const struct
    {
        float distance;
        float damage;
    } cases[] = {{300.0f, 25.0f}, {90.0f, 10.0f}, {100.0f, 10.0f}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.distance);
        PlaceEntityAt(coordinator, charger->entity, {800.0f + c.distance, 500.0f});
        charger->SetState(coordinator, bChargerZombie::StateIdle);
        charger->Target = soldier->entity;
        charger->SetState(coordinator, bChargerZombie::StateCharging);
        ASSERT_EQ(charger->ChargerState, bChargerZombie::StateCharging);
        const float before = soldier->CurrentHealth;
        charger->ChargeHit(coordinator, soldier->entity);
        charger->ChargeHit(coordinator, soldier->entity);
        EXPECT_FLOAT_EQ(before - soldier->CurrentHealth, c.damage);
        // Another soldier met on the way is hit too, and the charge goes on.
        const float otherBefore = other->CurrentHealth;
        charger->OnCollision(coordinator, other->entity);
        charger->OnCollision(coordinator, other->entity);
        EXPECT_FLOAT_EQ(otherBefore - other->CurrentHealth, c.damage);
        EXPECT_EQ(charger->ChargerState, bChargerZombie::StateCharging);
    }
    // Without a target there is no charge.
    charger->SetState(coordinator, bChargerZombie::StateIdle);
    charger->Target = NO_ENTITY;
    charger->SetState(coordinator, bChargerZombie::StateCharging);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateIdle);
}

TEST_F(ChargerZombie, AWallStopsTheChargeOnlyPastTheTargetsLine)
{
    game->RunFrames(1);
    const Entity wall = game->Find("Wall_1");
    charger->Target = soldier->entity;
    charger->SetState(coordinator, bChargerZombie::StateCharging);
    const Vector2 velocity = Movement(charger->entity).velocity;
    EXPECT_NEAR(velocity.x, -1200.0f, 0.01f);
    charger->OnCollision(coordinator, wall);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateCharging);

    // The charge keeps its course frame after frame until it crosses the soldier's line.
    game->RunFrames(1);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateCharging);
    EXPECT_LT(Movement(charger->entity).velocity.x, 0.0f);
    EXPECT_FALSE(charger->PassedTarget);
    PlaceEntityAt(coordinator, charger->entity, {700.0f, 500.0f});
    charger->Update(coordinator);
    EXPECT_TRUE(charger->PassedTarget);
    charger->OnCollision(coordinator, wall);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateRecovering);
    EXPECT_EQ(Movement(charger->entity).velocity.x, 0.0f);
}

TEST_F(ChargerZombie, BlocksShotsFromItsFrontAndTurnsOnAShooterBesideIt)
{
    game->RunFrames(1);
    const float turns[] = {0.0f, 0.7853982f, 1.0f, 2.5f, 4.0f, 5.5f};
    for (float turn : turns)
    {
        SCOPED_TRACE(turn);
        charger->SetState(coordinator, bChargerZombie::StateBlocking);
        At(charger->entity).rotation = turn;
        const Vector2 self = At(charger->entity).position;
        // Straight ahead, where rounding may carry the cosine past 1.
        PlaceEntityAt(coordinator, soldier->entity, {self.x + 80.0f * std::cos(turn), self.y + 80.0f * std::sin(turn)});
        const float before = charger->CurrentHealth;
        charger->TakeDamage(coordinator, 10.0f, soldier->entity);
        EXPECT_NEAR(before - charger->CurrentHealth, 0.1f, 1e-4f);
        EXPECT_EQ(coordinator.GetComponent<Renderer>(charger->entity)->tint[1], 255.0f);
        EXPECT_EQ(charger->ChargerState, bChargerZombie::StateBlocking);
    }

    // From behind, within 100 units: full damage, the plain flash, and melee.
    At(charger->entity).rotation = 0.0f;
    const Vector2 self = At(charger->entity).position;
    PlaceEntityAt(coordinator, soldier->entity, {self.x - 80.0f, self.y});
    const float before = charger->CurrentHealth;
    charger->TakeDamage(coordinator, 10.0f, soldier->entity);
    EXPECT_FLOAT_EQ(before - charger->CurrentHealth, 10.0f);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(charger->entity)->tint[1], 100.0f);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateMelee);
    EXPECT_EQ(charger->Target, soldier->entity);
}

TEST_F(ChargerZombie, StrikesANearSoldierOnceASecond)
{
    SoundProbe blow(game->Sound(), "ChargerAlert_false_SFX_");
    PlaceEntityAt(coordinator, soldier->entity, {1120.0f, 500.0f});
    ASSERT_GT(RunUntil([&] { return charger->ChargerState == bChargerZombie::StateMelee; }, 10), 0);
    blow.Played();
    game->RunFrames(1);
    EXPECT_EQ(Clip(), "Melee");
    std::vector<int> blows;
    float health = soldier->CurrentHealth;
    for (int frame = 0; frame < 200; ++frame)
    {
        PlaceEntityAt(coordinator, soldier->entity, {1120.0f, 500.0f}); // knocked back, it comes again
        game->RunFrames(1);
        if (soldier->CurrentHealth < health)
        {
            EXPECT_FLOAT_EQ(health - soldier->CurrentHealth, 10.0f);
            EXPECT_TRUE(blow.Played());
            blows.push_back(frame);
            health = soldier->CurrentHealth;
        }
    }
    ASSERT_GE(blows.size(), 3u);
    for (std::size_t i = 1; i < blows.size(); ++i)
        EXPECT_NEAR(blows[i] - blows[i - 1], 60, 2);
}

TEST_F(ChargerZombie, FollowsASoldierOutOfSightAlongAPath)
{
    ASSERT_GT(RunUntil([&] { return charger->Target == soldier->entity; }), 0);
    // Behind the wall, out of sight: the charger searches along a path to it.
    PlaceEntityAt(coordinator, soldier->entity, {1600.0f, 20.0f});
    PlaceEntityAt(coordinator, charger->entity, {1600.0f, 400.0f});
    ASSERT_GT(RunUntil([&] { return charger->ChargerState == bChargerZombie::StateSearching; }, 5), 0);
    game->RunFrames(1);
    ASSERT_FALSE(charger->Path.empty());
    EXPECT_EQ(Clip(), "Idle");
    EXPECT_GT(std::hypot(Movement(charger->entity).velocity.x, Movement(charger->entity).velocity.y), 0.0f);

    // A charger pushed out of the level comes home.
    PlaceEntityAt(coordinator, charger->entity, {5000.0f, 400.0f});
    game->RunFrames(1);
    EXPECT_NEAR(At(charger->entity).position.x, 1200.0f, 5.0f);
    EXPECT_NEAR(At(charger->entity).position.y, 500.0f, 5.0f);
}

TEST_F(ChargerZombie, DeadMidChargeItStaysDeadAndShowsItsDeathClip)
{
    SoundProbe death(game->Sound(), "ChargerDeath_false_SFX_");
    ASSERT_GT(RunUntil([&] { return charger->ChargerState == bChargerZombie::StateCharging; }), 0);
    const Entity block = charger->BlockEntity;
    charger->TakeDamage(coordinator, 1000.0f, soldier->entity);
    charger->TakeDamage(coordinator, 1000.0f, soldier->entity);
    game->RunFrames(1);
    EXPECT_TRUE(death.Played());
    EXPECT_FALSE(charger->active);
    EXPECT_EQ(charger->ChargerState, bChargerZombie::StateDead);
    EXPECT_EQ(Movement(charger->entity).velocity.x, 0.0f);
    EXPECT_FALSE(coordinator.IsAlive(block));
    for (int frame = 0; frame < 60; ++frame)
    {
        charger->OnCollision(coordinator, soldier->entity);
        charger->TakeDamage(coordinator, 5.0f, soldier->entity);
        game->RunFrames(1);
        EXPECT_EQ(charger->ChargerState, bChargerZombie::StateDead);
        EXPECT_EQ(Clip(), "Death");
    }
    EXPECT_FALSE(death.Played());
    ASSERT_GT(RunUntil([&] { return game->Find("Charger_1") == NO_ENTITY; }, 300), 0);
}
