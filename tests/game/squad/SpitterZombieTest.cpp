#include "support/SoundProbe.h"
#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Transform.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SpitterSharedState.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bSpitterZombie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
// A spitter at (1200, 500) that notices soldiers within 800 units and spits within 700 every
// 5 s; a soldier at (600, 500), another far off at (2400, 900); a wall 64 by 192 at (1400, 500)
// behind the spitter, on a path grid of 32-unit cells.
struct SpitterZombie : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Spitters.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bSpitterZombie> spitter = game->Behaviour<bSpitterZombie>("Spitter_1");
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    std::shared_ptr<bPlayerBehaviour> other = game->Behaviour<bPlayerBehaviour>("Player_2");

    void SetUp() override { ASSERT_TRUE(spitter && soldier && other); }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    Transform& At(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
    std::string Clip() { return coordinator.GetComponent<Animation>(spitter->entity)->StateNameText(); }
    int RunUntil(const std::function<bool()>& done, int limit = 900) { return game->RunFramesUntil(done, limit); }
    // The entities whose names start with the prefab's name, in id order.
    std::vector<Entity> Named(const std::string& name)
    {
        std::vector<Entity> found;
        for (std::size_t id = 0; id < MAX_ENTITIES; ++id)
        {
            const Entity entity = static_cast<Entity>(id);
            const auto* identifier = coordinator.IsAlive(entity) ? coordinator.GetComponent<Identifier>(entity) : nullptr;
            if (identifier != nullptr && identifier->name.rfind(name, 0) == 0)
                found.push_back(entity);
        }
        return found;
    }
    bool ActiveBehaviour(Entity entity)
    {
        std::shared_ptr<IBehaviour> behaviour;
        return coordinator.GetBehaviour(entity, behaviour) && behaviour->active;
    }
};
}

TEST_F(SpitterZombie, WindsUpSpitsAndLeavesAPuddleWhereTheSoldierStood)
{
    SoundProbe scream(game->Sound(), "SpitterScream_false_SFX_");
    ASSERT_GT(RunUntil([&] { return spitter->SpitterState == bSpitterZombie::StateWindingUp; }, 5), 0);
    game->RunFrames(1);
    EXPECT_EQ(Clip(), "Shooting");
    const int windUp = RunUntil([&] { return spitter->HasSpat; });
    EXPECT_NEAR(windUp, 126, 3);
    EXPECT_TRUE(scream.Played());
    EXPECT_EQ(spitter->ShotCooldownTimer, 0.0f);
    EXPECT_TRUE(ActiveBehaviour(spitter->SpitProjectile));
    EXPECT_LT(coordinator.GetComponent<PhysicsMovement>(spitter->SpitProjectile)->velocity.x, 0.0f);

    const std::vector<Entity> puddles = Named("Spit_Puddle");
    ASSERT_EQ(puddles.size(), 1u);
    const Entity puddle = puddles[0];
    EXPECT_EQ(At(puddle).position.x, 600.0f);
    EXPECT_FALSE(ActiveBehaviour(puddle));
    // The soldier walks off; the puddle appears where it stood once the spit has flown 600 units
    // at 600 a second.
    PlaceEntityAt(coordinator, soldier->entity, {600.0f, 300.0f});
    const int flight = RunUntil([&] { return ActiveBehaviour(puddle); }, 120);
    EXPECT_NEAR(flight, 60, 3);
    EXPECT_EQ(At(puddle).position.y, 500.0f);

    // The next spit switches on only its own puddle.
    const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(spitter->SpitProjectile);
    ASSERT_GT(RunUntil([&] { return scream.Played(); }), 0);
    ASSERT_EQ(image->QueueTargets.size(), 1u);
    const Entity next = *image->QueueTargets.begin();
    EXPECT_EQ(At(next).position.y, 300.0f);
    EXPECT_FALSE(ActiveBehaviour(next));
    EXPECT_EQ(spitter->RetreatMode, bSpitterZombie::RetreatNone); // nobody shot it: it never hides
}

TEST_F(SpitterZombie, ASoldierCloseForTwoSecondsMakesItBurst)
{
    SoundProbe splat(game->Sound(), "ZombieSplat_false_SFX_");
    // Out of the burst range after a second and a half: the timer starts again.
    PlaceEntityAt(coordinator, soldier->entity, {1140.0f, 500.0f});
    game->RunFrames(90);
    EXPECT_TRUE(spitter->BurstArmed || spitter->BurstTimer > 1.4f);
    EXPECT_TRUE(spitter->active);
    PlaceEntityAt(coordinator, soldier->entity, {1100.0f, 500.0f});
    game->RunFrames(2);
    EXPECT_EQ(spitter->BurstTimer, 0.0f);

    PlaceEntityAt(coordinator, soldier->entity, {1140.0f, 500.0f});
    const int burst = RunUntil([&] { return !spitter->active; }, 200);
    EXPECT_GE(burst, 120);
    EXPECT_LE(burst, 135);
    EXPECT_TRUE(splat.Played());
    EXPECT_EQ(Named("SpitterExplosion").size(), 1u);
    game->RunFrames(1);
    EXPECT_EQ(Clip(), "Death");
}

TEST_F(SpitterZombie, ShotDeadInItsBurstFrameItDiesOnce)
{
    SoundProbe splat(game->Sound(), "ZombieSplat_false_SFX_");
    PlaceEntityAt(coordinator, soldier->entity, {1140.0f, 500.0f});
    // Let the burst come within one step, then shoot it dead in that frame.
    ASSERT_GT(RunUntil([&] { return spitter->BurstTimer > 1.96f; }, 200), 0);
    spitter->TakeDamage(coordinator, 500.0f, soldier->entity);
    game->RunFrames(1);
    EXPECT_FALSE(spitter->active);
    EXPECT_TRUE(splat.Played());
    EXPECT_EQ(Named("SpitterExplosion").size(), 1u);
    game->RunFrames(3);
    EXPECT_FALSE(splat.Played());
    EXPECT_EQ(Named("SpitterExplosion").size(), 1u);
}

TEST_F(SpitterZombie, ShotAtItHidesBehindAWallOutOfSightAfterItsSpit)
{
    game->RunFrames(1);
    ASSERT_EQ(WallCorners().size(), 4u);
    spitter->TakeDamage(coordinator, 5.0f, soldier->entity);
    EXPECT_EQ(spitter->Threat, soldier->entity);
    ASSERT_GT(RunUntil([&] { return spitter->RetreatMode == bSpitterZombie::RetreatHiding; }), 0);
    EXPECT_TRUE(spitter->HidingSpotFound);
    EXPECT_FLOAT_EQ(spitter->HidingSpot.x, 1447.0f);
    EXPECT_FLOAT_EQ(spitter->HidingSpot.y, 551.0f);
    EXPECT_EQ(spitter->Threat, NO_ENTITY);
    EXPECT_EQ(spitter->LastThreat, soldier->entity);
    ASSERT_GT(RunUntil([&] { return spitter->Path.empty(); }, 600), 0);
    const Vector2 hidden = At(spitter->entity).position;
    EXPECT_NEAR(hidden.x, 1447.0f, 20.0f);
    EXPECT_NEAR(hidden.y, 551.0f, 20.0f);
}

TEST_F(SpitterZombie, WithoutAHidingSpotItStaysInsteadOfWalkingAway)
{
    game->RunFrames(1);
    // Both soldiers count as living: the only spot behind the wall is in the far soldier's sight.
    LivingPlayers() = {soldier->entity, other->entity};
    spitter->Threat = soldier->entity;
    spitter->FindHidingSpot(coordinator);
    EXPECT_FALSE(spitter->HidingSpotFound);
    EXPECT_TRUE(spitter->Path.empty());
    EXPECT_EQ(spitter->Threat, soldier->entity);

    // Through a whole spit and return cycle it never walks to the world's origin.
    for (int frame = 0; frame < 900; ++frame)
    {
        game->RunFrames(1);
        ASSERT_GT(At(spitter->entity).position.x, 1000.0f) << "frame " << frame;
    }
    EXPECT_FALSE(spitter->HidingSpotFound);

    // The far soldier dies: the spot is hidden from every living soldier now.
    other->TakeDamage(coordinator, 5000.0f, NO_ENTITY);
    ASSERT_GT(RunUntil([&] { return spitter->HidingSpotFound || spitter->Threat == NO_ENTITY; }, 600), 0);
    EXPECT_FLOAT_EQ(spitter->HidingSpot.x, 1447.0f);
}

TEST_F(SpitterZombie, TheSharedWallsAndSoldiersGoWithTheLastSpitter)
{
    game->RunFrames(1);
    EXPECT_EQ(WallCorners().size(), 4u);
    LivingPlayers() = {soldier->entity};
    const std::weak_ptr<bSpitterZombie> watch = spitter;
    spitter.reset();
    spitter = nullptr;
    // The last spitter of the scene goes with its entity.
    coordinator.DestroyEntity(game->Find("Spitter_1"));
    game->RunFrames(2);
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(WallCorners().empty());
    EXPECT_TRUE(LivingPlayers().empty());
}
