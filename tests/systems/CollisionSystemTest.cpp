#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/ShapeTests.h"
#include "support/AssertCapture.h"
#include "support/ContactRecorder.h"
#include "support/PhysicsWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
struct CollisionSystemTest : testing::Test
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    std::vector<std::string> journal;

    void SetUp() override { ContactRecorder::Journal() = &journal; }
    void TearDown() override { ContactRecorder::Journal() = nullptr; }

    void Collide() { world.collision->Update(coordinator); }
    Entity Recorded(Entity entity)
    {
        world.Attach<ContactRecorder>(entity);
        return entity;
    }
    Vector2 PositionOf(Entity entity) { return world.TransformOf(entity).position; }
};

// A behaviour that marks its collider as living in screen space.
class ScreenElement : public IBehaviour
{
public:
    static constexpr const char* ClassName = "ScreenElement";
    ScreenElement() { BindToCamera = true; }
    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
};
}

TEST_F(CollisionSystemTest, CirclesPushAMovableCircleHalfEachAndAFixedOneWholly)
{
    // A moves 10 units per step toward B, 25 units away; they meet within the step.
    const Entity a = world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0});
    const Entity b = world.Collider("B", ColliderCircle, {25, 0}, {20, 20});
    world.CollisionOf(b).isMovable = true;
    Collide();
    // After A's step the centres would be 15 apart, 5 too close: each moves half of that plus 1.
    EXPECT_FLOAT_EQ(PositionOf(a).x, -3.5f);
    EXPECT_FLOAT_EQ(PositionOf(b).x, 28.5f);
    EXPECT_FLOAT_EQ(world.TransformOf(a).previousPosition.x, 0.0f);
    EXPECT_FLOAT_EQ(world.TransformOf(b).previousPosition.x, 25.0f);

    PhysicsWorld fixed;
    const Entity c = fixed.Collider("C", ColliderCircle, {0, 0}, {20, 20}, {600, 0});
    fixed.Collider("D", ColliderCircle, {25, 0}, {20, 20});
    fixed.collision->Update(fixed.coordinator);
    // The whole overlap plus 1: after its step C ends 21 from D's centre.
    EXPECT_FLOAT_EQ(fixed.TransformOf(c).position.x, -6.0f);
    EXPECT_FLOAT_EQ(fixed.MovementOf(c).velocity.x, 600.0f);
}

TEST_F(CollisionSystemTest, AReflectiveCircleBouncesOffAFixedCircle)
{
    const Entity a = world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0});
    world.CollisionOf(a).isReflective = true;
    world.Collider("B", ColliderCircle, {25, 0}, {20, 20});
    Collide();
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.x, -600.0f);
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.y, 0.0f);
}

TEST_F(CollisionSystemTest, ACircleStopsOneUnitShortOfABox)
{
    const Entity a = world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0});
    world.Collider("Box", ColliderRectangle, {25, 0}, {20, 40});
    Collide();
    // Its step would end 5 units from the face (x 15); it goes back 6, ending 1 unit clear.
    EXPECT_FLOAT_EQ(PositionOf(a).x, -6.0f);
    EXPECT_FLOAT_EQ(PositionOf(a).y, 0.0f);
}

TEST_F(CollisionSystemTest, ACircleWhoseCentreEntersABoxLeavesThroughTheNearestFace)
{
    const Entity a = world.Collider("A", ColliderCircle, {20, 0}, {20, 20}, {60, 0});
    world.Collider("Box", ColliderRectangle, {25, 0}, {20, 40}); // x 15..35, y -20..20
    Collide();
    // After its step the centre is at 21, 6 inside the left face: out by 6 + radius + 1.
    EXPECT_FLOAT_EQ(PositionOf(a).x, 3.0f);
    EXPECT_FLOAT_EQ(PositionOf(a).y, 0.0f);
}

TEST_F(CollisionSystemTest, AReflectiveCircleMeetsABoxGrownByItsRadiusOnEverySide)
{
    // From the right: the grown right face is at 45 + 10 = 55, reached at t = 0.75.
    const Entity fromRight = world.Collider("R", ColliderCircle, {70, 0}, {20, 20}, {-1200, 0});
    world.CollisionOf(fromRight).isReflective = true;
    world.Collider("Box", ColliderRectangle, {35, 0}, {20, 40}); // x 25..45
    Collide();
    EXPECT_FLOAT_EQ(world.MovementOf(fromRight).velocity.x, 1200.0f);
    EXPECT_FLOAT_EQ(PositionOf(fromRight).x, 64.0f);

    PhysicsWorld other;
    const Entity fromAbove = other.Collider("U", ColliderCircle, {35, 45}, {20, 20}, {0, -1200});
    other.CollisionOf(fromAbove).isReflective = true;
    other.Collider("Box", ColliderRectangle, {35, 0}, {20, 40}); // top face at 20, grown to 30
    other.collision->Update(other.coordinator);
    EXPECT_FLOAT_EQ(other.MovementOf(fromAbove).velocity.y, 1200.0f);
}

TEST_F(CollisionSystemTest, ACircleSlidesAlongASegment)
{
    const Entity a = world.Collider("A", ColliderCircle, {0, 30}, {20, 20}, {600, -1500});
    world.Collider("Wall", ColliderLineSegment, {0, 0}, {200, 4});
    Collide();
    // The velocity loses its part along the wall's normal.
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.x, 600.0f);
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.y, 0.0f);

    PhysicsWorld head;
    const Entity b = head.Collider("B", ColliderCircle, {0, 30}, {20, 20}, {0, -1500});
    head.Collider("Wall", ColliderLineSegment, {0, 0}, {200, 4});
    head.collision->Update(head.coordinator);
    // Its step would end 5 above the wall: back up to radius + 1 from it.
    EXPECT_FLOAT_EQ(head.TransformOf(b).position.y, 36.0f);

    // A step that would end exactly on the wall has no direction from it: back along the motion.
    PhysicsWorld onLine;
    const float stepLength = 1800.0f * FixedStepSeconds;
    const Entity c = onLine.Collider("C", ColliderCircle, {0, stepLength}, {20, 20}, {0, -1800});
    onLine.Collider("Wall", ColliderLineSegment, {0, 0}, {200, 4});
    onLine.collision->Update(onLine.coordinator);
    EXPECT_FLOAT_EQ(onLine.TransformOf(c).position.y, stepLength + 11.0f);
    EXPECT_FLOAT_EQ(onLine.MovementOf(c).velocity.y, 0.0f);
}

TEST_F(CollisionSystemTest, ABoxLosesTheRestOfItsStepIntoAnotherBox)
{
    const Entity a = world.Collider("A", ColliderRectangle, {0, 0}, {20, 20}, {1200, 0});
    world.Collider("B", ColliderRectangle, {35, 0}, {20, 20});
    Collide();
    // It meets B a quarter of its step early: a quarter of the speed goes.
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.x, 900.0f);
    EXPECT_FLOAT_EQ(PositionOf(a).x, 0.0f);
}

TEST_F(CollisionSystemTest, ABoxStopsOneUnitShortOfACircle)
{
    const Entity a = world.Collider("A", ColliderRectangle, {0, 0}, {20, 20}, {600, 0});
    world.Collider("B", ColliderCircle, {25, 0}, {20, 20});
    Collide();
    EXPECT_FLOAT_EQ(PositionOf(a).x, -6.0f);
}

TEST_F(CollisionSystemTest, ABoxEndsItsExtentPlusOneUnitFromAWallAtAnyAngle)
{
    struct Case
    {
        float degrees;
        float rotation;
    };
    for (const Case& c : {Case{0, 0.0f}, Case{45, 0.7853982f}, Case{135, 2.3561945f}})
    {
        PhysicsWorld w;
        const Vector2 n = {std::sin(c.rotation), -std::cos(c.rotation)};
        const Entity box = w.Collider("Box", ColliderRectangle, {n.x * 20, n.y * 20}, {20, 20}, {-n.x * 600, -n.y * 600});
        const Entity wall = w.Collider("Wall", ColliderLineSegment, {0, 0}, {400, 4});
        w.TransformOf(wall).rotation = c.rotation;
        w.collision->Update(w.coordinator);
        w.movement->Update(w.coordinator);
        const Vector2 p = w.TransformOf(box).position;
        const float extent = 10.0f * (std::abs(n.x) + std::abs(n.y));
        EXPECT_NEAR(p.x * n.x + p.y * n.y, extent + 1.0f, 1e-3) << c.degrees;
    }
}

TEST_F(CollisionSystemTest, TriggersAreToldButNothingMoves)
{
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0}));
    const Entity b = Recorded(world.Collider("B", ColliderCircle, {25, 0}, {20, 20}));
    world.CollisionOf(b).isTrigger = true;
    world.CollisionOf(b).isMovable = true;
    Collide();
    EXPECT_THAT(journal, ElementsAre("0 collides 1", "1 triggers 0"));
    EXPECT_FLOAT_EQ(PositionOf(a).x, 0.0f);
    EXPECT_FLOAT_EQ(PositionOf(b).x, 25.0f);
    EXPECT_FLOAT_EQ(world.MovementOf(a).velocity.x, 600.0f);
}

TEST_F(CollisionSystemTest, DifferentLayersNeverMeet)
{
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0}));
    const Entity b = Recorded(world.Collider("B", ColliderCircle, {25, 0}, {20, 20}, {-600, 0}));
    world.ShapeOf(b).layer = 1;
    Collide();
    EXPECT_THAT(journal, IsEmpty());
    EXPECT_FLOAT_EQ(PositionOf(a).x, 0.0f);
}

TEST_F(CollisionSystemTest, IgnoreSkipsThePartnerOnlyAsTheMoversChoice)
{
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0}, {"SOLDIER"}));
    const Entity b = Recorded(world.Collider("B", ColliderCircle, {25, 0}, {20, 20}, {-600, 0}, {"ZOMBIE"}));
    world.CollisionOf(a).ignoreTag = "ZOMBIE";
    Collide();
    // A skips B, but B as a mover still meets A: B is told first.
    EXPECT_THAT(journal, ElementsAre("1 collides 0", "0 collides 1"));

    journal.clear();
    world.CollisionOf(b).ignoreTag = "SOLDIER";
    Collide();
    EXPECT_THAT(journal, IsEmpty());
}

TEST_F(CollisionSystemTest, APairIsResolvedOncePerFrameAcrossCellsAndSteps)
{
    // Both straddle the border between columns 0 and 1 (x = -145), so they share two cells.
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {-145, -600}, {20, 20}, {600, 0}));
    const Entity b = Recorded(world.Collider("B", ColliderCircle, {-145, -590}, {20, 20}, {-600, 0}));
    world.CollisionOf(b).isTrigger = true;
    coordinator.StepCount = 3;
    Collide();
    EXPECT_THAT(journal, ElementsAre("0 collides 1", "1 triggers 0"));
    EXPECT_THAT(world.CollisionOf(a).handled, IsEmpty());
    EXPECT_THAT(world.CollisionOf(b).handled, IsEmpty());

    journal.clear();
    Collide();
    EXPECT_EQ(journal.size(), 2u) << "a new frame meets the pair again";
}

TEST_F(CollisionSystemTest, EntitiesDestroyedByAContactAreGoneBeforeTheNextStep)
{
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0}));
    const Entity b = Recorded(world.Collider("B", ColliderCircle, {25, 0}, {20, 20}));
    world.CollisionOf(b).isTrigger = true;
    std::shared_ptr<IBehaviour> behaviour;
    coordinator.GetBehaviour(a, behaviour);
    static_cast<ContactRecorder&>(*behaviour).onContact = [](Coordinator& c, Entity other) { c.DestroyEntity(other); };
    coordinator.StepCount = 2;
    Collide();
    EXPECT_THAT(journal, ElementsAre("0 collides 1", "1 triggers 0"));
    EXPECT_FALSE(coordinator.IsAlive(b));
    EXPECT_FALSE(world.Grid().Holds(b));
    EXPECT_EQ(world.collision->entities.count(b), 0u);
}

TEST_F(CollisionSystemTest, OnlyVelocityOrTurningOrAMoveOnBothAxesMakesAMover)
{
    // B overlaps A already, so any motion of A meets it.
    const Entity a = Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}));
    Recorded(world.Collider("B", ColliderCircle, {15, 0}, {20, 20}));
    // A behaviour nudged A along x only: not a mover.
    world.TransformOf(a).previousPosition = {-12, 0};
    Collide();
    EXPECT_THAT(journal, IsEmpty());
    // Nudged along both axes: it moves by that displacement.
    world.TransformOf(a).previousPosition = {-12, -0.001f};
    Collide();
    EXPECT_THAT(journal, ElementsAre("0 collides 1", "1 collides 0"));
    // Turning only: tested, but without motion nothing is met.
    journal.clear();
    world.TransformOf(a).previousPosition = world.TransformOf(a).position;
    world.MovementOf(a).angularVelocity = 0.1f;
    Collide();
    EXPECT_THAT(journal, IsEmpty());
}

TEST_F(CollisionSystemTest, NoStepMeansNoPass)
{
    Recorded(world.Collider("A", ColliderCircle, {0, 0}, {20, 20}, {600, 0}));
    Recorded(world.Collider("B", ColliderCircle, {25, 0}, {20, 20}));
    coordinator.StepCount = 0;
    Collide();
    EXPECT_THAT(journal, IsEmpty());
}

TEST_F(CollisionSystemTest, AScreenSpaceColliderIsPlacedOnceThenInsertedUnchanged)
{
    const Entity camera = world.Thing("Camera", {100, 50});
    coordinator.CameraEntity = camera;
    const Entity button = world.Collider("Button", ColliderRectangle, {10, 20}, {40, 20});
    world.CollisionOf(button).offset = {1, 2};
    world.Attach<ScreenElement>(button);

    world.collision->RebuildGrid(coordinator, world.Grid());
    EXPECT_TRUE(world.CollisionOf(button).screenPlaced);
    EXPECT_FALSE(world.Grid().Holds(button)) << "placed, not inserted";
    EXPECT_FLOAT_EQ(world.ShapeOf(button).center.x, 960 - 100 + 10 + 1);
    EXPECT_FLOAT_EQ(world.ShapeOf(button).center.y, 540 - 50 + 20 + 2);
    EXPECT_FLOAT_EQ(world.ShapeOf(button).position.x, 871 - 20);

    world.TransformOf(camera).position = {500, 500};
    world.TransformOf(button).position = {0, 0};
    world.collision->RebuildGrid(coordinator, world.Grid());
    EXPECT_TRUE(world.Grid().Holds(button));
    EXPECT_FLOAT_EQ(world.ShapeOf(button).center.x, 871) << "kept where it was first placed";
}

TEST_F(CollisionSystemTest, AnExactQuarterTurnExchangesWidthAndHeightOnce)
{
    const Entity turned = world.Collider("T", ColliderRectangle, {0, 0}, {100, 20});
    const Entity almost = world.Collider("U", ColliderRectangle, {300, 0}, {100, 20});
    world.TransformOf(turned).rotation = 1.5707964f;
    world.TransformOf(almost).rotation = 1.5707963f;
    for (int i = 0; i < 2; ++i)
        world.collision->RebuildGrid(coordinator, world.Grid());
    EXPECT_FLOAT_EQ(world.ShapeOf(turned).size.x, 20);
    EXPECT_FLOAT_EQ(world.ShapeOf(turned).size.y, 100);
    EXPECT_FLOAT_EQ(world.ShapeOf(turned).position.y, -50);
    EXPECT_FLOAT_EQ(world.ShapeOf(almost).size.x, 100);
    EXPECT_EQ(world.ShapeOf(almost).angle, 1.5707963f);

    world.collision->ClearExtentsSwapped(coordinator);
    EXPECT_FALSE(world.CollisionOf(turned).extentsSwapped);
    EXPECT_FLOAT_EQ(world.ShapeOf(turned).size.x, 20) << "the sizes keep their values";
}

TEST_F(CollisionSystemTest, InsertTaggedIntoGridTakesOnlyCarriersOfTheTags)
{
    const Entity wall = world.Collider("Wall", ColliderRectangle, {0, 0}, {40, 40}, {}, {"DECOR", "WALL"});
    const Entity crate = world.Collider("Crate", ColliderRectangle, {100, 0}, {40, 40}, {}, {"CRATE"});
    GridSpec grid(640, 320, -100.0f, -100.0f, 10, 5);
    world.collision->InsertTaggedIntoGrid(coordinator, grid, {"WALL", "DOOR"});
    EXPECT_TRUE(grid.Holds(wall));
    EXPECT_FALSE(grid.Holds(crate));
}

TEST_F(CollisionSystemTest, InsertColliderIntoGridSkipsEntitiesWithoutACollider)
{
    const Entity bare = world.Thing("Bare", {0, 0});
    InsertColliderIntoGrid(coordinator, bare, world.Grid());
    EXPECT_FALSE(world.Grid().Holds(bare));
}

TEST_F(CollisionSystemTest, MoreMembersThanTheEntityLimitIsAnAssert)
{
    for (int id = 0; id <= 1000; ++id)
        world.collision->entities.insert(static_cast<Entity>(id));
    EXPECT_EQ(AssertMessageOf([&] { Collide(); }), "MORE THAN MAXIMUM NUMBER OF COLLIDERS ALLOWED");
}
