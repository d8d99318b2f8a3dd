#include "support/SoundProbe.h"
#include "support/SquadGame.h"
#include "support/TestCharacter.h"
#include "support/WorldSanity.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bZombieBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// A zombie at (800, 400) that notices soldiers within 500 units and strikes within 60, twice a
// second; two stand-in soldiers, A at (400, 400) and B far off at (2400, 400); a wall 40 wide
// from y 600 to 700 at x 800.
struct PlainZombie : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Zombies.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bZombieBehaviour> zombie = game->Behaviour<bZombieBehaviour>("Zombie_1");
    std::shared_ptr<TestCharacter> soldierA = game->Behaviour<TestCharacter>("Soldier_A");
    std::shared_ptr<TestCharacter> soldierB = game->Behaviour<TestCharacter>("Soldier_B");

    void SetUp() override { ASSERT_TRUE(zombie && soldierA && soldierB); }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    Transform& At(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
    PhysicsMovement& Movement() { return *coordinator.GetComponent<PhysicsMovement>(zombie->entity); }
    void Place(Entity entity, Vector2 point) { PlaceEntityAt(coordinator, entity, point); }
    // Puts the zombie back at its start, still and without a target.
    void Reset()
    {
        Place(zombie->entity, {800.0f, 400.0f});
        Movement().velocity = {0.0f, 0.0f};
        zombie->Target = NO_ENTITY;
        zombie->ZombieState = bZombieBehaviour::StateIdle;
    }
    int CountNamed(const std::string& name)
    {
        int count = 0;
        for (std::size_t id = 0; id < MAX_ENTITIES; ++id)
        {
            const Entity entity = static_cast<Entity>(id);
            const auto* identifier = coordinator.IsAlive(entity) ? coordinator.GetComponent<Identifier>(entity) : nullptr;
            // Instances after the first are named with a number after the prefab's name.
            count += identifier != nullptr && identifier->name.rfind(name, 0) == 0 ? 1 : 0;
        }
        return count;
    }
};
}

TEST_F(PlainZombie, StartFixesDamageAndPace)
{
    game->RunFrames(1);
    EXPECT_EQ(zombie->Damage, 7); // the file says 12
    EXPECT_EQ(Movement().Speed, 130.0f);
    EXPECT_EQ(zombie->HomePosition.x, 800.0f);
    EXPECT_EQ(zombie->AttackRangeSquared, 3600.0f);
}

TEST_F(PlainZombie, ChoosesTheNearestSoldierInSightLowerIdOnATie)
{
    game->RunFrames(1);
    const struct
    {
        const char* what;
        Vector2 a;
        Vector2 b;
        Entity expected; // 0: Soldier_A, 1: Soldier_B, 2: none
    } cases[] = {
        {"only A in range", {500, 400}, {2400, 400}, 0},
        {"B nearer", {500, 400}, {1000, 400}, 1},
        {"a tie goes to the lower id", {600, 400}, {1000, 400}, 0},
        {"the nearer one hidden by the wall", {1200, 400}, {800, 750}, 0},
        {"both out of range", {200, 400}, {1400, 400}, 2},
        {"in range but behind the wall", {2400, 400}, {800, 750}, 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Reset();
        Place(soldierA->entity, c.a);
        Place(soldierB->entity, c.b);
        Movement().velocity = {3.0f, 4.0f};
        zombie->ZombieState = bZombieBehaviour::StateChasing;
        game->RunFrames(1); // colliders settle where they were put
        Reset();
        Movement().velocity = {3.0f, 4.0f};
        zombie->ZombieState = bZombieBehaviour::StateChasing;
        zombie->Update(coordinator);
        const Entity want = c.expected == 0 ? soldierA->entity : c.expected == 1 ? soldierB->entity : NO_ENTITY;
        EXPECT_EQ(zombie->Target, want);
        if (std::string(c.what) == "both out of range")
        {
            EXPECT_EQ(Movement().velocity.x, 0.0f);
            EXPECT_EQ(zombie->ZombieState, bZombieBehaviour::StateIdle);
        }
        if (std::string(c.what) == "in range but behind the wall")
        {
            // Nobody in sight: it keeps its last velocity and state.
            EXPECT_EQ(Movement().velocity.x, 3.0f);
            EXPECT_EQ(zombie->ZombieState, bZombieBehaviour::StateChasing);
        }
    }
}

TEST_F(PlainZombie, LetsGoOfANearTargetEveryOtherFrameAndFollowsAFarOneAnywhere)
{
    Place(soldierA->entity, {600.0f, 400.0f});
    game->RunFrames(2);
    std::vector<bool> held;
    for (int frame = 0; frame < 4; ++frame)
    {
        game->RunFrames(1);
        held.push_back(zombie->Target == soldierA->entity);
    }
    EXPECT_NE(held[0], held[1]);
    EXPECT_NE(held[1], held[2]);
    EXPECT_NE(held[2], held[3]);

    // Chosen, then carried far beyond the trigger range: still followed, at 130 units a second.
    while (zombie->Target != soldierA->entity)
        game->RunFrames(1);
    Place(soldierA->entity, {2000.0f, 400.0f});
    game->RunFrames(30);
    EXPECT_EQ(zombie->Target, soldierA->entity);
    EXPECT_EQ(zombie->ZombieState, bZombieBehaviour::StateChasing);
    EXPECT_NEAR(Movement().velocity.x, 130.0f, 0.01f);
    EXPECT_NEAR(At(zombie->entity).rotation, 0.0f, 1e-6f);
    EXPECT_GT(At(zombie->entity).position.x, 830.0f);
    const auto clip = std::string(coordinator.GetComponent<Animation>(zombie->entity)->StateNameText());
    EXPECT_EQ(clip, "Idle"); // it walks with its idle clip
}

TEST_F(PlainZombie, BitesForSevenOnceEveryTwoSecondsOverItsRate)
{
    SoundProbe footsteps(game->Sound(), "footsteps_false_SFX_");
    Place(soldierA->entity, {760.0f, 400.0f});
    std::vector<int> biteFrames;
    for (int frame = 0; frame < 200; ++frame)
    {
        const std::size_t before = soldierA->hits.size();
        game->RunFrames(1);
        if (soldierA->hits.size() > before)
        {
            biteFrames.push_back(frame);
            EXPECT_EQ(soldierA->hits.back().amount, 7.0f);
            EXPECT_EQ(soldierA->hits.back().attacker, zombie->entity);
            EXPECT_EQ(zombie->ZombieState, bZombieBehaviour::StateAttacking);
            EXPECT_STREQ(coordinator.GetComponent<Animation>(zombie->entity)->StateNameText(), "Shooting");
        }
    }
    ASSERT_EQ(biteFrames.size(), 3u);
    for (std::size_t i = 1; i < biteFrames.size(); ++i)
    {
        EXPECT_GE(biteFrames[i] - biteFrames[i - 1], 60);
        EXPECT_LE(biteFrames[i] - biteFrames[i - 1], 62);
    }
    EXPECT_FALSE(footsteps.Played()); // it never walked

    // A rate of 0 never comes round.
    zombie->DamageRate = 0;
    const std::size_t before = soldierA->hits.size();
    game->RunFrames(200);
    EXPECT_EQ(soldierA->hits.size(), before);

    // A soldier out of reach is walked at, with footsteps.
    Place(soldierA->entity, {1100.0f, 400.0f});
    game->RunFrames(3);
    EXPECT_TRUE(footsteps.Played());
}

TEST_F(PlainZombie, HitsFlashBleedAndAdoptTheShooter)
{
    Place(soldierA->entity, {200.0f, 400.0f});
    game->RunFrames(2);
    zombie->Target = NO_ENTITY; // A is far now, and nobody else is near
    game->RunFrames(1);
    ASSERT_EQ(zombie->Target, NO_ENTITY);
    zombie->TakeDamage(coordinator, 0.0f, soldierB->entity);
    EXPECT_EQ(zombie->Target, NO_ENTITY);
    EXPECT_FALSE(coordinator.GetComponent<Renderer>(zombie->entity)->tintFlashActive);
    EXPECT_EQ(zombie->CurrentHealth, 100.0f);

    zombie->HitEffectTimer = 1.0f;
    zombie->TakeDamage(coordinator, 10.0f, soldierB->entity);
    EXPECT_EQ(zombie->Target, soldierB->entity);
    EXPECT_EQ(zombie->CurrentHealth, 90.0f);
    EXPECT_EQ(zombie->HitEffectTimer, 0.0f);
    EXPECT_EQ(CountNamed("OneshotEnemyDamage"), 1);
    zombie->TakeDamage(coordinator, 10.0f, soldierA->entity);
    EXPECT_EQ(zombie->Target, soldierB->entity); // a held target stays
    EXPECT_EQ(CountNamed("OneshotEnemyDamage"), 1); // bleeds at most every half second
    EXPECT_TRUE(coordinator.GetComponent<Renderer>(zombie->entity)->tintFlashActive);
}

TEST_F(PlainZombie, DiesOnceLiesFiveSecondsAndIsRemoved)
{
    SoundProbe grunt(game->Sound(), "ZombieGrunt_false_SFX_");
    game->RunFrames(1);
    // Two killing blows in one frame, then a third death call: one death.
    zombie->TakeDamage(coordinator, 150.0f, soldierA->entity);
    zombie->TakeDamage(coordinator, 150.0f, soldierA->entity);
    game->RunFrames(1);
    zombie->OnDeath(coordinator);
    EXPECT_FALSE(zombie->active);
    EXPECT_EQ(zombie->CurrentHealth, 0.0f);
    EXPECT_EQ(zombie->ZombieState, bZombieBehaviour::StateDead);
    EXPECT_TRUE(grunt.Played());
    EXPECT_EQ(CountNamed("OneshotEnemyDeath"), 1);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(zombie->entity)->layer, 0.7f);
    const int drops = CountNamed("Ammo_Drop") + CountNamed("Health_Pack");
    EXPECT_LE(drops, 1);
    game->RunFrames(1);
    EXPECT_STREQ(coordinator.GetComponent<Animation>(zombie->entity)->StateNameText(), "Death");
    EXPECT_FALSE(grunt.Played());

    const Entity corpse = zombie->entity;
    game->RunFrames(290);
    EXPECT_EQ(game->Find("Zombie_1"), corpse);
    game->RunFrames(20);
    EXPECT_EQ(game->Find("Zombie_1"), NO_ENTITY);
}

TEST_F(PlainZombie, OneInFourDropsLootAmmunitionAndHealthAlike)
{
    game->RunFrames(1);
    // Many deaths in one world: each a fresh zombie behaviour on the same entity.
    int ammo = 0;
    int health = 0;
    const int deaths = 200;
    for (int i = 0; i < deaths; ++i)
    {
        bZombieBehaviour fresh;
        fresh.SetEntity(zombie->entity);
        const int ammoBefore = CountNamed("Ammo_Drop");
        const int healthBefore = CountNamed("Health_Pack");
        fresh.OnDeath(coordinator);
        ammo += CountNamed("Ammo_Drop") - ammoBefore;
        health += CountNamed("Health_Pack") - healthBefore;
        game->RunFrames(1);
    }
    EXPECT_NEAR(ammo + health, deaths / 4, 20);
    EXPECT_NEAR(ammo, health, 20);
}

TEST_F(PlainZombie, PushedOutOfTheLevelReturnsHome)
{
    game->RunFrames(1);
    for (const Vector2 outside : {Vector2{4000.0f, 400.0f}, Vector2{800.0f, -900.0f}, Vector2{NAN, 400.0f}})
    {
        Place(zombie->entity, outside);
        zombie->Update(coordinator);
        EXPECT_EQ(At(zombie->entity).position.x, 800.0f);
        EXPECT_EQ(At(zombie->entity).position.y, 400.0f);
    }
}
