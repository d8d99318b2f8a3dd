// Frame clocks, sheet lookups by tag, hold and one-shot endings, and one-shot effects spawned
// from prefabs.
#include "engine/platform/PrefabFile.h"
#include "engine/systems/OneShotEffects.h"
#include "support/GlTestContext.h"
#include "support/RenderWorld.h"
#include "support/TempWorkingFolder.h"
#include "systems/DrawingAssets.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
struct AnimationSystem : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        DrawingAssets::Write();
        // A one-shot clip of four frames.
        TempWorkingFolder::WritePng("Resources/animation/ONESHOT/Explosion/Boom.png", 64, 16);
        TempWorkingFolder::WriteText("Resources/animation/ONESHOT/Explosion/layout.json",
                                     R"([{"x":0,"y":0,"width":16,"height":16},{"x":16,"y":0,"width":16,"height":16},
                                         {"x":32,"y":0,"width":16,"height":16},{"x":48,"y":0,"width":16,"height":16}])");
        TempWorkingFolder::WriteText("Resources/animation/ONESHOT/Explosion/format.json",
                                     R"([{"frameDelay":0.05,"ssWidth":64,"ssHeight":16}])");
        world = std::make_unique<RenderWorld>();
        world->Load();
        world->coordinator.DeltaTime = 0.1f;
    }
    void TearDown() override
    {
        world.reset();
        ResetPrefabCache();
    }

    Entity Animated(const std::vector<std::string>& tags, const std::string& animationTag, int state = 0)
    {
        const Entity entity = world->Thing("Animated", {0, 0}, tags);
        Animation* animation = world->coordinator.AddComponent<Animation>(entity);
        animation->AnimationTag = animationTag;
        animation->AnimationState = state;
        world->coordinator.AddEntityToSystem<sAnimationSystem>(entity);
        return entity;
    }
    Animation& Of(Entity entity) { return *world->coordinator.GetComponent<Animation>(entity); }
    void Pass() { world->animation->Update(world->coordinator); }

    TempWorkingFolder folder;
    std::unique_ptr<RenderWorld> world;
};
}

TEST_F(AnimationSystem, FramesAdvanceByTheSheetsDelayAndWrap)
{
    // The first tag names no sheet; the second does.
    const Entity walker = Animated({"Nothing", "Sheet"}, "Sheet");
    Pass();
    EXPECT_EQ(Of(walker).frameIndex, 1) << "a speed of 0 advances at once";
    EXPECT_FLOAT_EQ(Of(walker).AnimationSpeed, 0.25f) << "the sheet's delay";
    Pass();
    Pass();
    EXPECT_EQ(Of(walker).frameIndex, 1);
    Pass(); // 0.3 s since the last step
    EXPECT_EQ(Of(walker).frameIndex, 2);
    EXPECT_EQ(Of(walker).timer, 0.0f);
    for (int i = 0; i < 6; ++i)
        Pass();
    EXPECT_EQ(Of(walker).frameIndex, 0) << "past the last frame it starts again";
    EXPECT_FALSE(Of(walker).finished);
}

TEST_F(AnimationSystem, AHeldClipStopsOnItsLastFrame)
{
    const Entity dying = Animated({"Sheet"}, "Sheet");
    Of(dying).HoldState = true;
    Of(dying).frameIndex = 3;
    Of(dying).AnimationSpeed = 0.0f;
    Pass();
    EXPECT_EQ(Of(dying).frameIndex, 3);
    EXPECT_TRUE(Of(dying).finished);
}

TEST_F(AnimationSystem, AOneShotFinishesAfterItsLastFrame)
{
    const Entity boom = Animated({"ONESHOT"}, "ONESHOT", 7);
    world->coordinator.DeltaTime = 0.05f;
    int passes = 0;
    while (!Of(boom).finished && passes < 100)
    {
        Pass();
        ++passes;
    }
    EXPECT_EQ(passes, 4) << "frames 1, 2 and 3, then past the end";
    EXPECT_EQ(Of(boom).frameIndex, 4) << "the index is left past the end; the renderer shows the last frame";
}

TEST_F(AnimationSystem, WithoutASheetOnlyTheClockRuns)
{
    const Entity plain = Animated({"Nothing"}, "Nothing");
    Of(plain).AnimationSpeed = 0.15f;
    Pass();
    Pass();
    EXPECT_EQ(Of(plain).frameIndex, 1);
    EXPECT_FLOAT_EQ(Of(plain).AnimationSpeed, 0.15f);
}

TEST_F(AnimationSystem, OneShotsSpawnFromTheirPrefabAtThePoint)
{
    std::string prefabs = R"({ "prefab": [)";
    const char* names[] = {"OneshotExplosion", "OneshotEnemyDamage", "OneshotEnemyDeath", "OneshotSparks"};
    for (int i = 0; i < 4; ++i)
    {
        prefabs += std::string(i == 0 ? "" : ",") + R"({
            "Transform": { "xPos": 7, "yPos": 9, "xScale": 1, "yScale": 1, "rot": 0 },
            "Renderer": { "shaderName": "All", "modelID": 1, "textureName": "Red", "layer": 5, "scaleY": 10 },
            "Animation": { "AnimationTag": "ONESHOT" },
            "Identifier": { "type": ")" + std::string(names[i]) + R"(", "tags": "ONESHOT" },
            "Systems": [ "sRendererSystem", "sAnimationSystem", "sIdentifierSystem" ] })";
    }
    prefabs += "]}";
    TempWorkingFolder::WriteText("OneShots.json", prefabs);
    ResetPrefabCache();
    Coordinator& coordinator = world->coordinator;
    coordinator.PrefabPath = "OneShots.json";

    const struct
    {
        int state;
        const char* prefab;
        float raise;
    } cases[] = {{7, "OneshotExplosion", 0}, {12, "OneshotEnemyDamage", 0}, {13, "OneshotEnemyDeath", 0},
                 {15, "OneshotSparks", 5}};
    for (const auto& c : cases)
    {
        const Entity effect = SpawnOneShot(c.state, coordinator, {100, 100});
        ASSERT_NE(effect, NO_ENTITY) << c.prefab;
        EXPECT_EQ(coordinator.GetComponent<Identifier>(effect)->name.rfind(c.prefab, 0), 0u);
        const Transform& at = *coordinator.GetComponent<Transform>(effect);
        EXPECT_EQ(at.position.x, 100.0f);
        EXPECT_EQ(at.position.y, 100.0f + c.raise) << c.prefab;
        EXPECT_EQ(at.previousPosition.x, 7.0f);
        EXPECT_EQ(at.previousPosition.y, 9.0f);
        EXPECT_EQ(coordinator.GetComponent<Animation>(effect)->AnimationState, c.state);
        EXPECT_TRUE(coordinator.GetComponent<Animation>(effect)->oneShotSpawned);
        EXPECT_TRUE(coordinator.GetComponent<Renderer>(effect)->animated);
        EXPECT_EQ(world->animation->entities.count(effect), 1u);
    }

    const auto living = coordinator.EntityManager.LivingCount();
    EXPECT_EQ(SpawnOneShot(8, coordinator, {100, 100}), NO_ENTITY);
    EXPECT_EQ(coordinator.EntityManager.LivingCount(), living);
}
