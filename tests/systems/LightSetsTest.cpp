#include "engine/systems/LightSets.h"

#include <gtest/gtest.h>

namespace
{
// A lamp of radius 400 at (960, 540) and a tall wall box just right of it, its four edges in
// the order the lighting system makes them.
struct LampAndWall
{
    AmbientLightBlock ambient;
    SpotLightBlock spot;
    WallBlock walls;
    LightSets sets;

    LampAndWall()
    {
        ambient.positions[0] = 960.0f;
        ambient.positions[1] = 540.0f;
        ambient.radii[0] = 400.0f;
        const float corners[4][2] = {{1055, 340}, {1065, 340}, {1065, 740}, {1055, 740}};
        for (int i = 0; i < 4; ++i)
        {
            walls.segments[4 * i] = corners[i][0];
            walls.segments[4 * i + 1] = corners[i][1];
            walls.segments[4 * i + 2] = corners[(i + 1) % 4][0];
            walls.segments[4 * i + 3] = corners[(i + 1) % 4][1];
        }
        sets.Begin(ambient, 1, spot, 0, walls, 4);
    }

    const LightSets::Set& For(LightSets::Region region) { return sets[sets.SetFor(region)]; }
};
}

TEST(LightSetsTest, ARegionGetsTheLightsReachingItAndTheWallsBetween)
{
    LampAndWall scene;
    struct Case
    {
        const char* what;
        LightSets::Region region;
        int lights;
        int entries; // walls plus the light's group marker
    };
    const Case cases[] = {
        {"beyond the lamp's reach", {1500, 500, 1600, 600}, 0, 0},
        {"wholly behind the wall: the lamp adds nothing there", {1100, 500, 1200, 600}, 0, 0},
        {"partly behind the wall: the edges between stand in its group", {1100, 800, 1200, 900}, 1, 4},
        {"on the lamp's other side: no wall between", {700, 500, 800, 600}, 1, 0},
        {"around the lamp and the wall: every edge", {822, 132, 1590, 900}, 1, 5},
    };
    for (const Case& c : cases)
    {
        const LightSets::Set& set = scene.For(c.region);
        EXPECT_EQ(set.ambientCount, c.lights) << c.what;
        EXPECT_EQ(set.spotCount, 0) << c.what;
        EXPECT_EQ(set.wallCount, c.entries) << c.what;
    }
}

TEST(LightSetsTest, EqualRegionsShareASetAndDifferentOnesDoNot)
{
    LampAndWall scene;
    const int behind = scene.sets.SetFor({1100, 800, 1200, 900});
    const int unshadowed = scene.sets.SetFor({700, 500, 800, 600});
    EXPECT_EQ(scene.sets.SetFor({1100, 800, 1200, 900}), behind);
    EXPECT_EQ(scene.sets.SetFor({1110, 810, 1190, 890}), behind) << "the same lights and walls";
    EXPECT_NE(unshadowed, behind);
    EXPECT_EQ(scene.sets.Count(), 2u);
}

TEST(LightSetsTest, ASpotLightLeavesOutTheRegionsItsConeTurnsAwayFrom)
{
    // A spot of radius 400 at (960, 540) facing along x; its cone opens about 41 degrees each way.
    AmbientLightBlock ambient;
    SpotLightBlock spot;
    WallBlock walls;
    spot.positionsAndDirections[0] = 960.0f;
    spot.positionsAndDirections[1] = 540.0f;
    spot.positionsAndDirections[2] = 1.0f;
    spot.radii[0] = 400.0f;
    LightSets sets;
    sets.Begin(ambient, 0, spot, 1, walls, 0);
    struct Case
    {
        const char* what;
        LightSets::Region region;
        int lights;
    };
    const Case cases[] = {
        {"ahead", {1100, 500, 1200, 600}, 1},
        {"behind", {700, 500, 800, 600}, 0},
        {"beside, beyond the cone's edge", {980, 700, 1040, 800}, 0},
        {"across the cone's edge", {1000, 600, 1200, 800}, 1},
        {"around the spot itself", {940, 520, 980, 560}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sets[sets.SetFor(c.region)].spotCount, c.lights) << c.what;
}
