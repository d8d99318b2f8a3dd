// The renderer drawing real frames into a small offscreen target: pixel probes for placement,
// layers, blending, camera-bound interface, text, tiling, spritesheet frames, lights and walls,
// and for the state cache, culling and fill share.
#include "support/GlTestContext.h"
#include "support/RenderWorld.h"
#include "support/TempWorkingFolder.h"
#include "systems/DrawingAssets.h"

#include "engine/core/GameRandom.h"
#include "engine/platform/WindowState.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
using Colour = OffscreenTarget::Colour;

constexpr float Red[3] = {1.0f, 0.0f, 0.0f};
constexpr float Green[3] = {0.0f, 1.0f, 0.0f};

bool Near(const Colour& actual, int r, int g, int b, int tolerance = 3)
{
    return std::abs(actual.r - r) <= tolerance && std::abs(actual.g - g) <= tolerance &&
           std::abs(actual.b - b) <= tolerance;
}

std::string Describe(const Colour& colour)
{
    return "(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

#define EXPECT_COLOUR(actual, r, g, b)                                                                                 \
    EXPECT_TRUE(Near((actual), (r), (g), (b))) << "got " << Describe(actual) << ", wanted (" << (r) << ", " << (g)    \
                                               << ", " << (b) << ")"

class Drawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        DrawingAssets::Write();
        world = std::make_unique<RenderWorld>();
        world->behaviours->RegisterBehaviour<bImageBehaviour>();
        world->behaviours->RegisterBehaviour<bFontBehaviour>();
        target = std::make_unique<OffscreenTarget>();
        ASSERT_TRUE(target->Complete());
    }

    void TearDown() override
    {
        target.reset();
        world.reset();
        GlTestContext::TakeError();
    }

    // Loads the assets and sets the renderer up once the scene's entities exist.
    void Load() { world->Load(); }

    void Frame()
    {
        target->Bind();
        world->Frame();
        EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned int>(GL_NO_ERROR));
    }

    Coordinator& C() { return world->coordinator; }
    Colour At(float x, float y) { return target->At(x, y); }

    // Pixels in the world rectangle whose colour passes the test.
    template <class Test>
    int CountIn(float x0, float y0, float x1, float y1, Test&& test)
    {
        int count = 0;
        for (int y = static_cast<int>(y0 / 6); y < static_cast<int>(y1 / 6); ++y)
            for (int x = static_cast<int>(x0 / 6); x < static_cast<int>(x1 / 6); ++x)
                if (test(target->Pixel(x, y)))
                    ++count;
        return count;
    }

    template <class T>
    std::shared_ptr<T> Attach(Entity entity)
    {
        return std::dynamic_pointer_cast<T>(world->behaviours->AddBehaviour(TypeName<T>(), entity, C()));
    }

    Entity Animated(Vector2 position, int frame)
    {
        const Entity entity = world->Sprite("Sheet", position, {60, 60}, 1, {"Sheet", "ANIMATED"});
        Animation* animation = C().AddComponent<Animation>(entity);
        animation->AnimationTag = "Sheet";
        animation->AnimationSpeed = 100.0f;
        animation->frameIndex = frame;
        C().AddEntityToSystem<sAnimationSystem>(entity);
        return entity;
    }

    TempWorkingFolder folder;
    std::unique_ptr<RenderWorld> world;
    std::unique_ptr<OffscreenTarget> target;
};
}

TEST_F(Drawing, ASquareIsDrawnAtItsPlaceInItsColour)
{
    world->Sprite("Red", {300, 300}, {60, 60}, 1);
    Load();
    Frame();
    EXPECT_COLOUR(At(300, 300), 255, 0, 0);
    EXPECT_COLOUR(At(250, 350), 255, 0, 0);
    EXPECT_COLOUR(At(400, 300), 0, 0, 0);
    EXPECT_COLOUR(At(300, 200), 0, 0, 0);
}

TEST_F(Drawing, AHigherLayerCoversALowerOneWhateverTheEntityOrder)
{
    world->Sprite("Green", {600, 600}, {60, 60}, 5);
    world->Sprite("Red", {600, 600}, {90, 90}, 2);
    world->Sprite("Blue", {1200, 600}, {60, 60}, -3);
    world->Sprite("White", {1200, 600}, {90, 90}, -7);
    Load();
    Frame();
    EXPECT_COLOUR(At(600, 600), 0, 255, 0);
    EXPECT_COLOUR(At(600 + 75, 600), 255, 0, 0);
    EXPECT_COLOUR(At(1200, 600), 0, 0, 255);
    EXPECT_COLOUR(At(1200 + 75, 600), 255, 255, 255);
}

TEST_F(Drawing, OpacityBlendsOverWhatLiesBelow)
{
    world->Sprite("White", {900, 500}, {120, 120}, 1);
    const Entity veil = world->Sprite("Blue", {900, 500}, {60, 60}, 2);
    world->RendererOf(veil).opacity = 0.5f;
    Load();
    Frame();
    EXPECT_COLOUR(At(900, 500), 128, 128, 255);
    EXPECT_COLOUR(At(900 + 90, 500), 255, 255, 255);
}

TEST_F(Drawing, ACameraBoundImageStaysPutWhileTheCameraMovesAndZooms)
{
    const Entity badge = world->Sprite("Green", {1560, 840}, {60, 60}, 3, {"IMAGE"});
    Attach<bImageBehaviour>(badge)->BindToCamera = true;
    world->Sprite("Red", {300, 300}, {60, 60}, 1);
    Load();
    Frame();
    EXPECT_COLOUR(At(1560, 840), 0, 255, 0);
    EXPECT_COLOUR(At(300, 300), 255, 0, 0);

    // The camera moves and zooms out; the badge is kept at the camera plus its offset, as its
    // behaviour does every frame.
    world->TransformOf(world->camera).position = {1260, 740};
    world->TransformOf(badge).position = {1560 + 300, 840 + 200};
    C().ViewHeight = 1500;
    Frame();
    EXPECT_COLOUR(At(1560, 840), 0, 255, 0);
    EXPECT_COLOUR(At(300, 300), 0, 0, 0) << "the world sprite moves on the screen";
}

TEST_F(Drawing, ATextIsDrawnInItsColour)
{
    world->Text("H", {600, 480}, 4.0f, Green, 2, "DejaVuSans");
    Load();
    Frame();
    const int green = CountIn(560, 440, 900, 760, [](const Colour& c) { return c.g > 100 && c.r < 20 && c.b < 20; });
    const int other = CountIn(0, 0, 1920, 1080, [](const Colour& c) { return c.r > 20 || c.b > 20; });
    EXPECT_GT(green, 60);
    EXPECT_EQ(other, 0);
    // The glyph stands on its origin: nothing below it, the left stem near it.
    EXPECT_EQ(CountIn(560, 380, 900, 470, [](const Colour& c) { return c.g > 20; }), 0);
}

TEST_F(Drawing, ATiledTextureRepeatsAcrossTheQuad)
{
    const Entity floor = world->Sprite("Halves", {960, 540}, {480, 60}, 1);
    Renderer& tiled = world->RendererOf(floor);
    tiled.tileMode = true;
    tiled.tileSizeX = 4.0f;
    tiled.tileSizeY = 1.0f;
    Load();
    Frame();
    // Four tiles over 960 units: red and blue halves of 120 units each.
    for (int tile = 0; tile < 4; ++tile)
    {
        const float left = 480.0f + 240.0f * static_cast<float>(tile);
        EXPECT_COLOUR(At(left + 60, 540), 255, 0, 0) << "tile " << tile;
        EXPECT_COLOUR(At(left + 180, 540), 0, 0, 255) << "tile " << tile;
    }
}

TEST_F(Drawing, EachFrameOfATwoByTwoSheetSamplesItsQuadrant)
{
    const struct
    {
        int frame;
        int r, g, b;
    } cases[] = {{0, 255, 0, 0}, {1, 0, 255, 0}, {2, 0, 0, 255}, {3, 255, 255, 255}};
    for (const auto& c : cases)
        Animated({300.0f + 400.0f * static_cast<float>(c.frame), 540}, c.frame);
    Load();
    Frame();
    for (const auto& c : cases)
        EXPECT_COLOUR(At(300.0f + 400.0f * static_cast<float>(c.frame), 540), c.r, c.g, c.b) << "frame " << c.frame;
}

TEST_F(Drawing, ALightBrightensASpriteAndAWallShadowsIt)
{
    const Entity floor = world->Sprite("White", {960, 540}, {900, 400}, 1);
    world->RendererOf(floor).lightingFactor = 0.2f;
    world->Light("AMBIENTLIGHT", {960, 540}, 400.0f);
    Load();
    Frame();
    const Colour centre = At(960, 540);
    const Colour left = At(760, 540);
    const Colour right = At(1160, 540);
    const Colour far = At(1500, 540);
    EXPECT_GT(centre.r, 240);
    EXPECT_COLOUR(far, 51, 51, 51);
    EXPECT_GT(left.r, 100);
    EXPECT_NEAR(right.r, left.r, 3);

    // A wall between the light and the right side.
    world->Wall({1060, 540}, {5, 200});
    world->Refresh();
    Frame();
    EXPECT_COLOUR(At(1160, 540), 51, 51, 51);
    EXPECT_NEAR(At(760, 540).r, left.r, 3) << "the other side stays lit";

    // A second wall on the other side: each shadows its own side, and the light still reaches
    // past both ends, whether a light is tested against only the walls near the part drawn or
    // against every wall edge in one list.
    world->Wall({860, 540}, {5, 200});
    world->Refresh();
    for (const bool plainly : {false, true})
    {
        world->renderer->drawPlainly = plainly;
        Frame();
        EXPECT_COLOUR(At(1160, 540), 51, 51, 51) << " plainly " << plainly;
        EXPECT_COLOUR(At(760, 540), 51, 51, 51) << " plainly " << plainly;
        EXPECT_GT(At(960, 700).r, 100) << " plainly " << plainly;
        EXPECT_GT(At(1080, 800).r, 60) << " past the wall's end, plainly " << plainly;
    }
}

// --- The state cache follows the real GL state -----------------------------------------------------

TEST_F(Drawing, AnEntitySharingATextureNameWithTheOneBeforeIsDrawnWithItsOwnMesh)
{
    world->Sprite("Red", {300, 300}, {60, 60}, 1);
    const Entity triangle = world->Sprite("Red", {700, 300}, {60, 60}, 1);
    world->RendererOf(triangle).modelID = 0;
    Load();
    Frame();
    EXPECT_COLOUR(At(700, 280), 255, 0, 0);
    EXPECT_COLOUR(At(650, 350), 0, 0, 0) << "the triangle leaves the upper corners empty";
    EXPECT_COLOUR(At(250, 350), 255, 0, 0);
}

TEST_F(Drawing, AnEntitySharingATextureNameIsDrawnInItsOwnSpace)
{
    world->Sprite("Green", {300, 300}, {60, 60}, 1);
    const Entity badge = world->Sprite("Green", {1500, 800}, {60, 60}, 1, {"IMAGE"});
    Attach<bImageBehaviour>(badge)->BindToCamera = true;
    Load();
    world->TransformOf(world->camera).position = {1160, 640};
    world->TransformOf(badge).position = {1700, 900};
    C().ViewHeight = 2160;
    Frame();
    EXPECT_COLOUR(At(1500, 800), 0, 255, 0) << "the bound one at its screen place";
    // The world one at (300, 300) seen from (1160, 640) over 3840 by 2160 units.
    const int x = static_cast<int>((300.0f - (1160.0f - 1920.0f)) / 3840.0f * 320.0f);
    const int y = static_cast<int>((300.0f - (640.0f - 1080.0f)) / 2160.0f * 180.0f);
    EXPECT_COLOUR(target->Pixel(x, y), 0, 255, 0) << "the world one at its world place";
}

TEST_F(Drawing, AnAnimatedEntityAfterAPlainOneWithItsTextureNameShowsItsFrame)
{
    world->Sprite("Green", {300, 540}, {60, 60}, 1);
    const Entity animated = Animated({700, 540}, 2);
    world->RendererOf(animated).textureName = "Green";
    world->RendererOf(animated).layer = 2;
    Load();
    Frame();
    EXPECT_COLOUR(At(300, 540), 0, 255, 0);
    EXPECT_COLOUR(At(700, 540), 0, 0, 255);
}

TEST_F(Drawing, ASpriteAfterATextWithItsTextureNameIsDrawnRight)
{
    const Entity text = world->Text("H", {1200, 400}, 2.0f, Green, 1, "DejaVuSans");
    world->RendererOf(text).textureName = "Red";
    world->Sprite("Red", {300, 300}, {60, 60}, 2);
    Load();
    Frame();
    EXPECT_COLOUR(At(300, 300), 255, 0, 0);
    EXPECT_COLOUR(At(250, 250), 255, 0, 0);
}

TEST_F(Drawing, AMeshIdOutsideTheTableIsNotDrawn)
{
    const Entity broken = world->Sprite("Red", {300, 300}, {60, 60}, 1);
    world->Sprite("Green", {700, 300}, {60, 60}, 1);
    Load();
    world->RendererOf(broken).modelID = 42;
    Frame();
    EXPECT_COLOUR(At(300, 300), 0, 0, 0);
    EXPECT_COLOUR(At(700, 300), 0, 255, 0);
}

TEST_F(Drawing, TheFillShareDrawsPartOfTheMeshAndNeverMoreThanAll)
{
    const Entity half = world->Sprite("Red", {300, 300}, {60, 60}, 1);
    const Entity over = world->Sprite("Green", {700, 300}, {60, 60}, 1);
    const Entity none = world->Sprite("Blue", {1100, 300}, {60, 60}, 1);
    world->RendererOf(half).fillPercent = 50.0f;
    world->RendererOf(over).fillPercent = 250.0f;
    world->RendererOf(none).fillPercent = 0.0f;
    Load();
    Frame();
    // Half the square's indices: the triangle (-1,-1), (1,-1), (1,1), the lower right half.
    EXPECT_COLOUR(At(340, 260), 255, 0, 0);
    EXPECT_COLOUR(At(260, 340), 0, 0, 0);
    EXPECT_COLOUR(At(660, 340), 0, 255, 0);
    EXPECT_COLOUR(At(740, 260), 0, 255, 0);
    EXPECT_COLOUR(At(1100, 300), 0, 0, 0);
}

TEST_F(Drawing, ACharacterWithoutAGlyphIsLeftOut)
{
    world->Text("\x01H\xC3\xA9", {600, 480}, 4.0f, Green, 2, "DejaVuSans");
    Load();
    Frame();
    EXPECT_GT(CountIn(560, 440, 900, 760, [](const Colour& c) { return c.g > 100; }), 60);
}

TEST_F(Drawing, ATextWithoutBehaviourIsPlacedInTheWorldAfterACameraBoundText)
{
    const Entity label = world->Text("H", {1500, 800}, 2.0f, Red, 1, "DejaVuSans");
    Attach<bFontBehaviour>(label)->BindToCamera = true;
    world->Text("H", {600, 500}, 2.0f, Green, 2, "DejaVuSans");
    Load();
    C().ViewHeight = 2160;
    Frame();
    // Seen from (960, 540) over 3840 by 2160 units, world (600, 500) is pixel (130, 86); the
    // screen projection would have put it at (100, 83).
    auto green = [](const Colour& c) { return c.g > 100; };
    int atWorldPlace = 0;
    int atScreenPlace = 0;
    for (int y = 86; y < 100; ++y)
        for (int x = 130; x < 140; ++x)
            atWorldPlace += green(target->Pixel(x, y)) ? 1 : 0;
    for (int y = 84; y < 96; ++y)
        for (int x = 101; x < 112; ++x)
            atScreenPlace += green(target->Pixel(x, y)) ? 1 : 0;
    EXPECT_GT(atWorldPlace, 5);
    EXPECT_EQ(atScreenPlace, 0);
}

// --- Culling ----------------------------------------------------------------------------------------

TEST_F(Drawing, ACameraBoundEntityIsCulledAgainstTheReferenceView)
{
    // Zoomed in, the world view reaches 480 units either side; the interface view still 960.
    const Entity badge = world->Sprite("Green", {1660, 540}, {60, 60}, 1, {"UI"});
    Attach<bImageBehaviour>(badge)->BindToCamera = true;
    const Entity far = world->Sprite("Red", {2200, 540}, {60, 60}, 1, {"UI"});
    Attach<bImageBehaviour>(far)->BindToCamera = true;
    Load();
    C().ViewHeight = 540;
    Frame();
    EXPECT_COLOUR(At(1660, 540), 0, 255, 0);
}

TEST_F(Drawing, ARotatedSpriteIsCulledByItsTurnedExtent)
{
    // Long and thin, turned upright, its centre 100 units above the view: its lower half shows.
    const Entity pole = world->Sprite("Red", {960, 1180}, {300, 5}, 1);
    world->TransformOf(pole).rotation = 1.5707964f;
    Load();
    Frame();
    EXPECT_COLOUR(At(960, 1000), 255, 0, 0);
    EXPECT_COLOUR(At(960, 860), 0, 0, 0);
}

// --- Camera shake ------------------------------------------------------------------------------------

TEST_F(Drawing, TheCameraShakeStaysSmallAndReturnsTheCameraToItsOrigin)
{
    ResetGameRandom();
    Load();
    const Vector2 origin = {1000, 600};
    world->TransformOf(world->camera).position = origin;
    sRendererSystem& renderer = *world->renderer;
    renderer.shakeElapsed = 0.0f;
    renderer.shakeDuration = 1.0f;
    renderer.shakeMagnitude = 1.0f;
    renderer.shakeRotation = 1.0f;
    renderer.shakeOrigin = origin;
    C().DeltaTime = 1.0f / 60.0f;

    float largest = 0.0f;
    bool moved = false;
    for (int frame = 0; frame < 60; ++frame)
    {
        Frame();
        const Transform& view = world->TransformOf(world->camera);
        const float dx = view.position.x - origin.x;
        const float dy = view.position.y - origin.y;
        largest = std::max({largest, std::fabs(dx), std::fabs(dy)});
        moved = moved || dx != 0.0f || dy != 0.0f;
        EXPECT_GE(view.rotation, 0.0f);
        EXPECT_LE(view.rotation, 32767.0f / 1877410.9f);
        EXPECT_FLOAT_EQ(world->fonts->textOffset.x, 10.0f * dx);
        EXPECT_FLOAT_EQ(world->fonts->textOffset.y, 10.0f * dy);
    }
    EXPECT_TRUE(moved);
    EXPECT_LE(largest, 1.0f);

    for (int frame = 0; frame < 3; ++frame)
        Frame();
    const Transform& view = world->TransformOf(world->camera);
    EXPECT_EQ(view.position.x, origin.x);
    EXPECT_EQ(view.position.y, origin.y);
    EXPECT_EQ(view.rotation, 0.0f);
    EXPECT_EQ(renderer.shakeElapsed, 0.0f);
    EXPECT_EQ(renderer.shakeDuration, 0.0f);
    EXPECT_EQ(world->fonts->textOffset.x, 0.0f);
    EXPECT_EQ(world->fonts->textOffset.y, 0.0f);
}

TEST_F(Drawing, AtRestTheCameraIsHeldUnturned)
{
    Load();
    world->TransformOf(world->camera).rotation = 0.5f;
    Frame();
    EXPECT_EQ(world->TransformOf(world->camera).rotation, 0.0f);
}

// The entry leaves showing frames to the renderer: each frame shows the last one just before it
// draws its own. What the window would show is read from the back buffer when it is shown.
namespace
{
int framesShown = 0;
Colour shownCentre;

void RecordShownFrame(GLFWwindow*)
{
    ++framesShown;
    unsigned char rgba[4] = {};
    glReadPixels(960, 540, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    shownCentre = {rgba[0], rgba[1], rgba[2]};
}
}

TEST_F(Drawing, AFrameDrawnIntoTheWindowFirstShowsTheLastOne)
{
    const Entity square = world->Sprite("Red", {960, 540}, {300, 300}, 1);
    Load();
    WindowState::window = GlTestContext::Get().Window();
    WindowState::showLastFrame = RecordShownFrame;
    framesShown = 0;
    auto frameInWindow = [&](const char* texture) {
        world->RendererOf(square).textureName = texture;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, 1920, 1080);
        world->Frame();
    };

    frameInWindow("Red");
    frameInWindow("Blue");
    EXPECT_EQ(framesShown, 2);
    EXPECT_COLOUR(shownCentre, 255, 0, 0) << "the red frame is shown before the blue one is drawn";
    frameInWindow("Green");
    EXPECT_COLOUR(shownCentre, 0, 0, 255);

    // A frame drawn elsewhere shows nothing.
    Frame();
    EXPECT_EQ(framesShown, 3);

    WindowState::showLastFrame = nullptr;
    WindowState::window = nullptr;
}
