#include "DamageScenes.h"

#include "engine/components/Animation.h"
#include "engine/components/Renderer.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/sRendererSystem.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bTargetableObjects.h"
#include "game/squad/bUniqueGrid.h"

// Barrels, crates and gas tanks: their looks under the cursor and when hit, their sparks and
// sound, how they break into their "OnDestroy" prefabs, and which soldier a click sends at them.

namespace
{
class TargetsTest : public DamageGameTest
{
protected:
    std::string Clip(const std::string& target) { return game->Component<Animation>(target)->GetStateName(); }

    void HoverOver(Vector2 point)
    {
        const CursorPoint pixel = game->WindowPointOf(point.x, point.y);
        game->MoveCursor(pixel.x, pixel.y);
    }
};
}

TEST_F(TargetsTest, TheHoverLookFollowsTheCursorAndLingersOneFrame)
{
    Start("Targets.json");
    EXPECT_EQ(Clip("Barrel"), "Non_Hover");

    HoverOver({700, 540});
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "Non_Hover") << "picking runs after the behaviours";
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "Hover");
    EXPECT_EQ(Clip("Tank"), "Non_Hover");

    HoverOver({960, 900});
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "Hover") << "the last hover is seen one frame late";
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "Non_Hover");
}

TEST_F(TargetsTest, AHitShowsForOneUpdateWithItsSoundAndAtMostOneSparkPerHalfSecond)
{
    Start("Targets.json");
    auto barrel = game->Behaviour<bTargetableObjects>("Barrel");
    game->RunFrames(40); // a quiet spell: sparks are due

    const VoiceHandle before = LatestPlay("Damage_false_SFX_");
    barrel->TakeDamage(World(), 10.0f, NO_ENTITY);
    EXPECT_EQ(barrel->CurrentHealth, 90.0f);
    const VoiceHandle first = LatestPlay("Damage_false_SFX_");
    EXPECT_FALSE(first.IsNull());
    EXPECT_FALSE(first == before);
    EXPECT_EQ(Instances("OneshotSparks").size(), 1u);
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "TakeDamage");
    game->RunFrames(1);
    EXPECT_EQ(Clip("Barrel"), "Non_Hover");

    game->RunFrames(10); // 0.2 s after the first hit
    barrel->TakeDamage(World(), 10.0f, NO_ENTITY);
    EXPECT_EQ(barrel->CurrentHealth, 80.0f);
    EXPECT_FALSE(LatestPlay("Damage_false_SFX_") == first) << "every hit plays the sound";
    EXPECT_LE(Instances("OneshotSparks").size(), 1u) << "no second spark within half a second";

    // Guarded hits: nothing at all.
    const VoiceHandle last = LatestPlay("Damage_false_SFX_");
    barrel->TakeDamage(World(), 0.0f, NO_ENTITY);
    barrel->Invulnerable = true;
    barrel->TakeDamage(World(), 30.0f, NO_ENTITY);
    EXPECT_EQ(barrel->CurrentHealth, 80.0f);
    EXPECT_TRUE(LatestPlay("Damage_false_SFX_") == last);
    game->RunFrames(2);
    EXPECT_EQ(Clip("Barrel"), "Non_Hover");
}

TEST_F(TargetsTest, HealthAboveTheMaximumIsLoweredInTheFirstUpdate)
{
    Start("Targets.json");
    EXPECT_EQ(game->Behaviour<bTargetableObjects>("Overfull")->CurrentHealth, 100.0f);
}

TEST_F(TargetsTest, BreakingSpawnsEachPrefabWithItsOwnListEntries)
{
    Start("Targets.json");
    const Entity tank = game->Find("Tank");
    const Vector2 place = PositionOf(tank);
    auto grid = game->Behaviour<bUniqueGrid>("PathfindingGrid");
    ASSERT_TRUE(grid->Grid->Holds(tank));
    const std::vector<char> mapBefore = grid->OccupancyMap;

    game->Behaviour<bTargetableObjects>("Tank")->TakeDamage(World(), 500.0f, NO_ENTITY);
    game->RunFrames(1);

    EXPECT_EQ(game->Find("Tank"), NO_ENTITY);
    EXPECT_FALSE(grid->Grid->Holds(tank));
    EXPECT_EQ(grid->OccupancyMap, mapBefore) << "the cells stay blocked until a door rebuilds the map";
    const auto& renderer = *World().GetSystem<sRendererSystem>();
    EXPECT_EQ(renderer.shakeDuration, 1.0f);
    EXPECT_EQ(renderer.shakeMagnitude, 1.0f);
    EXPECT_EQ(renderer.shakeRotation, 1.0f);
    EXPECT_EQ(renderer.shakeOrigin.x, 960.0f);
    EXPECT_EQ(renderer.shakeOrigin.y, 540.0f);

    const std::vector<Entity> areas = Instances("Explosion_AOE");
    ASSERT_EQ(areas.size(), 3u);
    const struct
    {
        float range, drawn, damage, duration, tick, friendlyFire;
    } expected[] = {
        {140, 140, 70, 0.5f, 0, 0.25f},
        {90, 90, 8, 3, 0.5f, 0.5f},
        {80, 111, 9, 4, 0.25f, 0.75f}, // EffectRange has no third entry: the prefab's range and size
    };
    for (std::size_t i = 0; i < areas.size(); ++i)
    {
        SCOPED_TRACE(i);
        auto area = World().GetBehaviourAs<bAOEdamage>(areas[i]);
        ASSERT_TRUE(area);
        EXPECT_EQ(area->Range, expected[i].range);
        EXPECT_EQ(World().GetComponent<Renderer>(areas[i])->scaleX, expected[i].drawn);
        EXPECT_EQ(World().GetComponent<Renderer>(areas[i])->scaleY, expected[i].drawn);
        EXPECT_EQ(area->Damage, expected[i].damage);
        EXPECT_EQ(area->Duration, expected[i].duration);
        EXPECT_EQ(area->DamageTick, expected[i].tick);
        EXPECT_EQ(area->FriendlyFire, expected[i].friendlyFire);
        EXPECT_EQ(PositionOf(areas[i]).x, place.x);
        EXPECT_EQ(PositionOf(areas[i]).y, place.y);
    }
    // Not a damage area: only placed.
    const std::vector<Entity> sparks = Instances("OneshotSparks");
    ASSERT_EQ(sparks.size(), 1u);
    EXPECT_EQ(PositionOf(sparks[0]).x, place.x);

    // Broken once: no second set of areas while the first ones still burn.
    game->RunFrames(5);
    EXPECT_EQ(Instances("Explosion_AOE").size(), 3u);
}

TEST_F(TargetsTest, ATargetWithNoHealthBreaksInItsFirstUpdate)
{
    Start("TargetBrokenAtLoad.json");
    EXPECT_EQ(game->Find("Crate"), NO_ENTITY);
    EXPECT_EQ(Instances("Explosion_AOE").size(), 1u);
}

// A left click on a target gives it to exactly one selected soldier: a free one that sees it
// clearly and has rounds, else the first that sees it and has ammunition; nobody otherwise.
TEST_F(TargetsTest, AClickGivesTheTargetToExactlyOneSelectedSoldier)
{
    Start("TargetClick.json");
    auto soldier = [&](const char* name) { return game->Behaviour<bPlayerBehaviour>(name); };
    auto click = [&](Vector2 point) {
        const CursorPoint pixel = game->WindowPointOf(point.x, point.y);
        game->Click(pixel.x, pixel.y);
    };
    const Entity near = game->Find("NearCrate");
    const Entity far = game->Find("FarCrate");
    const Entity last = game->Find("LastCrate");

    // Nobody selected: nobody is sent.
    click(PositionOf(near));
    game->RunFrames(2);
    for (const char* name : {"Player_1", "Player_2", "Player_3", "Player_4"})
        EXPECT_EQ(soldier(name)->Target, NO_ENTITY) << name;

    game->Tap('5'); // every soldier selected
    click(PositionOf(near));
    EXPECT_EQ(soldier("Player_1")->Target, near) << "the first free soldier that sees it";
    EXPECT_EQ(soldier("Player_2")->Target, NO_ENTITY);
    // Released, settled, up: only then is the next press a new click.
    game->RunFrames(3);

    click(PositionOf(far));
    EXPECT_EQ(soldier("Player_1")->Target, near);
    EXPECT_EQ(soldier("Player_2")->Target, far) << "the first is busy: the next free one";
    game->RunFrames(3);

    click(PositionOf(last));
    EXPECT_EQ(soldier("Player_1")->Target, last) << "nobody free: the first that sees it and has rounds";
    EXPECT_EQ(soldier("Player_2")->Target, far);
    // Player_3 stands behind a wall, Player_4 carries no rounds: neither is ever sent.
    EXPECT_EQ(soldier("Player_3")->Target, NO_ENTITY);
    EXPECT_EQ(soldier("Player_4")->Target, NO_ENTITY);
}
