// Where the game hands scene changes to lighting and drawing: the first scene at start-up, a
// scene swap, the end-of-frame destruction pass, and a hover in cursor picking.
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/systems/sLightingSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "support/ContactRecorder.h"
#include "support/PhysicsWorld.h"
#include "support/TestGame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
struct DrawingWiring : ::testing::Test
{
    TestGame game{TestGame::Fixture("scenes/DrawingScene.json")};
    Coordinator& coordinator = *game.coordinator;
    sRendererSystem& renderer = *coordinator.GetSystem<sRendererSystem>();
    sLightingSystem& lighting = *coordinator.GetSystem<sLightingSystem>();
};
}

TEST_F(DrawingWiring, TheFirstSceneIsLitFromTheStart)
{
    const Entity lamp = game.Find("Lamp");
    const Entity torch = game.Find("Torch");
    EXPECT_THAT(renderer.ambientLights, ElementsAre(lamp));
    EXPECT_THAT(renderer.spotLights, ElementsAre(torch));
    EXPECT_THAT(lighting.ambientLights, ElementsAre(lamp));
    EXPECT_THAT(lighting.spotLights, ElementsAre(torch));
    EXPECT_EQ(lighting.occluders.size(), 4u);
    EXPECT_EQ(renderer.wallCount, 4);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(game.Find("Logo"))->renderKind, 1);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(game.Find("Caption"))->renderKind, 2);
    EXPECT_FLOAT_EQ(coordinator.AspectRatio, 16.0f / 9.0f) << "known before the first frame";

    game.RunFrames(2);
    EXPECT_EQ(renderer.ambientCount, 1);
    EXPECT_EQ(renderer.spotCount, 1);
}

TEST_F(DrawingWiring, DestroyedWallsAndLightsLeaveAtTheEndOfTheFrame)
{
    game.RunFrames(1);
    coordinator.DestroyEntity(game.Find("Pillar"));
    coordinator.DestroyEntity(game.Find("Lamp"));
    EXPECT_EQ(lighting.occluders.size(), 4u) << "nothing happens before the end of the frame";
    game.RunFrames(1);
    EXPECT_THAT(lighting.occluders, IsEmpty());
    EXPECT_EQ(renderer.wallCount, 0);
    EXPECT_THAT(renderer.ambientLights, IsEmpty());
    EXPECT_THAT(lighting.ambientLights, IsEmpty());
    EXPECT_EQ(renderer.spotLights.size(), 1u);
    game.RunFrames(1);
    EXPECT_EQ(renderer.ambientCount, 0);
}

TEST_F(DrawingWiring, AScenesSwapRebuildsLightsAndWalls)
{
    game.RunFrames(1);
    coordinator.DestroyEntity(game.Find("Pillar"));
    game.RunFrames(1);
    ASSERT_THAT(lighting.occluders, IsEmpty());
    coordinator.PendingScene = TestGame::Fixture("scenes/DrawingScene.json");
    game.RunFrames(1);
    EXPECT_EQ(lighting.occluders.size(), 4u);
    EXPECT_EQ(renderer.wallCount, 4);
    EXPECT_THAT(renderer.ambientLights, ElementsAre(game.Find("Lamp")));
    EXPECT_THAT(lighting.spotLights, ElementsAre(game.Find("Torch")));
}

TEST(DrawingWiringText, ATextShownAfterItsSceneLoadedIsDrawnAsText)
{
    // The caption types "HELLO" and then shows the next one, which joins the renderer only then;
    // nothing is hovered, so no refresh reads its tags.
    TestGame game(TestGame::Fixture("scenes/screen/Texts.json"));
    Coordinator& coordinator = *game.coordinator;
    const Entity next = game.Find("Next_Caption");
    const sRendererSystem& renderer = *coordinator.GetSystem<sRendererSystem>();
    game.RunFrames(30);
    ASSERT_EQ(renderer.entities.count(next), 1u);
    EXPECT_EQ(coordinator.GetComponent<Renderer>(next)->renderKind, 2);
}

TEST(DrawingWiringPicking, AHoverRefreshesTheRenderersLists)
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    sRendererSystem& renderer = *coordinator.SystemManager.RegisterSystem<sRendererSystem>();
    std::vector<std::string> journal;
    ContactRecorder::Journal() = &journal;
    coordinator.CameraEntity = world.Thing("Camera", {960, 540});
    const Entity button = world.Collider("Button", ColliderRectangle, {100, 100}, {60, 60}, {}, {"UIBUTTON"});
    world.Attach<ContactRecorder>(button);
    const Entity lamp = world.Thing("Lamp", {0, 0}, {"AMBIENTLIGHT"});
    coordinator.AddComponent<Lighting>(lamp);
    world.collision->RebuildGrid(coordinator, world.Grid());

    *coordinator.WorldCursor = {500, 500};
    world.picking->Update(coordinator);
    EXPECT_THAT(renderer.ambientLights, IsEmpty()) << "nothing hovered, nothing refreshed";
    *coordinator.WorldCursor = {100, 100};
    world.picking->Update(coordinator);
    EXPECT_THAT(renderer.ambientLights, ElementsAre(lamp));
    ContactRecorder::Journal() = nullptr;
}
