// The lighting system: wall segments from boxes, spot lights following their parents, ambient
// lights refreshed and retired, the rebuild timer and the light lists.
#include "support/RenderWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
struct LightingSystem : ::testing::Test
{
    RenderWorld world;
    Coordinator& coordinator = world.coordinator;
    sLightingSystem& lighting = *world.lighting;

    std::vector<std::vector<float>> Segments() const
    {
        std::vector<std::vector<float>> out;
        for (const WallSegment& s : lighting.occluders)
            out.push_back({s.x0, s.y0, s.x1, s.y1});
        return out;
    }
};
}

TEST_F(LightingSystem, AWallBoxGivesFourEdgesFromItsWholeHalfSizes)
{
    world.Wall({100, 50}, {20.7f, 10.2f});
    lighting.RebuildOccluders(true, coordinator);
    EXPECT_THAT(Segments(), ::testing::UnorderedElementsAre(std::vector<float>{80, 40, 120, 40},
                                                            std::vector<float>{120, 40, 120, 60},
                                                            std::vector<float>{120, 60, 80, 60},
                                                            std::vector<float>{80, 60, 80, 40}));
}

TEST_F(LightingSystem, ATurnedWallTurnsItsCorners)
{
    const Entity wall = world.Wall({0, 0}, {20, 10});
    world.TransformOf(wall).rotation = 1.5707964f;
    lighting.RebuildOccluders(true, coordinator);
    ASSERT_EQ(lighting.occluders.size(), 4u);
    std::vector<std::pair<float, float>> starts;
    for (const WallSegment& s : lighting.occluders)
        starts.emplace_back(s.x0, s.y0);
    const std::pair<float, float> corners[4] = {{10, -20}, {10, 20}, {-10, 20}, {-10, -20}};
    for (const auto& corner : corners)
    {
        const bool found = std::any_of(starts.begin(), starts.end(), [&](const auto& start) {
            return std::fabs(start.first - corner.first) < 1e-5f && std::fabs(start.second - corner.second) < 1e-5f;
        });
        EXPECT_TRUE(found) << corner.first << ", " << corner.second;
    }
}

TEST_F(LightingSystem, WhoGivesSegmentsAndInWhichOrder)
{
    world.Wall({3000, 0}, {5, 5});
    const Entity door = world.Thing("Door", {1000, 0}, {"DECOR", "DOOR", "WALL"});
    coordinator.AddComponent<Renderer>(door)->scaleX = 5;
    world.Thing("Bare", {960, 0}, {"WALL"});            // no Renderer, no box
    world.Thing("Lower", {960, 0}, {"wall"});           // tags are compared exactly
    const Entity outsider = world.Wall({500, 0}, {5, 5});
    coordinator.RemoveEntityFromSystem<sLightingSystem>(outsider);
    lighting.RebuildOccluders(true, coordinator);
    ASSERT_EQ(lighting.occluders.size(), 8u) << "four per box, one box per entity";
    // Nearest to the camera's x (960) first.
    for (std::size_t i = 1; i < lighting.occluders.size(); ++i)
        EXPECT_LE(std::fabs(lighting.occluders[i - 1].x0 - 960), std::fabs(lighting.occluders[i].x0 - 960));
    EXPECT_LT(lighting.occluders[3].x0, 2000.0f);

    lighting.RebuildOccluders(false, coordinator);
    EXPECT_EQ(lighting.occluders.size(), 16u) << "without clearing first, appended";
}

TEST_F(LightingSystem, SpotLightsFollowTheirParentByName)
{
    const Entity hero = world.Thing("Hero", {300, 400});
    const Entity torch = world.Light("SPOTLIGHT", {10, 20}, 100);
    world.TransformOf(torch).parentName = "Hero";
    const Entity lost = world.Light("SPOTLIGHT", {50, 60}, 100);
    world.TransformOf(lost).parentName = "Nobody";
    lighting.RefreshLightLists(coordinator);
    lighting.Update(coordinator);
    EXPECT_EQ(world.TransformOf(torch).position.x, 300.0f);
    EXPECT_EQ(world.TransformOf(torch).position.y, 400.0f);
    EXPECT_EQ(world.TransformOf(torch).previousPosition.x, 10.0f);
    EXPECT_EQ(world.TransformOf(lost).position.x, 50.0f);
    world.TransformOf(hero).position = {310, 410};
    lighting.Update(coordinator);
    EXPECT_EQ(world.TransformOf(torch).position.x, 310.0f);
}

TEST_F(LightingSystem, AmbientLightsGetTheirIntensityBackAndRetireAfterTheirLifeSpan)
{
    const Entity flash = world.Light("AMBIENTLIGHT", {0, 0}, 100, 0.5f);
    coordinator.GetComponent<Lighting>(flash)->lifeSpan = 2.0f;
    const Entity lamp = world.Light("AMBIENTLIGHT", {0, 0}, 100, 0.7f);
    lighting.RefreshLightLists(coordinator);
    coordinator.DeltaTime = 0.02f;

    coordinator.GetComponent<Lighting>(lamp)->intensity[1] = 5.0f;
    float age = 0.0f;
    int frame = 0;
    while (coordinator.PendingDestroy.empty() && frame < 1000)
    {
        lighting.Update(coordinator);
        age += 0.02f;
        ++frame;
        EXPECT_EQ(coordinator.GetComponent<Lighting>(lamp)->intensity[1], 0.7f);
    }
    EXPECT_GE(age, 2.0f);
    EXPECT_LT(age - 0.02f, 2.0f) << "queued in the first frame that reaches the life span";
    EXPECT_THAT(coordinator.PendingDestroy, ElementsAre(flash));
    EXPECT_EQ(coordinator.GetComponent<Lighting>(lamp)->age, 0.0f) << "a life span of 0 never ages";

    lighting.Update(coordinator);
    EXPECT_THAT(coordinator.PendingDestroy, ElementsAre(flash)) << "queued once";
    coordinator.ProcessDestroyedEntities();
    EXPECT_THAT(lighting.ambientLights, ElementsAre(lamp));
}

TEST_F(LightingSystem, TheFrameClockRebuildsTheWallsEveryFiveSeconds)
{
    const Entity wall = world.Wall({100, 100}, {10, 10});
    lighting.RebuildOccluders(true, coordinator);
    world.TransformOf(wall).position = {500, 100};
    coordinator.DeltaTime = 0.02f;
    int frames = 0;
    while (lighting.occluders.front().x0 < 400.0f && frames < 1000)
    {
        lighting.Update(coordinator);
        ++frames;
    }
    // 5 s of 0.02 s frames; the single-precision sum of 0.02 falls just short after 250 of them.
    EXPECT_NEAR(frames, 250, 1);
    EXPECT_EQ(lighting.rebuildTimer, 0.0f);
}

TEST_F(LightingSystem, TheListsComeFromTheTags)
{
    const Entity both = world.Light("AMBIENTLIGHT", {0, 0}, 10);
    coordinator.GetComponent<Identifier>(both)->tags.push_back("SPOTLIGHT");
    const Entity spot = world.Light("SPOTLIGHT", {0, 0}, 10);
    world.Light("AMBIENT", {0, 0}, 10);
    lighting.RefreshLightLists(coordinator);
    EXPECT_THAT(lighting.ambientLights, ElementsAre(both));
    EXPECT_THAT(lighting.spotLights, ElementsAre(both, spot));
    coordinator.DestroyEntity(both);
    coordinator.ProcessDestroyedEntities();
    EXPECT_THAT(lighting.ambientLights, IsEmpty());
    EXPECT_THAT(lighting.spotLights, ElementsAre(spot));
}
