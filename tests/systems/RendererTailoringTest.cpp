// Each draw is made with only what it needs: its own lights and walls (a large sprite tile by
// tile, and without the lights a wall hides from all of it), a program without the parts it
// cannot use, no blend for an opaque backdrop, no depth test while draws come in layer order, no
// draw at all under a later opaque rectangle or where the picture is clear, a clear in place
// of a first draw of one colour, and no clear where opaque draws paint the whole view.
// None of that may change a pixel: random lit scenes drawn that way and the plain way compare
// equal.
#include "support/GlTestContext.h"
#include "support/RenderWorld.h"
#include "support/TempWorkingFolder.h"
#include "systems/DrawingAssets.h"

#include "game/flow/bImageBehaviour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>

namespace
{
class Tailoring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlTestContext::Get().Ready());
        DrawingAssets::Write();
        world = std::make_unique<RenderWorld>();
        world->behaviours->RegisterBehaviour<bImageBehaviour>();
        target = std::make_unique<OffscreenTarget>();
        ASSERT_TRUE(target->Complete());
    }

    void TearDown() override
    {
        target.reset();
        world.reset();
        GlTestContext::TakeError();
    }

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    // A level's worth of everything that draws: a backdrop, a large lit floor, lit, unlit, turned,
    // tinted, faded and animated sprites on several layers, text, lamps, spot lights and walls.
    enum class Under
    {
        Nothing,
        // An image of one colour over the whole view: the clear can paint it.
        Backdrop,
        // A lit ground over the whole view at the nearer zoom, not at the farther: the clear is
        // needed only at the farther one.
        Ground
    };

    void BuildScene(Under under)
    {
        const char* textures[] = {"Red", "Green", "Blue", "White", "Halves"};
        if (under == Under::Backdrop)
        {
            const Entity back = world->Sprite("Blue", {960, 540}, {1100, 700}, 0, {"IMAGE"});
            world->RendererOf(back).ignoreLighting = true;
        }
        if (under == Under::Ground)
        {
            const Entity ground = world->Sprite("Halves", {960, 540}, {1000, 600}, 0.5f);
            world->RendererOf(ground).lightingFactor = 0.5f;
        }
        const Entity floor = world->Sprite("Halves", {960, 540}, {900, 480}, 1);
        Renderer& ground = world->RendererOf(floor);
        ground.lightingFactor = 0.25f;
        ground.tileMode = true;
        ground.tileSizeX = 7.0f;
        ground.tileSizeY = 4.0f;
        // Opaque rooms hide the floor's tiles below them and the sprites of lower layers; a turned
        // one and a faded one hide nothing.
        const Vector2 roomHalves[] = {{450, 280}, {300, 200}, {250, 150}, {250, 150}};
        for (int i = 0; i < 4; ++i)
        {
            const Entity room = world->Sprite(i % 2 == 0 ? "White" : "Halves", {Uniform(500, 1400), Uniform(300, 780)},
                                              roomHalves[i], i == 0 ? 1.5f : 4.5f);
            world->RendererOf(room).lightingFactor = 0.3f;
            world->TransformOf(room).rotation = i == 2 ? 0.4f : 0.0f;
            world->RendererOf(room).opacity = i == 3 ? 0.8f : 1.0f;
        }
        for (int i = 0; i < 90; ++i)
        {
            const Vector2 at = {Uniform(0, 1920), Uniform(0, 1080)};
            const float size = Uniform(15, 70);
            const bool animated = i % 9 == 0;
            const Entity e = animated ? world->Sprite("Sheet", at, {size, size}, 4, {"Sheet", "ANIMATED"})
                                      : world->Sprite(textures[i % 5], at, {size, size * Uniform(0.5f, 1.5f)},
                                                      static_cast<float>(2 + i % 4));
            Renderer& drawn = world->RendererOf(e);
            drawn.lightingFactor = Uniform(0.1f, 0.6f);
            drawn.ignoreLighting = i % 11 == 0;
            drawn.opacity = i % 7 == 0 ? Uniform(0.3f, 0.9f) : 1.0f;
            drawn.tint[0] = drawn.baseTint[0] = Uniform(0.5f, 1.0f);
            world->TransformOf(e).rotation = i % 3 == 0 ? Uniform(0.0f, 6.28f) : 0.0f;
            if (animated)
            {
                Animation* animation = world->coordinator.AddComponent<Animation>(e);
                animation->AnimationTag = "Sheet";
                animation->frameIndex = i % 4;
                world->coordinator.AddEntityToSystem<sAnimationSystem>(e);
            }
        }
        // Pictures clear in their middle leave out the tiles there: a lit one in the world and an
        // unlit one over the whole view, as a vignette is.
        const Entity frame = world->Sprite("Frame", {Uniform(700, 1200), Uniform(400, 700)}, {500, 320}, 5.5f);
        world->RendererOf(frame).lightingFactor = 0.4f;
        const Entity vignette = world->Sprite("Frame", {960, 540}, {960, 540}, 7, {"IMAGE"});
        world->RendererOf(vignette).ignoreLighting = true;
        const float gold[3] = {1.0f, 0.8f, 0.3f};
        world->Text("Tailored draws", {700, 900}, 1.2f, gold, 6, "DejaVuSans");
        for (int i = 0; i < 20; ++i)
            world->Light("AMBIENTLIGHT", {Uniform(0, 1920), Uniform(0, 1080)}, Uniform(100, 500), Uniform(0.6f, 1.6f));
        for (int i = 0; i < 4; ++i)
        {
            const Entity spot = world->Light("SPOTLIGHT", {Uniform(200, 1700), Uniform(200, 900)}, Uniform(400, 800));
            world->TransformOf(spot).rotation = Uniform(0.0f, 6.28f);
        }
        for (int i = 0; i < 40; ++i)
        {
            const Entity wall = world->Wall({Uniform(0, 1920), Uniform(0, 1080)}, {Uniform(4, 120), Uniform(4, 20)});
            world->TransformOf(wall).rotation = i % 4 == 0 ? Uniform(0.0f, 3.14f) : 0.0f;
        }
        // Long walls, as rooms have, hide whole sprites and tiles from the lamps beyond them.
        for (int i = 0; i < 6; ++i)
        {
            const Entity wall = world->Wall({Uniform(200, 1700), Uniform(150, 900)}, {Uniform(100, 300), 5});
            world->TransformOf(wall).rotation = i % 2 == 0 ? 1.5708f : Uniform(0.0f, 3.14f);
        }
    }

    std::vector<unsigned char> Draw(bool plainly)
    {
        world->renderer->drawPlainly = plainly;
        target->Bind();
        world->Frame();
        EXPECT_EQ(GlTestContext::TakeError(), static_cast<unsigned int>(GL_NO_ERROR));
        return target->ReadAll();
    }

    void CompareAtTwoZooms()
    {
        world->Load();
        // Frames do not move on: the animation holds its frame.
        world->coordinator.DeltaTime = 0.0f;
        for (float zoom : {1080.0f, 1400.0f})
        {
            world->coordinator.ViewHeight = zoom;
            const std::vector<unsigned char> tailored = Draw(false);
            const std::vector<unsigned char> plain = Draw(true);
            int largest = 0;
            EXPECT_EQ(Differing(tailored, plain, largest), 0) << "zoom " << zoom << ", largest difference " << largest;
            // And back: nothing of the plain frame stays behind.
            EXPECT_EQ(Draw(false), tailored) << "zoom " << zoom;
        }
    }

    // Pixels whose colour differs at all between the two pictures.
    static int Differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int& largest)
    {
        int differing = 0;
        largest = 0;
        for (std::size_t i = 0; i < a.size(); i += 4)
        {
            int most = 0;
            for (std::size_t c = 0; c < 3; ++c)
                most = std::max(most, std::abs(a[i + c] - b[i + c]));
            largest = std::max(largest, most);
            differing += most > 0 ? 1 : 0;
        }
        return differing;
    }

    TempWorkingFolder folder;
    std::unique_ptr<RenderWorld> world;
    std::unique_ptr<OffscreenTarget> target;
    std::mt19937 random{3};
};
}

TEST_F(Tailoring, LitScenesLookTheSameDrawnPlainly)
{
    BuildScene(Under::Nothing);
    CompareAtTwoZooms();
}

TEST_F(Tailoring, AOneColouredBackdropPaintedByTheClearLooksTheSame)
{
    BuildScene(Under::Backdrop);
    CompareAtTwoZooms();
}

// Left uncleared under a ground that covers the view, the frame must still be cleared where the
// ground leaves the view's edges: there nothing of the frame before may show.
TEST_F(Tailoring, AGroundOverTheWholeViewLooksTheSameUncleared)
{
    BuildScene(Under::Ground);
    CompareAtTwoZooms();
}
