#include "support/LevelGame.h"
#include "support/LevelPlayer.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/flow/PublishedInstances.h"

#include <gtest/gtest.h>

// The first level's tutorial adds its skip button to the HUD's top corner, beside the pause
// button: each takes the clicks on its own picture.
TEST(TutorialHUD, TheSkipAndPauseButtonsEachTakeTheClicksOnTheirOwnPicture)
{
    const auto game = StartOnLevelSelect(ProgressUpTo(0, false));
    if (!EnterLevel(*game, Levels[0]))
        FAIL() << Levels[0].file << " did not load";
    if (const std::string missing = MissingForPlay(); !missing.empty())
        GTEST_SKIP() << missing;
    LevelPlayer player(*game);
    ASSERT_TRUE(player.WaitUntilPlaying());
    ASSERT_TRUE(player.RunUntil([&] { return IsDrawn(*game, "SkipTutorial_Button"); }, 600));
    const int step = player.TutorialStep();
    ASSERT_GT(step, 0);

    ClickOn(*game, "Pause_Button");
    game->RunFrames(1);
    EXPECT_EQ(player.State(), GameState::Paused);
    EXPECT_EQ(player.TutorialStep(), step) << "the tutorial goes on";
    EXPECT_NE(TutorialLogicInstance(), nullptr);

    ClickOn(*game, "Resume_Game_Button");
    game->RunFrames(2);
    EXPECT_EQ(player.State(), GameState::Playing);
    // Anywhere on its picture, out to its end, the skip button skips.
    const Transform* skip = game->Component<Transform>("SkipTutorial_Button");
    const Renderer* picture = game->Component<Renderer>("SkipTutorial_Button");
    ASSERT_TRUE(skip != nullptr && picture != nullptr);
    const CursorPoint end = game->WindowPointOf(skip->position.x + 0.9f * picture->scaleX, skip->position.y);
    game->ClickAndSettle(end.x, end.y);
    game->RunFrames(1);
    EXPECT_EQ(TutorialLogicInstance(), nullptr) << "its own button skips it";
    EXPECT_EQ(player.State(), GameState::Playing);
}
