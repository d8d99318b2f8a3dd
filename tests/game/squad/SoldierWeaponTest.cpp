#include "support/SoundProbe.h"
#include "support/SquadGame.h"
#include "support/TestCharacter.h"
#include "support/WorldSanity.h"

#include "engine/components/Animation.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// A soldier at (400, 400) and a zombie that does not die, in clear view 150 units ahead.
struct SoldierWeapon : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Sight.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    std::shared_ptr<TestCharacter> zombie = game->Behaviour<TestCharacter>("Zombie_1");

    void SetUp() override
    {
        ASSERT_TRUE(soldier && zombie);
        PlaceEntityAt(coordinator, zombie->entity, {550.0f, 400.0f});
    }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    void Arm(WeaponType weapon)
    {
        soldier->WeaponStats = WeaponFiguresOf(weapon);
        soldier->ClipRounds = soldier->WeaponStats.ClipSize;
    }

    // Frames between two shots: the fire timer gains 1/60 a step and fires once it reaches
    // 2 / FireRate, in single precision.
    static int FramesPerShot(int fireRate)
    {
        float timer = 0.0f;
        int frames = 0;
        while (timer < 2.0f / static_cast<float>(fireRate))
        {
            timer += 1.0f / 60.0f;
            ++frames;
        }
        return frames;
    }
};
}

// One magazine after another: shots at the weapon's rate and damage, the reload when the
// magazine is empty, and the click of an empty gun every 3 s once nothing is left.
TEST_F(SoldierWeapon, FireTimelineOfAnM4A1)
{
    soldier->ClipRounds = 2;
    soldier->AmmoTotal = 45;
    SoundProbe shot(game->Sound(), "Rifle_false_SFX_");
    SoundProbe reload(game->Sound(), "ReloadRifle_false_SFX_");
    SoundProbe click(game->Sound(), "EmptyGun_false_SFX_");

    struct Event
    {
        int frame;
        std::string what;
    };
    std::vector<Event> shots;
    std::vector<Event> reloads;
    std::vector<int> clicks;
    std::size_t hitsSeen = 0;
    for (int frame = 1; frame <= 1000; ++frame)
    {
        game->RunFrames(1);
        for (; hitsSeen < zombie->hits.size(); ++hitsSeen)
        {
            EXPECT_EQ(zombie->hits[hitsSeen].amount, 9.0f) << "6 x 1.5";
            EXPECT_EQ(zombie->hits[hitsSeen].attacker, soldier->entity);
            shots.push_back({frame, std::to_string(soldier->ClipRounds) + "/" + std::to_string(soldier->AmmoTotal)});
            EXPECT_TRUE(shot.Played()) << "frame " << frame;
        }
        EXPECT_FALSE(shot.Played()) << "a shot sound without a shot, frame " << frame;
        if (reload.Played())
            reloads.push_back({frame, std::to_string(soldier->ClipRounds) + "/" + std::to_string(soldier->AmmoTotal)});
        if (click.Played())
            clicks.push_back(frame);
    }

    ASSERT_EQ(shots.size(), 2u + 30u + 15u);
    const int period = FramesPerShot(16);
    EXPECT_EQ(period, 8) << "2 / 16 s: 7.5 frames, rounded up by the timer";
    for (std::size_t i = 1; i < shots.size(); ++i)
        if (i != 2 && i != 32) // the reloads come between
        {
            EXPECT_EQ(shots[i].frame - shots[i - 1].frame, period) << "shot " << i;
        }
    EXPECT_EQ(shots[1].what, "0/45");
    EXPECT_EQ(shots[2].what, "29/15") << "the reload filled the magazine from the spare rounds";
    EXPECT_EQ(shots[31].what, "0/15");
    EXPECT_EQ(shots[32].what, "14/0");
    EXPECT_EQ(shots.back().what, "0/0");

    // Each reload starts when the magazine runs dry (its rounds go back to the spare ones) and
    // takes 20 / 13 s.
    ASSERT_EQ(reloads.size(), 2u);
    EXPECT_EQ(reloads[0].what, "0/45");
    EXPECT_EQ(reloads[1].what, "0/15");
    EXPECT_GE(shots[2].frame - reloads[0].frame, 93) << "20 / 13 s is 92.3 frames";
    EXPECT_LE(shots[2].frame - reloads[0].frame, 93 + period);

    // Dry: a click 3 s after the last shot, then every 3 s.
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_NEAR(clicks[0] - shots.back().frame, 180, 1);
    EXPECT_NEAR(clicks[1] - clicks[0], 180, 1);
    EXPECT_TRUE(soldier->OutOfAmmo);
    EXPECT_EQ(soldier->Target, zombie->entity) << "an empty gun keeps its target";
    EXPECT_EQ(soldier->ActionState, bPlayerBehaviour::ActionIdle);
}

TEST_F(SoldierWeapon, EachWeaponFiresAtItsRateWithItsDamageAndSound)
{
    const struct
    {
        WeaponType weapon;
        bool infiniteAmmo;
        bool instantKill;
        float damage;
        const char* sound; // null: silent
    } cases[] = {
        {WeaponType::M4A1, false, false, 9.0f, "Rifle_false_SFX_"},
        {WeaponType::AK_47, false, false, 15.0f, "Rifle_false_SFX_"},
        {WeaponType::Glock, false, false, 12.0f, "Pistol_false_SFX_"},
        {WeaponType::Barrett, false, false, 150.0f, nullptr},
        {WeaponType::USP_S, false, true, 20000.0f, "Pistol_false_SFX_"},
        {WeaponType::AK_47, true, false, 15.0f, "Rifle_false_SFX_"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(c.weapon));
        Arm(c.weapon);
        soldier->WeaponStats.InfiniteAmmo = c.infiniteAmmo;
        soldier->WeaponStats.InstantKill = c.instantKill;
        soldier->FireTimer = 0.0f;
        zombie->hits.clear();
        zombie->CurrentHealth = 1.0e6f;
        SoundProbe shot(game->Sound(), c.sound == nullptr ? "Rifle_false_SFX_" : c.sound);
        SoundProbe pistol(game->Sound(), "Pistol_false_SFX_");
        const int period = FramesPerShot(soldier->WeaponStats.FireRate);
        std::vector<int> frames;
        bool soundEveryShot = true;
        for (int frame = 1; frame <= 2 * period + 2; ++frame)
        {
            const std::size_t before = zombie->hits.size();
            game->RunFrames(1);
            const bool fired = zombie->hits.size() > before;
            if (fired)
                frames.push_back(frame);
            const bool sounded = c.sound == nullptr ? shot.Played() || pistol.Played() : shot.Played();
            soundEveryShot = soundEveryShot && (sounded == (fired && c.sound != nullptr));
        }
        ASSERT_GE(frames.size(), 2u);
        EXPECT_EQ(frames[1] - frames[0], period);
        EXPECT_EQ(zombie->hits.front().amount, c.damage);
        EXPECT_TRUE(soundEveryShot);
        const int clip = soldier->WeaponStats.ClipSize;
        EXPECT_EQ(soldier->ClipRounds, c.infiniteAmmo ? clip : clip - static_cast<int>(frames.size()));
    }
}

TEST_F(SoldierWeapon, AnUnarmedSoldierTakesAimButNeverFires)
{
    Arm(WeaponType::None);
    soldier->WeaponStats.InfiniteAmmo = true; // so it holds its aim
    game->RunFrames(200);
    EXPECT_EQ(soldier->Target, zombie->entity);
    EXPECT_EQ(soldier->ActionState, bPlayerBehaviour::ActionShooting);
    EXPECT_TRUE(zombie->hits.empty());
}

TEST_F(SoldierWeapon, ReloadIsRefusedWhileAimingAThrowOrFullAndTakenWhileShooting)
{
    game->RunFrames(5);
    ASSERT_EQ(soldier->ActionState, bPlayerBehaviour::ActionShooting);
    const struct
    {
        const char* what;
        int state;
        std::uint16_t clip;
        std::uint16_t spare;
        bool starts;
    } cases[] = {
        {"while shooting", bPlayerBehaviour::ActionShooting, 10, 45, true},
        {"while aiming a throw", bPlayerBehaviour::ActionAiming, 10, 45, false},
        {"while aiming on the move", bPlayerBehaviour::ActionAimingMoving, 10, 45, false},
        {"while reloading", bPlayerBehaviour::ActionReloading, 10, 45, false},
        {"with a full magazine", bPlayerBehaviour::ActionIdle, 30, 45, false},
        {"without spare rounds", bPlayerBehaviour::ActionIdle, 10, 0, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        soldier->ActionState = c.state;
        soldier->ClipRounds = c.clip;
        soldier->AmmoTotal = c.spare;
        soldier->Reload(coordinator);
        EXPECT_EQ(soldier->ActionState == bPlayerBehaviour::ActionReloading,
                  c.starts || c.state == bPlayerBehaviour::ActionReloading);
        EXPECT_EQ(soldier->ClipRounds, c.starts ? 0 : c.clip);
        EXPECT_EQ(soldier->AmmoTotal, c.starts ? c.spare + c.clip : c.spare);
    }
}

// The throw plays its clip: the aim clip, held on its last frame, leaves the finished flag set;
// the throw clears it, so the soldier stays in the throwing state until its own clip has played.
TEST(SoldierThrow, AThrowEndsWhenItsClipHasPlayed)
{
    auto game = SquadGame("Sight.json", true);
    Coordinator& coordinator = *game->coordinator;
    auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    soldier->ActionState = bPlayerBehaviour::ActionAiming;
    game->RunFrames(30);
    Animation* animation = coordinator.GetComponent<Animation>(soldier->entity);
    ASSERT_EQ(animation->GetStateName(), "Aim");
    ASSERT_TRUE(animation->finished) << "the held aim clip has ended";

    // Launched along the soldier's facing (+x) over 200 units.
    soldier->Throw(coordinator, "Danger_Icon", 200.0f, {{600.0f, 400.0f}}, {{-1.0f, 0.0f}});
    const Entity thrown = game->Find("Danger_Icon");
    ASSERT_NE(thrown, NO_ENTITY);
    const PhysicsMovement* flight = coordinator.GetComponent<PhysicsMovement>(thrown);
    EXPECT_EQ(flight->velocity.x, 300.0f);
    EXPECT_EQ(flight->velocity.y, 0.0f);
    ASSERT_EQ(flight->forces.size(), 1u);
    EXPECT_EQ(flight->forces[0].name, "throw");
    EXPECT_FLOAT_EQ(flight->forces[0].duration, (std::sqrt(200.0f * 200.0f + 100.0f * 200.0f) - 200.0f) / 50.0f);
    EXPECT_EQ(flight->forces[0].magnitude, 50.0f);

    soldier->ActionState = bPlayerBehaviour::ActionThrowing; // as the squad controller does after the throw
    int frames = 0;
    while (soldier->ActionState == bPlayerBehaviour::ActionThrowing && frames < 120)
    {
        game->RunFrames(1);
        ++frames;
    }
    EXPECT_EQ(soldier->ActionState, bPlayerBehaviour::ActionIdle);
    // Six frames of 0.07 s: about 25 frames, not the one frame a stale flag would give.
    EXPECT_GE(frames, 20);
    EXPECT_LE(frames, 40);
    EXPECT_TRUE(WorldIsSane(coordinator));
}

TEST(SoldierCrossfire, TheShotThatKillsReleasesTheTargetOfEverySoldier)
{
    auto game = SquadGame("Crossfire.json");
    auto first = game->Behaviour<bPlayerBehaviour>("Player_1");
    auto second = game->Behaviour<bPlayerBehaviour>("Player_2");
    auto zombie = game->Behaviour<TestCharacter>("Zombie_1");
    ASSERT_TRUE(first && second && zombie);
    bool bothAimed = false;
    int frame = 0;
    while (zombie->CurrentHealth > 0.0f && frame++ < 120)
    {
        game->RunFrames(1);
        bothAimed = bothAimed || (first->Target == zombie->entity && second->Target == zombie->entity);
    }
    ASSERT_LE(zombie->CurrentHealth, 0.0f);
    EXPECT_TRUE(bothAimed);
    EXPECT_EQ(first->Target, NO_ENTITY) << "dropped in the frame of the kill";
    EXPECT_EQ(second->Target, NO_ENTITY);
    game->RunFrames(2);
    EXPECT_EQ(zombie->deaths, 1);
    EXPECT_EQ(first->Target, NO_ENTITY);
    EXPECT_EQ(first->ActionState, bPlayerBehaviour::ActionIdle);
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}

TEST_F(SoldierWeapon, HealUsesAPackUpToFullHealth)
{
    const struct
    {
        const char* what;
        std::uint16_t packs;
        float health;
        float healed;
        std::uint16_t packsLeft;
    } cases[] = {
        {"a pack adds 50", 1, 40, 90, 0},
        {"up to full health", 2, 80, 100, 1},
        {"not at full health", 1, 100, 100, 1},
        {"not without a pack", 0, 40, 40, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        SoundProbe medkit(game->Sound(), "MedKit_false_SFX_");
        const Entity before = game->Find("Plus_Icon");
        soldier->HealthPacks = c.packs;
        soldier->CurrentHealth = c.health;
        soldier->Heal(coordinator);
        EXPECT_EQ(soldier->CurrentHealth, c.healed);
        EXPECT_EQ(soldier->HealthPacks, c.packsLeft);
        const bool healed = c.healed != c.health;
        EXPECT_EQ(medkit.Played(), healed);
        if (healed)
        {
            const Entity icon = game->Find("Plus_Icon");
            ASSERT_NE(icon, NO_ENTITY);
            std::shared_ptr<IBehaviour> plus;
            ASSERT_TRUE(coordinator.GetBehaviour(icon, plus));
            EXPECT_EQ(plus->boundEntity, soldier->entity);
            coordinator.DestroyEntity(icon);
            game->RunFrames(1);
        }
        else
            EXPECT_EQ(game->Find("Plus_Icon"), before);
    }
}

// The heal lesson's panel closes when a soldier heals; the panel's index is counted from the
// tutorial's first step, and a tutorial whose count falls before its list reads nothing.
TEST_F(SoldierWeapon, HealingClosesTheHealLessonsPanel)
{
    bTutorialLogic tutorial;
    TutorialLogicInstance() = &tutorial;
    tutorial.TutorialStep = 9;
    std::vector<std::shared_ptr<bImageBehaviour>> panels;
    for (int i = 0; i < 10; ++i)
    {
        tutorial.Panels.push_back(InstantiatePrefab(coordinator, "Bullet_Line"));
        panels.push_back(coordinator.GetBehaviourAs<bImageBehaviour>(tutorial.Panels.back()));
        panels.back()->active = true;
    }
    for (int level : {2, 1})
    {
        SCOPED_TRACE(level);
        tutorial.TutorialLevel = level;
        soldier->HealthPacks = 1;
        soldier->CurrentHealth = 50.0f;
        soldier->Heal(coordinator);
        for (int i = 0; i < 10; ++i)
        {
            const bool closed = level == 1 && i == 8;
            EXPECT_EQ(panels[i]->active, !closed) << "panel " << i;
            EXPECT_EQ(panels[i]->ShowTimerStarted, closed) << "panel " << i;
        }
    }
    TutorialLogicInstance() = nullptr;
}
