// The renderer's arithmetic without drawing: queue order, culling margins, fill share, light
// packing at capacity, text layout, render kinds, the built-in meshes, the camera matrices and
// the font projections.
#include "engine/components/Font.h"
#include "engine/core/GameRandom.h"
#include "engine/platform/WindowState.h"
#include "engine/systems/BuiltInMeshes.h"
#include "engine/systems/CameraMatrices.h"
#include "engine/systems/DrawQueue.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/LightPacking.h"
#include "engine/systems/SpriteVertices.h"
#include "engine/systems/TextLayout.h"
#include "support/RenderWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ::testing::ElementsAre;

TEST(DrawQueueOrder, LayersAscendThenTextureNamesBytewise)
{
    Renderer renderers[8];
    const std::pair<float, const char*> keys[8] = {{2, "a"}, {1, "b"}, {1, "a"}, {1, "ab"},
                                                   {-1, "z"}, {1, "B"}, {3, "t"}, {3, "t"}};
    std::vector<DrawEntry> queue;
    for (int i = 0; i < 8; ++i)
    {
        renderers[i].layer = keys[i].first;
        renderers[i].textureName = keys[i].second;
        queue.push_back({&renderers[i], static_cast<Entity>(i)});
    }
    renderers[6].tileMode = true;
    SortDrawQueue(queue);
    std::vector<Entity> order;
    for (const DrawEntry& entry : queue)
        order.push_back(entry.entity);
    // Equal in layer and texture, the untiled one first.
    EXPECT_THAT(order, ElementsAre(4, 5, 2, 3, 1, 0, 7, 6));
}

TEST(DrawCulling, TenUnitsOfMarginOnEverySideAndTurnedBoxes)
{
    const Vector2 camera = {960, 540};
    const struct
    {
        Vector2 position;
        float rotation;
        Vector2 half;
        bool outside;
    } cases[] = {
        {{1920 + 59, 540}, 0, {50, 50}, false}, // 59 beyond the right edge: still drawn
        {{1920 + 61, 540}, 0, {50, 50}, true},  // 61 beyond: culled
        {{-59, 540}, 0, {50, 50}, false},
        {{-61, 540}, 0, {50, 50}, true},
        {{960, 1080 + 59}, 0, {50, 50}, false},
        {{960, 1080 + 61}, 0, {50, 50}, true},
        {{960, -59}, 0, {50, 50}, false},
        {{960, -61}, 0, {50, 50}, true},
        {{960, 1080 + 100}, 0, {300, 5}, true},           // flat, above the view
        {{960, 1080 + 100}, 1.5707964f, {300, 5}, false}, // turned upright, reaches into it
        {{1920 + 61, 540}, 0, {-50, 50}, true},           // a mirrored sprite has the same extent
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutsideView(c.position, c.rotation, c.half.x, c.half.y, camera, 960, 540), c.outside)
            << c.position.x << ", " << c.position.y << " turned " << c.rotation;
}

TEST(DrawFillShare, WholeIndicesClampedToTheMesh)
{
    const struct
    {
        int indices;
        float fill;
        unsigned int drawn;
    } cases[] = {{6, 100, 6}, {6, 50, 3},  {6, 0, 0},   {6, 250, 6}, {6, -10, 0},
                 {42, 50, 21}, {3, 33.4f, 1}, {6, 99.9f, 5}, {0, 100, 0}, {6, std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FillIndexCount(c.indices, c.fill), c.drawn) << c.indices << " at " << c.fill << "%";
}

TEST(SpriteVertices, MeshesBecomeWorldTriangles)
{
    Matrix3 toWorld; // half sizes 10 by 20 at (100, 50)
    toWorld.m[0] = 10;
    toWorld.m[4] = 20;
    toWorld.m[6] = 100;
    toWorld.m[7] = 50;
    std::vector<float> out;
    // Half the square's indices: the one triangle (-1,-1), (1,-1), (1,1).
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(1), 3, toWorld, {}, out), 3);
    EXPECT_THAT(out, ElementsAre(90, 30, 0, 0, 110, 30, 1, 0, 110, 70, 1, 1));
    out.clear();
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(1), 5, toWorld, {}, out), 3) << "whole triangles only";
    out.clear();
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(2), 42, toWorld, {}, out), 120) << "a fan of 42: 40 triangles";
    EXPECT_EQ(out[0], 100.0f);
    EXPECT_EQ(out[1], 50.0f);
    out.clear();
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(2), 2, toWorld, {}, out), 0);
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(3), 8, toWorld, {}, out), 0) << "lines are not drawn";
    EXPECT_EQ(AppendMeshTriangles(BuiltInMeshGeometry(5), 6, toWorld, {}, out), 6);
    EXPECT_EQ(out[2], 0.0f) << "a coloured mesh reads (0, 0)";

    // Texture coordinates into a frame or across tiles.
    out.clear();
    const UvTransform frame = SheetFrame(1, 0.5f, 0.5f, 2);
    EXPECT_EQ(frame.offsetU, 0.5f);
    EXPECT_EQ(frame.offsetV, 0.5f);
    AppendMeshTriangles(BuiltInMeshGeometry(1), 6, toWorld, frame, out);
    EXPECT_EQ(out[8 + 2], 1.0f);
    EXPECT_EQ(out[8 + 3], 1.0f);
    const UvTransform third = SheetFrame(2, 0.5f, 0.5f, 2);
    EXPECT_EQ(third.offsetU, 0.0f);
    EXPECT_EQ(third.offsetV, 0.0f) << "frame 2 starts the second row, at the bottom of the texture";
}

TEST(LightPacking, SlotsStopAtTheBlocksCapacities)
{
    AmbientLightBlock ambient;
    SpotLightBlock spot;
    Lighting light;
    light.radius = 80;
    light.color[1] = 0.5f;
    light.intensity[2] = 2.0f;
    int ambientCount = 0;
    for (int i = 0; i < 25; ++i)
        if (PackAmbientLight(ambient, ambientCount, {static_cast<float>(i), 1.0f}, light))
            ++ambientCount;
    EXPECT_EQ(ambientCount, 20);
    EXPECT_EQ(ambient.positions[76], 19.0f);
    EXPECT_EQ(ambient.colours[77], 0.5f);
    EXPECT_EQ(ambient.intensities[78], 2.0f);
    EXPECT_EQ(ambient.radii[19], 80.0f);

    int spotCount = 0;
    for (int i = 0; i < 6; ++i)
        if (PackSpotLight(spot, spotCount, {1, 2}, {0, 1}, light))
            ++spotCount;
    EXPECT_EQ(spotCount, 4);
    EXPECT_THAT(std::vector<float>(spot.positionsAndDirections.begin() + 12, spot.positionsAndDirections.end()),
                ElementsAre(1, 2, 0, 1));

    WallBlock walls;
    std::vector<WallSegment> segments;
    for (int i = 0; i < 400; ++i)
        segments.push_back({static_cast<float>(i), 0, static_cast<float>(i), 10});
    EXPECT_EQ(PackWalls(walls, segments, nullptr), 340);
    EXPECT_EQ(walls.segments[4 * 339], 339.0f) << "the first segments of the list, nearest first";
}

TEST(LightPacking, OnlyWallsNearTheViewAreKept)
{
    const ViewRectangle near = ViewRectangle::Around({960, 540}, 960, 540, 400);
    const std::vector<WallSegment> segments = {
        {-500, 0, -300, 0},   // reaches -300: inside the margin on the left
        {-500, 0, -401, 0},   // ends 1 short of it
        {2700, 500, 2320, 500}, // end points in either order
        {900, 1600, 900, 1481}, // above the top
        {100, -2000, 100, 3000}, // crosses the view from below to above
    };
    WallBlock walls;
    EXPECT_EQ(PackWalls(walls, segments, &near), 3);
    EXPECT_EQ(walls.segments[0], -500.0f);
    EXPECT_EQ(walls.segments[4], 2700.0f);
    EXPECT_EQ(walls.segments[9], -2000.0f);
}

TEST(LightPacking, ASpotLightFacesAlongItsRotation)
{
    const Vector2 right = SpotDirection(0.0f);
    EXPECT_NEAR(right.x, 1.0f, 1e-6f);
    EXPECT_NEAR(right.y, 0.0f, 1e-6f);
    const Vector2 up = SpotDirection(1.5707964f);
    EXPECT_NEAR(up.x, 0.0f, 1e-6f);
    EXPECT_NEAR(up.y, 1.0f, 1e-6f);
}

TEST(RendererLights, TheRefreshPacksEveryEnabledLightUpToCapacityAndTheViewPassOnlyNearOnes)
{
    RenderWorld world;
    for (int i = 0; i < 25; ++i)
        world.Light("AMBIENTLIGHT", {static_cast<float>(100 * i), 540}, 50);
    const Entity off = world.Light("AMBIENTLIGHT", {960, 540}, 50);
    world.coordinator.GetComponent<Lighting>(off)->enabled = false;
    for (int i = 0; i < 6; ++i)
        world.Light("SPOTLIGHT", {960, 540}, 50);
    for (int i = 0; i < 100; ++i)
        world.Wall({static_cast<float>(40 * i), 540}, {10, 10});
    world.Refresh();
    sRendererSystem& renderer = *world.renderer;
    EXPECT_EQ(renderer.ambientLights.size(), 26u);
    EXPECT_EQ(renderer.ambientCount, 20);
    EXPECT_EQ(renderer.spotCount, 4);
    EXPECT_EQ(renderer.wallCount, 340);
    EXPECT_EQ(renderer.ambientBlock.positions[4 * 19], 1900.0f);

    // Seen from (2960, 540) over 1920 by 1080 units, ambient lights within 200 units of the view
    // (x from 1800 to 4120) are kept: those at 1800 to 2400, seven of them.
    world.coordinator.AspectRatio = 16.0f / 9.0f;
    world.TransformOf(world.camera).position = {2960, 540};
    renderer.UploadVisibleLights(world.coordinator);
    EXPECT_EQ(renderer.ambientCount, 7);
    EXPECT_EQ(renderer.ambientBlock.positions[0], 1800.0f);
    EXPECT_EQ(renderer.spotCount, 0) << "the spot lights at (960, 540) lie more than 400 units outside";
    // Walls reaching x 1600 to 4360 (400 units of margin): the boxes at 1600 to 3960, 60 of
    // them, but the left edge of the first lies at 1590.
    EXPECT_EQ(renderer.wallCount, 4 * 60 - 1);
}

TEST(TextLayout, GlyphQuadsAndThePenAdvance)
{
    Glyph glyph;
    glyph.size = {10, 20};
    glyph.bearing = {2, 15};
    glyph.advance = 650; // 10 whole pixels and a fraction
    float quad[24];
    GlyphQuad(glyph, {100, 200}, {5, 0}, 2.0f, 2.0f, quad);
    // x = 100 + 5 + 2 x 2, y = 200 - (20 - 15) x 2, 20 wide and 40 high.
    EXPECT_THAT(std::vector<float>(quad, quad + 24),
                ElementsAre(109, 230, 0, 0, 109, 190, 0, 1, 129, 190, 1, 1, 109, 230, 0, 0, 129, 190, 1, 1, 129, 230, 1, 0));

    Font font;
    font.xScale = 2.0f;
    font.yScale = 1.0f;
    font.layout = "Horizontal";
    Vector2 pen;
    AdvancePen(glyph, font, pen);
    EXPECT_EQ(pen.x, 20.0f);
    EXPECT_EQ(pen.y, 0.0f);

    font.layout = "Vertical";
    glyph.advance = 640;
    pen = {};
    AdvancePen(glyph, font, pen);
    AdvancePen(glyph, font, pen);
    EXPECT_EQ(pen.x, 0.0f);
    EXPECT_FLOAT_EQ(pen.y, -26.0f);
}

TEST(TextLayout, TheScreenPositionCountsOnlyWhenBothCoordinatesAreSet)
{
    Font font;
    font.worldXPos = 40;
    font.worldYPos = 50;
    font.screenXPos = 0;
    font.screenYPos = 300;
    Vector2 origin = TextOrigin(font, {960, 540}, 1920, 1080);
    EXPECT_EQ(origin.x, 40.0f);
    EXPECT_EQ(origin.y, 50.0f);
    font.screenXPos = 100;
    origin = TextOrigin(font, {1000, 600}, 1920, 1080);
    EXPECT_EQ(origin.x, 1000.0f - 960.0f + 100.0f);
    EXPECT_EQ(origin.y, 600.0f - 540.0f + 300.0f);
}

TEST(RenderKinds, TheFirstInterfaceOrTextTagDecidesAndAnimatedIsCollectedOnTheWay)
{
    RenderWorld world;
    const struct
    {
        std::vector<std::string> tags;
        int kind;
        bool animated;
    } cases[] = {
        {{"ANIMATED", "UI"}, 1, true},  {{"UI", "ANIMATED"}, 1, false}, {{"UIBUTTON"}, 1, false},
        {{"IMAGE"}, 1, false},          {{"TEXT"}, 2, false},           {{"ZOMBIE", "ANIMATED"}, 0, true},
        {{"TEXTS"}, 0, false},          {{"ui"}, 0, false},             {{"TEXT", "UI"}, 2, false},
    };
    std::vector<Entity> made;
    for (const auto& c : cases)
        made.push_back(world.Sprite("", {0, 0}, {1, 1}, 0, c.tags));
    world.Refresh();
    for (std::size_t i = 0; i < made.size(); ++i)
    {
        EXPECT_EQ(world.RendererOf(made[i]).renderKind, cases[i].kind) << i;
        EXPECT_EQ(world.RendererOf(made[i]).animated, cases[i].animated) << i;
    }
}

TEST(BuiltInMeshes, TheNineMeshesInTableOrder)
{
    const struct
    {
        const char* name;
        int indices;
        int attributeSize;
    } expected[BuiltInMeshCount] = {{"triangle", 3, 2},      {"square", 6, 2},           {"circle", 42, 2},
                                    {"debugsquare", 8, 3},   {"debugcircle", 40, 3},     {"velocityVector", 6, 3},
                                    {"translationAxis", 14, 3}, {"rotationAxis", 40, 3}, {"scaleAxis", 16, 3}};
    for (int i = 0; i < BuiltInMeshCount; ++i)
    {
        const MeshGeometry mesh = BuiltInMeshGeometry(i);
        EXPECT_EQ(mesh.name, expected[i].name);
        EXPECT_EQ(static_cast<int>(mesh.indices.size()), expected[i].indices) << mesh.name;
        EXPECT_EQ(mesh.attributeSize, expected[i].attributeSize) << mesh.name;
        if (i == 1)
            continue;
        for (std::size_t k = 0; k < mesh.indices.size(); ++k)
            EXPECT_EQ(mesh.indices[k], k) << mesh.name;
    }
    EXPECT_THAT(BuiltInMeshGeometry(1).indices, ElementsAre(0, 1, 2, 2, 3, 0));

    const MeshGeometry circle = BuiltInMeshGeometry(2);
    EXPECT_EQ(circle.positions.size(), 84u);
    EXPECT_EQ(circle.positions[0], 0.0f);
    EXPECT_EQ(circle.positions[1], 0.0f);
    EXPECT_EQ(circle.positions[2], 1.0f);
    EXPECT_NEAR(circle.positions[82], 1.0f, 1e-6f) << "the last rim point repeats the first";
    EXPECT_EQ(circle.attribute.size(), 86u);

    const MeshGeometry ring = BuiltInMeshGeometry(4);
    EXPECT_EQ(ring.positions[0], 1.0f);
    EXPECT_NEAR(ring.positions[21], 1.0f, 1e-5f) << "point 10 lies a quarter of the way round";
    EXPECT_NEAR(ring.positions[40], -1.0f, 1e-5f) << "point 20 lies half way round";
    const MeshGeometry rotation = BuiltInMeshGeometry(7);
    EXPECT_THAT(std::vector<float>(rotation.attribute.begin() + 24, rotation.attribute.begin() + 39),
                ElementsAre(1, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1));
}

TEST(BuiltInMeshes, TheGridOutlineHasEightVerticesPerCell)
{
    const GridSpec grid(3880, 2140, -630.0f, -700.0f, 8, 8);
    const std::vector<float> outline = GridOutlineVertices(grid);
    EXPECT_EQ(outline.size() / 2, 512u);
    // The first cell, 485 by 267 from the origin, drawn as four lines.
    EXPECT_THAT(std::vector<float>(outline.begin(), outline.begin() + 16),
                ElementsAre(-630, -700, -145, -700, -145, -700, -145, -433, -145, -433, -630, -433, -630, -433, -630,
                            -700));
    // The second row starts 267 units up.
    EXPECT_EQ(outline[8 * 16 + 1], -433.0f);
}

TEST(CameraMatrices, WorldAndInterfaceToScreen)
{
    auto apply = [](const Matrix3& m, float x, float y) {
        return Vector2{m.m[0] * x + m.m[3] * y + m.m[6], m.m[1] * x + m.m[4] * y + m.m[7]};
    };
    CameraMatrices at = ComputeCameraMatrices({960, 540}, 0.0f, 1080.0f, 16.0f / 9.0f);
    Vector2 corner = apply(at.worldToScreen, 1920, 1080);
    EXPECT_NEAR(corner.x, 1.0f, 1e-6f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-6f);

    // Zoomed out twice as far: the world halves on the screen, the interface does not.
    at = ComputeCameraMatrices({960, 540}, 0.0f, 2160.0f, 16.0f / 9.0f);
    corner = apply(at.worldToScreen, 1920, 1080);
    EXPECT_NEAR(corner.x, 0.5f, 1e-6f);
    corner = apply(at.interfaceToScreen, 1920, 1080);
    EXPECT_NEAR(corner.x, 1.0f, 1e-6f);

    // A turned camera: the view undoes the camera's own transform.
    at = ComputeCameraMatrices({100, -40}, 0.3f, 1080.0f, 16.0f / 9.0f);
    const Vector2 centre = apply(at.view, 100, -40);
    EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-4f);
    const Vector2 ahead = apply(at.view, 100 + std::cos(0.3f), -40 + std::sin(0.3f));
    EXPECT_NEAR(ahead.x, 1.0f, 1e-4f);
    EXPECT_NEAR(ahead.y, 0.0f, 1e-4f);
    EXPECT_FLOAT_EQ(at.rotation.columns[1].x, -std::sin(0.3f));
}

TEST(FontProjections, ReferenceAndCurrentViewAroundTheCamera)
{
    RenderWorld world;
    world.coordinator.AspectRatio = 16.0f / 9.0f;
    world.fonts->Update(world.coordinator);
    for (const float* m : {world.fonts->screenProjection, world.fonts->worldProjection})
    {
        EXPECT_FLOAT_EQ(m[0], 1.0f / 960.0f);
        EXPECT_FLOAT_EQ(m[12], -1.0f);
        EXPECT_FLOAT_EQ(m[5], 1.0f / 540.0f);
        EXPECT_FLOAT_EQ(m[13], -1.0f);
        EXPECT_EQ(m[10], -1.0f);
        EXPECT_EQ(m[15], 1.0f);
    }
    world.coordinator.ViewHeight = 2000.0f;
    world.fonts->Update(world.coordinator);
    EXPECT_FLOAT_EQ(world.fonts->worldProjection[5], 2.0f / 2000.0f);
    EXPECT_FLOAT_EQ(world.fonts->screenProjection[5], 2.0f / 1080.0f);
    EXPECT_FLOAT_EQ(world.fonts->top - world.fonts->bottom, 2000.0f);
}

TEST(FontProjections, TheFirstFrameUsesTheWindowsAspect)
{
    RenderWorld world;
    ASSERT_EQ(world.coordinator.AspectRatio, 0.0f) << "no frame drawn yet";
    WindowState::width = 1280;
    WindowState::height = 720;
    world.fonts->Update(world.coordinator);
    WindowState::Reset();
    EXPECT_TRUE(std::isfinite(world.fonts->screenProjection[0]));
    EXPECT_FLOAT_EQ(world.fonts->screenProjection[0], 1.0f / 960.0f);
}

TEST(GameRandomNumbers, TheClassicFifteenBitSequence)
{
    ResetGameRandom();
    EXPECT_EQ(GameRandom(), 41);
    EXPECT_EQ(GameRandom(), 18467);
    EXPECT_EQ(GameRandom(), 6334);
    EXPECT_EQ(GameRandom(), 26500);
    int largest = 0;
    for (int i = 0; i < 100000; ++i)
        largest = std::max(largest, GameRandom());
    EXPECT_EQ(largest, GameRandomMax);
    SeedGameRandom(1);
    EXPECT_EQ(GameRandom(), 41);
    SeedGameRandom(7);
    const int seven = GameRandom();
    ResetGameRandom();
    EXPECT_EQ(GameRandom(), 41);
    EXPECT_NE(seven, 41);
}
