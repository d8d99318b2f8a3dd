#include "support/SoundProbe.h"
#include "support/SquadGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sPhysicsCollision.h"
#include "engine/systems/sPhysicsMovement.h"
#include "game/flow/DoorButtonPool.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bHUD.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
// A soldier at (400, 400) with an AK_47 (20 rounds a magazine), 40 spare rounds, 100 health and
// a torch of radius 300; a door at x 900 closes the only way through a wall.
struct SoldierContacts : testing::Test
{
    std::unique_ptr<TestGame> game = SquadGame("Contacts.json");
    Coordinator& coordinator = *game->coordinator;
    std::shared_ptr<bPlayerBehaviour> soldier = game->Behaviour<bPlayerBehaviour>("Player_1");

    void SetUp() override
    {
        ASSERT_TRUE(soldier);
        game->RunFrames(1);
    }
    void TearDown() override { EXPECT_TRUE(WorldIsSane(coordinator)); }

    Vector2 Position(Entity entity) { return coordinator.GetComponent<Transform>(entity)->position; }

    // Every live entity whose name begins with one of the drops' names, by prefab.
    std::map<std::string, std::vector<Entity>> Drops()
    {
        std::map<std::string, std::vector<Entity>> found;
        for (Entity entity : coordinator.GetSystem<sIdentifierSystem>()->entities)
        {
            const std::string& name = coordinator.GetComponent<Identifier>(entity)->name;
            for (const char* drop : {"Ammo_Drop", "Health_Pack", "Grenade_Pickup", "Molotov_Pickup"})
                if (name.rfind(drop, 0) == 0)
                    found[drop].push_back(entity);
        }
        return found;
    }
};
}

TEST(SoldierPickups, WalkingOverAPickupTakesIt)
{
    const struct
    {
        const char* what;
        const char* prefab;
        const char* withoutTag; // a pickup made kindless
        float health;
        int ammo;
        int packs;
        int grenades;
        int molotovs;
        float healthAfter;
        bool taken;
    } cases[] = {
        {"ammunition: two magazines", "Ammo_Drop", nullptr, 100, 80, 0, 0, 0, 100, true},
        {"health with a gap of 40: carried", "Health_Pack", nullptr, 60, 40, 1, 0, 0, 60, true},
        {"health with a gap of 60: healed", "Health_Pack", nullptr, 40, 40, 0, 0, 0, 90, true},
        {"a grenade", "Grenade_Pickup", nullptr, 100, 40, 0, 1, 0, 100, true},
        {"a molotov", "Molotov_Pickup", nullptr, 100, 40, 0, 0, 1, 100, true},
        {"a pickup of no kind", "Ammo_Drop", "AMMO", 100, 40, 0, 0, 0, 100, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto fresh = SquadGame("Contacts.json");
        Coordinator& world = *fresh->coordinator;
        auto walker = fresh->Behaviour<bPlayerBehaviour>("Player_1");
        walker->CurrentHealth = c.health;
        const Entity pickup = InstantiatePrefab(world, c.prefab);
        PlaceEntityAt(world, pickup, {480.0f, 400.0f});
        if (c.withoutTag != nullptr)
            world.GetComponent<Identifier>(pickup)->RemoveTag(c.withoutTag);
        SoundProbe click(fresh->Sound(), "Click1_false_SFX_");
        fresh->RunFrames(1);
        walker->MoveTo(world, {600.0f, 400.0f});
        bool clicked = false;
        for (int frame = 0; frame < 60 && world.IsAlive(pickup); ++frame)
        {
            fresh->RunFrames(1);
            clicked = clicked || click.Played();
        }
        EXPECT_EQ(!world.IsAlive(pickup), c.taken);
        EXPECT_EQ(clicked, c.taken);
        EXPECT_EQ(walker->AmmoTotal, c.ammo);
        EXPECT_EQ(walker->HealthPacks, c.packs);
        EXPECT_EQ(walker->Grenades, c.grenades);
        EXPECT_EQ(walker->Molotovs, c.molotovs);
        EXPECT_EQ(walker->CurrentHealth, c.healthAfter);
        const Entity plus = fresh->Find("Plus_Icon");
        EXPECT_EQ(plus != NO_ENTITY, c.healthAfter > c.health) << "a heal shows the plus icon";
        if (plus != NO_ENTITY)
        {
            std::shared_ptr<IBehaviour> icon;
            ASSERT_TRUE(world.GetBehaviour(plus, icon));
            EXPECT_EQ(icon->boundEntity, walker->entity);
        }
        EXPECT_TRUE(WorldIsSane(world));
    }
}

TEST_F(SoldierContacts, PickupsLightUpOnlyWhileASoldierSeesThem)
{
    const Entity near = InstantiatePrefab(coordinator, "Grenade_Pickup");
    const Entity far = InstantiatePrefab(coordinator, "Molotov_Pickup");
    PlaceEntityAt(coordinator, near, {550.0f, 400.0f});
    PlaceEntityAt(coordinator, far, {400.0f, 900.0f});
    game->RunFrames(2);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(near)->lightingFactor, 1.0f);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(far)->lightingFactor, 0.2f);
    EXPECT_TRUE(PickupSightMap().empty()) << "rebuilt every frame";
}

TEST_F(SoldierContacts, DamageFlashesAndSoundsUnlessItIsZero)
{
    SoundProbe hurt(game->Sound(), "Damage_false_SFX_");
    Renderer* renderer = coordinator.GetComponent<Renderer>(soldier->entity);
    soldier->TakeDamage(coordinator, 0.0f, NO_ENTITY);
    EXPECT_FALSE(hurt.Played());
    EXPECT_FALSE(renderer->tintFlashActive);
    soldier->Invulnerable = true;
    soldier->TakeDamage(coordinator, 30.0f, NO_ENTITY);
    EXPECT_EQ(soldier->CurrentHealth, 100.0f);
    EXPECT_FALSE(hurt.Played());
    soldier->Invulnerable = false;

    soldier->TakeDamage(coordinator, 30.0f, NO_ENTITY);
    EXPECT_EQ(soldier->CurrentHealth, 70.0f);
    EXPECT_TRUE(hurt.Played());
    EXPECT_TRUE(renderer->tintFlashActive);
    EXPECT_EQ(renderer->tintFlashTime, 0.5f);
    EXPECT_EQ(renderer->tint[0], 1.25f);
    EXPECT_EQ(renderer->tint[1], 0.0f);
    EXPECT_EQ(renderer->tint[2], 0.0f);
}

TEST_F(SoldierContacts, DeathLeavesABodyDropsTheSuppliesAndHappensOnce)
{
    soldier->AmmoTotal = 45;
    soldier->HealthPacks = 3;
    soldier->Grenades = 1;
    soldier->Molotovs = 0;
    const Vector2 body = Position(soldier->entity);
    const Entity torch = game->Find("Player_1_SpotLight");
    SoundProbe scream(game->Sound(), "PlayerDie_false_SFX_");

    // Two killing blows in one frame.
    soldier->TakeDamage(coordinator, 80.0f, NO_ENTITY);
    soldier->TakeDamage(coordinator, 80.0f, NO_ENTITY);
    game->RunFrames(1);

    EXPECT_EQ(soldier->ActionState, bPlayerBehaviour::ActionDead);
    EXPECT_EQ(soldier->CurrentHealth, 0.0f);
    EXPECT_FALSE(soldier->active);
    EXPECT_EQ(coordinator.GetComponent<Animation>(soldier->entity)->GetStateName(), "Death");
    EXPECT_EQ(coordinator.GetComponent<Renderer>(soldier->entity)->layer, 0.71f);
    EXPECT_EQ(coordinator.GetSystem<sPhysicsCollision>()->entities.count(soldier->entity), 0u);
    EXPECT_EQ(coordinator.GetSystem<sPhysicsMovement>()->entities.count(soldier->entity), 0u);
    EXPECT_TRUE(PlayerList().empty());
    EXPECT_FALSE(coordinator.IsAlive(torch)) << "the torch goes out";
    EXPECT_NE(game->Find("Player_1_Badge"), NO_ENTITY) << "other children stay";
    EXPECT_TRUE(scream.Played());

    auto drops = Drops();
    ASSERT_EQ(drops["Ammo_Drop"].size(), 1u);
    ASSERT_EQ(drops["Health_Pack"].size(), 1u) << "one drop per kind, whatever the count";
    ASSERT_EQ(drops["Grenade_Pickup"].size(), 1u);
    EXPECT_EQ(drops["Molotov_Pickup"].size(), 0u);
    const Vector2 ammo = Position(drops["Ammo_Drop"][0]);
    EXPECT_EQ(ammo.x, body.x);
    EXPECT_EQ(ammo.y, body.y);
    for (const char* scattered : {"Health_Pack", "Grenade_Pickup"})
    {
        const Vector2 at = Position(drops[scattered][0]);
        EXPECT_EQ(at.x - body.x, at.y - body.y) << scattered << ": the same offset on both axes";
        EXPECT_GE(at.x - body.x, 0.0f);
        EXPECT_LE(at.x - body.x, 50.0f);
        EXPECT_TRUE(coordinator.GetComponent<Renderer>(drops[scattered][0])->animated);
    }

    // The level lost afterwards asks again: nothing more happens.
    soldier->OnDeath(coordinator);
    game->RunFrames(2);
    auto again = Drops();
    EXPECT_EQ(again["Health_Pack"].size(), 1u);
    EXPECT_EQ(again["Grenade_Pickup"].size(), 1u);
    EXPECT_EQ(again["Ammo_Drop"].size(), 1u);
    EXPECT_FALSE(scream.Played());
}

TEST(SoldierDrops, TheDropsFollowWhatTheSoldierCarried)
{
    const struct
    {
        int ammo, packs, grenades, molotovs;
        std::vector<std::string> drops;
    } cases[] = {
        {20, 3, 0, 0, {"Health_Pack"}}, // as many spare rounds as a magazine: none dropped
        {21, 0, 0, 0, {"Ammo_Drop"}},
        {0, 0, 2, 5, {"Grenade_Pickup", "Molotov_Pickup"}},
        {0, 0, 0, 0, {}},
    };
    for (const auto& c : cases)
    {
        auto fresh = SquadGame("Contacts.json");
        auto dying = fresh->Behaviour<bPlayerBehaviour>("Player_1");
        dying->AmmoTotal = static_cast<std::uint16_t>(c.ammo);
        dying->HealthPacks = static_cast<std::uint16_t>(c.packs);
        dying->Grenades = static_cast<std::uint16_t>(c.grenades);
        dying->Molotovs = static_cast<std::uint16_t>(c.molotovs);
        dying->TakeDamage(*fresh->coordinator, 500.0f, NO_ENTITY);
        fresh->RunFrames(2);
        std::vector<std::string> dropped;
        for (const char* drop : {"Ammo_Drop", "Health_Pack", "Grenade_Pickup", "Molotov_Pickup"})
            if (fresh->Find(drop) != NO_ENTITY)
                dropped.push_back(drop);
        EXPECT_EQ(dropped, c.drops) << c.ammo << " rounds, " << c.packs << " packs, " << c.grenades << " grenades, "
                                    << c.molotovs << " molotovs";
        EXPECT_TRUE(WorldIsSane(*fresh->coordinator));
    }
}

// The soldier's side of a door: it stops at a closed one, lends it a button while in reach, and
// a breach clears the door's active flag (the door's own opening is the door's to test).
TEST_F(SoldierContacts, AClosedDoorStopsTheSoldierAndABreachOpensIt)
{
    auto door = game->Behaviour<bDoorBehaviour>("Door_1");
    ASSERT_TRUE(door);
    door->TriggerRange = 150.0f;
    ASSERT_FALSE(DoorButtonPool().empty()) << "the door's wake spawns the shared buttons";
    const Entity button = DoorButtonPool().begin()->first;

    soldier->MoveTo(coordinator, {1100.0f, 400.0f});
    EXPECT_TRUE(soldier->Waypoints.empty()) << "no path leads through a closed door";
    soldier->MoveTo(coordinator, {874.0f, 400.0f});
    bool blocked = false;
    for (int frame = 0; frame < 300 && !blocked; ++frame)
    {
        game->RunFrames(1);
        blocked = soldier->DoorBlocked;
    }
    ASSERT_TRUE(blocked) << "the soldier ran into the door";
    EXPECT_FALSE(soldier->BlockArmed);
    EXPECT_TRUE(soldier->Waypoints.empty());
    game->RunFrames(30);
    EXPECT_LT(Position(soldier->entity).x, 890.0f) << "it stays on its side";

    EXPECT_EQ(soldier->DoorsInReach, std::set<Entity>{door->entity});
    EXPECT_EQ(door->Button, button) << "a free button is lent to the door in reach";
    EXPECT_TRUE(DoorButtonPool()[button]);

    soldier->Breach(coordinator);
    EXPECT_FALSE(door->active);
}

TEST_F(SoldierContacts, BreachWithNoDoorInReachDoesNothing)
{
    auto door = game->Behaviour<bDoorBehaviour>("Door_1");
    door->TriggerRange = 150.0f;
    game->RunFrames(2);
    EXPECT_TRUE(soldier->DoorsInReach.empty());
    soldier->Breach(coordinator);
    EXPECT_TRUE(door->active);
}

// A soldier on the move that runs into an idle one nudges it aside; on one point the two have
// no direction between them, and nothing is pushed.
TEST(SoldierBump, ARunningSoldierNudgesAnIdleOneAside)
{
    for (const bool onePoint : {false, true})
    {
        SCOPED_TRACE(onePoint ? "on one point" : "one behind the other");
        auto game = SquadGame("Crossfire.json");
        Coordinator& coordinator = *game->coordinator;
        auto runner = game->Behaviour<bPlayerBehaviour>("Player_1");
        auto idle = game->Behaviour<bPlayerBehaviour>("Player_2");
        PlaceEntityAt(coordinator, game->Find("Zombie_1"), {1500.0f, 1000.0f}); // nothing to shoot at
        if (onePoint)
            PlaceEntityAt(coordinator, idle->entity, {400.0f, 400.0f});
        game->RunFrames(2);
        runner->MoveTo(coordinator, {400.0f, 700.0f});
        ASSERT_TRUE(runner->StraightMove);
        const PhysicsMovement* nudged = coordinator.GetComponent<PhysicsMovement>(idle->entity);
        bool pushed = false;
        bool touched = false;
        for (int frame = 0; frame < 90 && !pushed; ++frame)
        {
            game->RunFrames(1);
            touched = touched || runner->TouchingPlayer == idle->entity;
            for (const Force& force : nudged->forces)
                pushed = pushed || force.name == "unnamed";
            EXPECT_TRUE(WorldIsSane(coordinator)) << "frame " << frame;
        }
        EXPECT_TRUE(touched);
        EXPECT_EQ(pushed, !onePoint);
        if (pushed)
        {
            const Force& push = nudged->forces.back();
            EXPECT_EQ(push.magnitude, 20.0f);
            EXPECT_NEAR(push.direction.y, 1.0f, 0.01f) << "away from the runner";
        }
    }
}

// With a HUD, a hit also flashes the soldier's row of the HUD: its panel entries (PanelStride per
// soldier, in soldier order) and its portrait; and a soldier out of view (the HUD bar covers the
// bottom 185 pixels) has its off-screen marker shown until it is back in view.
TEST_F(SoldierContacts, TheHudFlashesTheSoldiersRowAndMarksItOutOfView)
{
    bHUD hud;
    HUDInstance() = &hud;
    hud.PanelStride = 2;
    for (int i = 0; i < 6; ++i)
        hud.SoldierPanelEntities.push_back(InstantiatePrefab(coordinator, "Bullet_Line"));
    for (int i = 0; i < 3; ++i)
        hud.SoldierPortraits.push_back(InstantiatePrefab(coordinator, "Bullet_Line"));
    const auto flashing = [&](Entity entity) { return coordinator.GetComponent<Renderer>(entity)->tintFlashActive; };

    soldier->PlayerNumber = 2;
    soldier->TakeDamage(coordinator, 10.0f, NO_ENTITY);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(flashing(hud.SoldierPanelEntities[i]), i == 2 || i == 3) << "panel entry " << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(flashing(hud.SoldierPortraits[i]), i == 1) << "portrait " << i;

    soldier->PlayerNumber = 0; // a number before the row flashes nothing of it
    for (Entity entity : hud.SoldierPanelEntities)
        coordinator.GetComponent<Renderer>(entity)->tintFlashActive = false;
    soldier->TakeDamage(coordinator, 10.0f, NO_ENTITY);
    for (Entity entity : hud.SoldierPanelEntities)
        EXPECT_FALSE(flashing(entity));

    soldier->PlayerNumber = 1;
    game->RunFrames(1);
    EXPECT_FALSE(soldier->OffscreenMarkerShown);
    PlaceEntityAt(coordinator, soldier->entity, {400.0f, 150.0f}); // behind the HUD bar
    game->RunFrames(1);
    EXPECT_TRUE(soldier->OffscreenMarkerShown);
    PlaceEntityAt(coordinator, soldier->entity, {400.0f, 200.0f});
    game->RunFrames(1);
    EXPECT_FALSE(soldier->OffscreenMarkerShown);
    HUDInstance() = nullptr;
}
