#include "game/flow/PublishedInstances.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/bGameController.h"
#include "support/ContactRecorder.h"
#include "support/PhysicsWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
struct PickingTest : testing::Test
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    std::vector<std::string> journal;
    Entity camera = world.Thing("Camera", {960, 540});

    void SetUp() override
    {
        ContactRecorder::Journal() = &journal;
        coordinator.CameraEntity = camera;
    }
    void TearDown() override
    {
        ContactRecorder::Journal() = nullptr;
        ResetPublishedInstances();
    }

    Entity Pickable(const std::string& tag, ColliderType type, Vector2 position, Vector2 size, int layer)
    {
        const Entity entity = world.Collider(tag, type, position, size, {}, {"DECOR", tag});
        world.ShapeOf(entity).layer = layer;
        return entity;
    }
    Entity Recorded(Entity entity)
    {
        world.Attach<ContactRecorder>(entity);
        return entity;
    }
    // Places the colliders (twice, so screen-space ones are inserted) and picks at the cursors.
    void PickAt(Vector2 worldCursor, Vector2 screenCursor = {-5000, -5000})
    {
        world.collision->RebuildGrid(coordinator, world.Grid());
        world.collision->RebuildGrid(coordinator, world.Grid());
        *coordinator.WorldCursor = {static_cast<long>(worldCursor.x), static_cast<long>(worldCursor.y)};
        *coordinator.ScreenCursor = {static_cast<long>(screenCursor.x), static_cast<long>(screenCursor.y)};
        world.picking->Update(coordinator);
    }
    Entity Winner() const { return world.picking->hits.empty() ? NO_ENTITY : world.picking->hits.rbegin()->second; }
};
}

TEST_F(PickingTest, TheHighestLayerUnderTheCursorIsHovered)
{
    const Entity low = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 1));
    const Entity high = Recorded(Pickable("TARGETABLE", ColliderCircle, {110, 100}, {40, 40}, 3));
    PickAt({105, 100});
    EXPECT_THAT(journal, ElementsAre(std::to_string(high) + " hovered"));
    PickAt({80, 100}); // outside the circle
    EXPECT_THAT(journal, ElementsAre(std::to_string(high) + " hovered", std::to_string(low) + " hovered"));
}

TEST_F(PickingTest, OnlyButtonsSoldiersAndTargetsReact)
{
    const Entity decor = world.Collider("Decor", ColliderRectangle, {100, 100}, {60, 60}, {}, {"DECOR"});
    world.ShapeOf(decor).layer = 9;
    Recorded(decor);
    Recorded(Pickable("PLAYER", ColliderLineSegment, {100, 100}, {60, 60}, 8));
    const Entity player = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 1));
    PickAt({100, 100});
    EXPECT_THAT(journal, ElementsAre(std::to_string(player) + " hovered"));
}

TEST_F(PickingTest, OnEqualLayersTheLowerIdWins)
{
    const Entity first = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 2));
    Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 2));
    PickAt({100, 100});
    EXPECT_THAT(journal, ElementsAre(std::to_string(first) + " hovered"));
}

TEST_F(PickingTest, RectanglesIncludeTheirLowerAndLeftEdgesOnly)
{
    const Entity box = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 1)); // 70..130
    struct Case
    {
        Vector2 cursor;
        bool hit;
    };
    for (const Case& c : {Case{{70, 70}, true}, Case{{129, 129}, true}, Case{{130, 100}, false}, Case{{100, 130}, false}})
    {
        PickAt(c.cursor);
        EXPECT_EQ(Winner() == box, c.hit) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST_F(PickingTest, AnInactiveButtonIsSkippedAndAnEntityBelowItWins)
{
    const Entity player = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 1));
    const Entity button = Pickable("UIBUTTON", ColliderRectangle, {100, 100}, {60, 60}, 5);
    auto behaviour = world.Attach<bUIButtonBehaviour>(button);
    PickAt({100, 100});
    EXPECT_EQ(Winner(), button);
    EXPECT_THAT(journal, IsEmpty());

    behaviour->active = false;
    PickAt({100, 100});
    EXPECT_EQ(Winner(), player);
    EXPECT_THAT(journal, ElementsAre(std::to_string(player) + " hovered"));
}

TEST_F(PickingTest, NothingIsHoveredWhileTheSquadControllerUsesTheMouse)
{
    Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 1));
    const Entity squad = world.Thing("Squad", {0, 0});
    auto controller = world.Attach<bGameController>(squad);
    GameControllerInstance() = controller.get();
    controller->MouseConsumed = true;
    PickAt({100, 100});
    EXPECT_THAT(journal, IsEmpty());
    controller->MouseConsumed = false;
    PickAt({100, 100});
    EXPECT_EQ(journal.size(), 1u);
}

TEST_F(PickingTest, ScreenSpaceButtonsAreTestedInReferenceUnitsAtAnyWindowSize)
{
    // Bound to the camera: placed at the screen point (1700, 100) of the 1920 by 1080 view.
    const Entity button = Pickable("UIBUTTON", ColliderRectangle, {1700, 100}, {100, 50}, 4);
    world.Attach<bUIButtonBehaviour>(button)->BindToCamera = true;
    // A soldier in the world under the same screen pixel does not matter: the world cursor is
    // far from it.
    struct Case
    {
        int width;
        int height;
        Vector2 pixel;
        bool hit;
    };
    const Case cases[] = {
        {1920, 1080, {1700, 100}, true},
        {1920, 1080, {1751, 100}, false},
        {960, 540, {850, 50}, true},    // the same spot in a half-size window
        {960, 540, {1700, 100}, false}, // the reference position itself lies outside it
        {1280, 720, {1133, 67}, true},
    };
    for (const Case& c : cases)
    {
        coordinator.WindowWidth = c.width;
        coordinator.WindowHeight = c.height;
        PickAt({-5000, -5000}, c.pixel);
        EXPECT_EQ(Winner() == button, c.hit) << c.width << " " << c.pixel.x;
    }
    coordinator.WindowWidth = 1920;
    coordinator.WindowHeight = 1080;
    *coordinator.ScreenCursor = {1234, 567};
    const Vector2 unchanged = sUIButtonSystem::ScreenCursorInReferenceUnits(coordinator);
    EXPECT_EQ(unchanged.x, 1234.0f);
    EXPECT_EQ(unchanged.y, 567.0f);
}

TEST_F(PickingTest, AWorldCandidateBeatsAScreenCandidateOnTheSameLayer)
{
    const Entity button = Pickable("UIBUTTON", ColliderRectangle, {500, 500}, {100, 100}, 2);
    world.Attach<bUIButtonBehaviour>(button)->BindToCamera = true;
    const Entity player = Recorded(Pickable("PLAYER", ColliderRectangle, {100, 100}, {60, 60}, 2));
    PickAt({100, 100}, {500, 500});
    EXPECT_EQ(Winner(), player);
    EXPECT_EQ(world.picking->testedCursor.x, 500.0f) << "the last candidate tested was the button";
}
