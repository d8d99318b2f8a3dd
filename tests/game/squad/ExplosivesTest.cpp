#include "DamageScenes.h"

#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/sLightingSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bGameController.h"

#include <algorithm>
#include <cmath>

// Thrown grenades and molotovs: the flight along the throw path (snapping to each bounce point
// and mirroring on the wall there), the rest, the one explosion with its area and light.

namespace
{
// Seconds at rest after which an explosive with this delay goes off, counted as it counts them.
int StepsBeforeExplosion(float delay)
{
    float rest = 0.0f;
    int steps = 0;
    while (!(rest > delay))
    {
        rest += 1.0f / 60.0f;
        ++steps;
    }
    return steps;
}

class ExplosivesTest : public DamageGameTest
{
protected:
    // Spawns the prefab on the thrower and launches it as a soldier's throw does: along the
    // facing, a velocity of 1.5 times the distance, a "throw" push of 50 for the time the
    // distance needs, and copies of the throw path and its wall normals.
    Entity Throw(const std::string& prefab, Vector2 from, float facing, float distance, std::vector<Vector2> path,
                 std::vector<Vector2> normals)
    {
        const Entity thrown = InstantiatePrefab(World(), prefab);
        Transform* transform = World().GetComponent<Transform>(thrown);
        transform->previousPosition = transform->position;
        transform->position = from;
        const Vector2 direction{std::cos(facing), std::sin(facing)};
        PhysicsMovement* movement = World().GetComponent<PhysicsMovement>(thrown);
        movement->velocity = {distance * direction.x * 1.5f, distance * direction.y * 1.5f};
        movement->AddForce(0, (std::sqrt(distance * distance + 100.0f * distance) - distance) / 50.0f, 0.0f, direction,
                           50.0f, "throw");
        auto explosive = World().GetBehaviourAs<bExplosives>(thrown);
        explosive->BouncePoints = std::move(path);
        explosive->BounceNormals = std::move(normals);
        return thrown;
    }

    Vector2 VelocityOf(Entity entity) { return World().GetComponent<PhysicsMovement>(entity)->velocity; }

    // Runs frames until the entity stands on the point (at most `limit`); the frames it took.
    int RunUntilAt(Entity entity, Vector2 point, int limit)
    {
        for (int frame = 1; frame <= limit; ++frame)
        {
            game->RunFrames(1);
            if (!World().IsAlive(entity))
                return -1;
            const Vector2 at = PositionOf(entity);
            if (at.x == point.x && at.y == point.y)
                return frame;
        }
        return -1;
    }

    template <class Range>
    static bool Holds(const Range& range, Entity entity)
    {
        return std::find(range.begin(), range.end(), entity) != range.end();
    }
};
}

TEST_F(ExplosivesTest, AGrenadeBouncesOffTheWallStopsOnItsLandingPointAndExplodesOnce)
{
    Start("Throws.json");
    // 500 units at the wall whose face is 300 units ahead: 200 units back after the bounce.
    const Entity grenade = Throw("Grenade", {700, 540}, 0.0f, 500.0f, {{1000, 540}, {800, 540}}, {{-1, 0}});
    auto explosive = World().GetBehaviourAs<bExplosives>(grenade);

    game->RunFrames(1);
    EXPECT_GT(PositionOf(grenade).x, 700.0f);
    EXPECT_FALSE(LatestPlay("Throw_false_SFX_").IsNull()) << "SFXDelay 1 sounds in the first moving Update";

    ASSERT_GT(RunUntilAt(grenade, {1000, 540}, 60), 0) << "snaps onto the bounce point";
    const Vector2 bounced = VelocityOf(grenade);
    EXPECT_LT(bounced.x, -700.0f) << "mirrored on the wall";
    EXPECT_EQ(bounced.y, 0.0f);
    EXPECT_EQ(explosive->BouncePoints.size(), 1u);
    EXPECT_TRUE(explosive->BounceNormals.empty());

    ASSERT_GT(RunUntilAt(grenade, {800, 540}, 60), 0) << "stops dead on the landing point";
    EXPECT_EQ(VelocityOf(grenade).x, 0.0f);
    EXPECT_EQ(VelocityOf(grenade).y, 0.0f);
    EXPECT_TRUE(World().GetComponent<PhysicsMovement>(grenade)->forces.empty());
    EXPECT_TRUE(explosive->AtRest);
    EXPECT_TRUE(explosive->BouncePoints.empty());

    const int wait = StepsBeforeExplosion(explosive->ExplodeDelay);
    game->RunFrames(wait - 1);
    EXPECT_TRUE(World().IsAlive(grenade));
    EXPECT_TRUE(Instances("Explosion_AOE").empty());
    EXPECT_EQ(PositionOf(grenade).x, 800.0f) << "rests where it landed";

    game->RunFrames(1);
    EXPECT_FALSE(World().IsAlive(grenade));
    const std::vector<Entity> areas = Instances("Explosion_AOE");
    const std::vector<Entity> lights = Instances("ExplosionLight");
    ASSERT_EQ(areas.size(), 1u);
    ASSERT_EQ(lights.size(), 1u);
    for (Entity spawned : {areas[0], lights[0]})
    {
        EXPECT_EQ(PositionOf(spawned).x, 800.0f);
        EXPECT_EQ(PositionOf(spawned).y, 540.0f);
    }
    // The grenade's figures replace the area prefab's; its DamageTick of 0 keeps the prefab's.
    auto area = World().GetBehaviourAs<bAOEdamage>(areas[0]);
    EXPECT_EQ(area->Range, 110.0f);
    EXPECT_EQ(area->Damage, 120.0f);
    EXPECT_EQ(area->Duration, 0.5f);
    EXPECT_EQ(area->FriendlyFire, 0.5f);
    EXPECT_EQ(World().GetComponent<Renderer>(areas[0])->scaleX, 110.0f * 1.39f);
    EXPECT_TRUE(World().GetComponent<Renderer>(areas[0])->animated);
    // Its light shines from this frame on and retires by itself.
    EXPECT_TRUE(Holds(World().GetSystem<sLightingSystem>()->ambientLights, lights[0]));
    EXPECT_TRUE(Holds(World().GetSystem<sRendererSystem>()->ambientLights, lights[0]));
    EXPECT_EQ(World().GetSystem<sRendererSystem>()->shakeDuration, 1.0f) << "a grenade shakes the screen";

    for (int frame = 0; frame < 60; ++frame)
    {
        game->RunFrames(1);
        ASSERT_LE(Instances("Explosion_AOE").size(), 1u) << "one explosion only";
        ASSERT_TRUE(WorldIsSane(World())) << "after frame " << frame << " of the explosion";
    }
    EXPECT_TRUE(Instances("Explosion_AOE").empty()) << "the blast ends with its Duration";
    EXPECT_TRUE(Instances("ExplosionLight").empty());
}

TEST_F(ExplosivesTest, AnExplosiveThatSlowsShortOfItsLandingPointRestsAndExplodesWhereItStopped)
{
    Start("Throws.json");
    // A throw of 100 units handed a path that ends 300 units away: it never gets there.
    const Entity grenade = Throw("Grenade", {400, 300}, 0.0f, 100.0f, {{700, 300}}, {});
    auto explosive = World().GetBehaviourAs<bExplosives>(grenade);
    int frames = 0;
    while (!explosive->AtRest && frames < 300)
    {
        game->RunFrames(1);
        ++frames;
    }
    ASSERT_TRUE(explosive->AtRest);
    const Vector2 rest = PositionOf(grenade);
    EXPECT_GT(rest.x, 500.0f);
    EXPECT_LT(rest.x, 560.0f);
    EXPECT_EQ(explosive->BouncePoints.size(), 1u) << "the landing point was never reached";

    game->RunFrames(StepsBeforeExplosion(explosive->ExplodeDelay) + 1);
    const std::vector<Entity> areas = Instances("Explosion_AOE");
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_NEAR(PositionOf(areas[0]).x, rest.x, 0.01f);
    EXPECT_EQ(PositionOf(areas[0]).y, 300.0f);
}

TEST_F(ExplosivesTest, AnExplosiveThatNeverMovesStaysSilentAndExplodesInPlace)
{
    Start("Throws.json");
    const Entity grenade = InstantiatePrefab(World(), "Grenade");
    World().GetComponent<Transform>(grenade)->position = {300, 800};
    auto explosive = World().GetBehaviourAs<bExplosives>(grenade);
    // A bounce point within reach: a step of no length must neither reach it nor divide by zero.
    explosive->BouncePoints = {{310, 800}, {400, 800}};
    explosive->BounceNormals = {{-1, 0}};

    game->RunFrames(StepsBeforeExplosion(explosive->ExplodeDelay));
    EXPECT_TRUE(World().IsAlive(grenade));
    EXPECT_EQ(PositionOf(grenade).x, 300.0f);
    EXPECT_EQ(explosive->BouncePoints.size(), 2u);
    EXPECT_EQ(explosive->LaunchSpeedSquared, 0.0f);

    game->RunFrames(1);
    EXPECT_FALSE(World().IsAlive(grenade)) << "a little more than ExplodeDelay after its first Update";
    ASSERT_EQ(Instances("Explosion_AOE").size(), 1u);
    EXPECT_EQ(PositionOf(Instances("Explosion_AOE")[0]).x, 300.0f);
    EXPECT_TRUE(LatestPlay("Throw_false_SFX_").IsNull()) << "no launch speed, no sound";
}

TEST_F(ExplosivesTest, AMolotovSoundsOnLandingAndLeavesAFireThatTakesItsFiguresAndGrows)
{
    Start("Throws.json");
    const Entity molotov = Throw("Molotov", {1500, 300}, 3.14159265f, 300.0f, {{1200, 300}}, {});
    ASSERT_GT(RunUntilAt(molotov, {1200, 300}, 60), 0);
    EXPECT_FALSE(LatestPlay("MolotovBurst_false_SFX_").IsNull()) << "the glass breaks as it lands";
    EXPECT_EQ(World().GetSystem<sRendererSystem>()->shakeDuration, 0.0f) << "a molotov does not shake the screen";

    const int wait = StepsBeforeExplosion(World().GetBehaviourAs<bExplosives>(molotov)->ExplodeDelay);
    game->RunFrames(wait - 1);
    ASSERT_TRUE(Instances("Fire_AOE").empty());
    game->RunFrames(1);
    const std::vector<Entity> fires = Instances("Fire_AOE");
    ASSERT_EQ(fires.size(), 1u);
    auto fire = World().GetBehaviourAs<bAOEdamage>(fires[0]);
    EXPECT_EQ(fire->Damage, 10.0f);
    EXPECT_EQ(fire->Duration, 6.0f);
    EXPECT_EQ(fire->DamageTick, 0.5f);
    // It starts from the molotov's range and grows at the rate its prefab gave it (its first
    // Update may already have run in the explosion's pass); from its first fixed step on, the
    // drawn size follows the radius instead of 1.39 times the molotov's range.
    const float rate = (110.0f - 60.0f) / 1.5f;
    const float start = fire->Range;
    EXPECT_GE(start, 70.0f);
    EXPECT_LE(start, 70.0f + rate / 60.0f + 0.001f);
    game->RunFrames(60);
    EXPECT_NEAR(fire->Range, start + rate, 0.05f);
    EXPECT_EQ(World().GetComponent<Renderer>(fires[0])->scaleX, fire->Range);
}

// The path the throw preview draws is the path the grenade flies: Q aims at the cursor, a left
// click throws, and the grenade bounces where the preview bent and lands under the indicator.
TEST_F(ExplosivesTest, TheGrenadeFliesThePathTheThrowPreviewDrew)
{
    Start("ThrowPreview.json");
    game->Tap('1');
    const CursorPoint aim = game->WindowPointOf(1200, 540);
    game->MoveCursor(aim.x, aim.y);
    game->Tap('Q');
    game->RunFrames(1);
    auto controller = game->Behaviour<bGameController>("GameController");
    ASSERT_EQ(controller->ThrowMode, 1);
    ASSERT_FALSE(controller->AoeIndicators.empty());
    const Vector2 landing = PositionOf(*controller->AoeIndicators.begin());
    EXPECT_NEAR(landing.x, 800.0f, 1.0f);
    EXPECT_NEAR(landing.y, 540.0f, 1.0f);

    game->Click(aim.x, aim.y);
    const std::vector<Entity> grenades = Instances("Grenade");
    ASSERT_EQ(grenades.size(), 1u);
    auto explosive = World().GetBehaviourAs<bExplosives>(grenades[0]);
    ASSERT_EQ(explosive->BouncePoints.size(), 2u);
    EXPECT_NEAR(explosive->BouncePoints[0].x, 1000.0f, 1.0f);
    EXPECT_EQ(explosive->BouncePoints[1].x, landing.x);

    ASSERT_GT(RunUntilAt(grenades[0], explosive->BouncePoints[0], 60), 0);
    ASSERT_GT(RunUntilAt(grenades[0], landing, 60), 0);
    game->RunFrames(StepsBeforeExplosion(explosive->ExplodeDelay));
    ASSERT_EQ(Instances("Explosion_AOE").size(), 1u);
    EXPECT_EQ(PositionOf(Instances("Explosion_AOE")[0]).x, landing.x);
}

// However often it is updated before the destruction pass takes it, an explosive explodes once.
TEST_F(ExplosivesTest, AnExplosiveUpdatedAgainBeforeItIsGoneDoesNotExplodeTwice)
{
    Start("Throws.json");
    const Entity grenade = InstantiatePrefab(World(), "Grenade");
    auto explosive = World().GetBehaviourAs<bExplosives>(grenade);
    explosive->AtRest = true;
    explosive->RestTimer = explosive->ExplodeDelay + 0.01f;
    explosive->Update(World());
    explosive->Update(World());
    EXPECT_EQ(std::count(World().PendingDestroy.begin(), World().PendingDestroy.end(), grenade), 1);
    EXPECT_EQ(Instances("Explosion_AOE").size(), 1u);
    EXPECT_EQ(Instances("ExplosionLight").size(), 1u);
    game->RunFrames(1);
    EXPECT_FALSE(World().IsAlive(grenade));
    EXPECT_EQ(Instances("Explosion_AOE").size(), 1u);
}
