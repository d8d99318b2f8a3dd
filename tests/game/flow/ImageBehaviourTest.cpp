#include "ScreenElementTesting.h"

#include "engine/components/Renderer.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/bPlayerBehaviour.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
// Runs frames until the condition holds (at most `limit` frames); returns the fixed steps run.
template <class Condition>
int StepsUntil(TestGame& game, Condition done, int limit = 400)
{
    int steps = 0;
    for (int frame = 0; frame < limit && !done(); ++frame)
    {
        game.RunFrames(1);
        steps += game.coordinator->StepCount;
    }
    return steps;
}
}

TEST(ImageBehaviour, AShowTimerCountsFixedStepsAndIsArmedAfreshForEveryShowing)
{
    const auto game = StartScreenScene("Images.json");
    Coordinator& coordinator = *game->coordinator;
    const auto timed = game->Behaviour<bImageBehaviour>("Timed_Image");

    // Frames of 0.02 s hold one or two fixed steps: the three seconds are counted in steps.
    game->platform.SetFrameLength(0.02);
    int frames = 0;
    const int steps = StepsUntil(*game, [&] { return !timed->active || ++frames > 300; });
    EXPECT_FALSE(timed->active);
    EXPECT_GE(steps, 180);
    EXPECT_LE(steps, 182);
    EXPECT_LT(frames, 160);
    game->RunFrames(1);
    EXPECT_FALSE(IsInSystem<sRendererSystem>(coordinator, game->Find("Timed_Image")));
    EXPECT_FLOAT_EQ(timed->ShowTimerRemaining, 3.0f);

    game->platform.SetFrameLength(ScriptedPlatform::FrameSeconds);
    ClickWorld(*game, 1700, 100);
    game->RunFrames(1);
    EXPECT_TRUE(IsInSystem<sRendererSystem>(coordinator, game->Find("Timed_Image")));
    game->RunFrames(170);
    EXPECT_TRUE(timed->active) << "a fresh three seconds";
    EXPECT_LE(StepsUntil(*game, [&] { return !timed->active; }), 15);
}

TEST(ImageBehaviour, AFadeReachesItsLimitInItsDurationThenStartsItsQueue)
{
    // A fade authored downward goes down and hides the image, as retargeted fades do.
    const struct
    {
        const char* image;
        const char* queued;
        float limit;
    } cases[] = {{"Fade_Up", "After_Up", 1.0f}, {"Fade_Down", "After_Down", 0.0f}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.image);
        const auto game = StartScreenScene("Images.json");
        const auto fade = game->Behaviour<bImageBehaviour>(c.image);
        const auto queued = game->Behaviour<bImageBehaviour>(c.queued);
        const Renderer* look = game->Component<Renderer>(c.image);
        EXPECT_FALSE(queued->active);

        EXPECT_EQ(StepsUntil(*game, [] { return false; }, 60), 60);
        EXPECT_NEAR(look->opacity, 0.5f, 0.01f) << "half way after one second";
        // "FXDuration" 2: about 120 fixed steps.
        const int steps = 60 + StepsUntil(*game, [&] { return queued->active; });
        EXPECT_GE(steps, 120);
        EXPECT_LE(steps, 121);
        EXPECT_NEAR(look->opacity, c.limit, 0.01f);
        EXPECT_EQ(fade->active, c.limit > 0.0f) << "a fade down to nothing hides the image";
        EXPECT_TRUE(queued->active);
    }
}

TEST(ImageBehaviour, AQueueSkipsUnknownNamesAndHandsOutItsEffectsInOrder)
{
    const auto game = StartScreenScene("Images.json");
    const auto chain = game->Behaviour<bImageBehaviour>("Chain");
    const auto first = game->Behaviour<bImageBehaviour>("Chain_A");
    const auto second = game->Behaviour<bImageBehaviour>("Chain_B");
    const auto third = game->Behaviour<bImageBehaviour>("Chain_C");
    ASSERT_EQ(chain->QueueTargets.size(), 3u) << "the name no entity has is skipped";
    ASSERT_EQ(chain->QueueToFX.size(), 2u) << "\"Fade_To\" is no effect: the later entries move up";

    // "Delay" for 0.5 s, then the queue.
    const int steps = StepsUntil(*game, [&] { return chain->QueueFired; });
    EXPECT_GE(steps, 30);
    EXPECT_LE(steps, 31);
    EXPECT_TRUE(first->active && second->active && third->active);
    EXPECT_EQ(first->ImageFX, ImageEffect::FadeTo);
    EXPECT_FLOAT_EQ(first->FXDuration, 2.0f);
    EXPECT_FLOAT_EQ(first->FXSpeed, 0.5f) << "from opacity 0 to 1 in 2 s";
    EXPECT_EQ(second->ImageFX, ImageEffect::Flicker);
    EXPECT_FLOAT_EQ(second->FXDuration, 1.0f);
    EXPECT_EQ(third->ImageFX, ImageEffect::NoFX) << "beyond the shortest list: shown with its own effect";
    game->RunFrames(60);
    EXPECT_NEAR(game->Component<Renderer>("Chain_A")->opacity, 0.5f, 0.02f);
}

TEST(ImageBehaviour, AnEndlessImageHandsOnItsQueueOnlyWhenHidden)
{
    const auto game = StartScreenScene("Images.json");
    const auto after = game->Behaviour<bImageBehaviour>("After_Endless");
    game->RunFrames(120);
    EXPECT_FALSE(after->active) << "\"FXDuration\" 1000 never runs out";

    ClickWorld(*game, 1400, 100);
    EXPECT_FALSE(game->Behaviour<bImageBehaviour>("Endless")->active);
    game->RunFrames(1);
    EXPECT_TRUE(after->active);
    EXPECT_FALSE(IsInSystem<sRendererSystem>(*game->coordinator, game->Find("Endless")));
    EXPECT_TRUE(IsInSystem<sRendererSystem>(*game->coordinator, game->Find("After_Endless")));
}

TEST(ImageBehaviour, AnImageThatDeletesWhenHiddenIsDestroyed)
{
    const auto game = StartScreenScene("Images.json");
    const auto doomed = game->Behaviour<bImageBehaviour>("Doomed");
    const int steps = StepsUntil(*game, [&] { return game->Find("Doomed") == NO_ENTITY; });
    // Hidden after its half second, destroyed at the end of the next frame.
    EXPECT_GE(steps, 31);
    EXPECT_LE(steps, 32);
    EXPECT_FALSE(doomed->active);
    EXPECT_EQ(game->Find("Doomed"), NO_ENTITY);
}

TEST(ImageBehaviour, GoMainMenuAndGoCreditsRequestTheirScenesWhenTheirTimeIsOver)
{
    const struct
    {
        const char* scene;
        const char* requested;
    } cases[] = {{"GoCredits.json", "Resources/Credits.json"}, {"GoMainMenu.json", "Resources/mainMenu.json"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.scene);
        // A game folder of its own: the built assets, and the requested scenes as the test makes them.
        TempWorkingFolder folder;
        const fs::path built = fs::path(DUSKVANE_BUILD_DIR);
        fs::create_directory("Resources");
        for (const char* assets : {"Resources/animation", "Resources/audio", "Resources/fonts", "Resources/images",
                                   "Resources/shaders", "Editor_Resources"})
            fs::create_directory_symlink(built / assets, assets);
        fs::copy_file(ScreenScene("Arrival.json"), "Resources/Credits.json");
        fs::copy_file(ScreenScene("Arrival.json"), "Resources/mainMenu.json");

        TestGame game(ScreenScene(c.scene), GamePrefabFile());
        game.RunFrames(1);
        const int steps = StepsUntil(game, [&] { return game.coordinator->CurrentScene == c.requested; });
        EXPECT_EQ(game.coordinator->CurrentScene, c.requested);
        EXPECT_NE(game.Find("Arrived"), NO_ENTITY);
        // "FXDuration" 0.5: about 30 fixed steps; no transition in the scene, so at once.
        EXPECT_GE(steps, 30);
        EXPECT_LE(steps, 31);
    }
}

TEST(ImageBehaviour, AHealthBarEasesTowardItsCharactersHealthInThreeColours)
{
    const auto game = StartScreenScene("Squad.json");
    const auto bar = game->Behaviour<bImageBehaviour>("Health_Bar");
    const auto soldier = game->Behaviour<bPlayerBehaviour>("Player_1");
    const Renderer* look = game->Component<Renderer>("Health_Bar");
    // The HUD links its bars; the soldier's health comes from its data and from play.
    bar->LinkedCharacter = game->Find("Player_1");
    soldier->CurrentHealth = 100.0f;
    game->RunFrames(1);
    soldier->CurrentHealth = 20.0f;

    const float Green[3] = {0.0f, 1.0f, 0.0f};
    const float Orange[3] = {1.0f, 0.5f, 0.0f};
    const float Red[3] = {1.0f, 0.0f, 0.0f};
    // 15 health a second: a quarter a frame.
    const struct
    {
        int frames;
        float shown;
        const float* tint;
    } checkpoints[] = {{80, 80.0f, Green}, {200, 50.0f, Orange}, {300, 25.0f, Red}, {330, 20.0f, Red}};
    int frame = 0;
    for (const auto& checkpoint : checkpoints)
    {
        SCOPED_TRACE(checkpoint.frames);
        game->RunFrames(checkpoint.frames - frame);
        frame = checkpoint.frames;
        EXPECT_NEAR(bar->HealthShown, checkpoint.shown, 0.01f);
        EXPECT_FLOAT_EQ(look->fillPercent, bar->HealthShown);
        EXPECT_TRUE(std::equal(checkpoint.tint, checkpoint.tint + 3, std::begin(look->tint)));
    }
    EXPECT_EQ(bar->HealthShown, 20.0f) << "it lands on the health";

    // Longer frames take longer strides (0.3 at 0.02 s), which must not overshoot and swing
    // about the health for ever.
    game->platform.SetFrameLength(0.02);
    game->RunFrames(1);
    soldier->CurrentHealth = 39.95f;
    game->RunFrames(80);
    EXPECT_EQ(bar->HealthShown, 39.95f);
    EXPECT_TRUE(std::equal(Orange, Orange + 3, std::begin(look->tint)));
    EXPECT_TRUE(WorldIsSane(*game->coordinator));
}
