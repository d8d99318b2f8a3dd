#include "ScreenElementTesting.h"
#include "support/FrontEndGame.h"

#include "engine/components/PhysicsCollision.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <array>
#include <gtest/gtest.h>

// The game's level select, dressed from the saved progress.

namespace
{
const std::string LevelSelect = "Resources/LevelSelect.json";
const std::array<std::string, 4> Levels = {"AbandonedHouse", "Farmhouse", "Warehouse", "TownHall"};
// How far the arrow stands above its place over the button of the highest level (0 to 2).
const std::array<float, 3> ArrowLift = {20.0f, 15.0f, 0.0f};

SettingsMembers Progress(bool farmhouse, bool warehouse, bool townHall)
{
    auto flag = [](bool value) { return std::string(value ? "true" : "false"); };
    return {{"Unlocked Farmhouse", flag(farmhouse)},
            {"Unlocked Warehouse", flag(warehouse)},
            {"Unlocked TownHall", flag(townHall)}};
}

// Each level shows its button when open and its locked overlay when not; the arrow stands over
// the highest open level's button (where its bobbing is centred), or is gone once all are open.
void ExpectDressedFor(TestGame& game, const std::array<bool, 4>& open, int highest)
{
    for (std::size_t level = 0; level < Levels.size(); ++level)
    {
        SCOPED_TRACE(Levels[level]);
        EXPECT_EQ(IsDrawn(game, Levels[level] + "_Button"), open[level]);
        EXPECT_EQ(IsDrawn(game, Levels[level] + "_Locked"), !open[level]);
    }
    if (highest == 3)
    {
        EXPECT_FALSE(IsDrawn(game, "Pointer_Arrow"));
        return;
    }
    const std::string button = Levels[highest] + "_Button";
    const Vector2 over = PlaceOf(game, button);
    const float buttonHalfHeight = 0.5f * game.Component<PhysicsCollision>(button)->shapeData.size.y;
    const auto arrow = game.Behaviour<bImageBehaviour>("Pointer_Arrow");
    const float place = over.y + buttonHalfHeight + arrow->FXLimits + game.Component<Renderer>("Pointer_Arrow")->scaleY;
    EXPECT_TRUE(IsDrawn(game, "Pointer_Arrow"));
    EXPECT_FLOAT_EQ(PlaceOf(game, "Pointer_Arrow").x, over.x);
    EXPECT_FLOAT_EQ(PlaceOf(game, "Pointer_Arrow").y, place + ArrowLift[highest]);
    EXPECT_FLOAT_EQ(arrow->BasePosition.x, over.x);
    EXPECT_FLOAT_EQ(arrow->BasePosition.y, place);
}
}

TEST(LevelSelect, TheProgressDecidesWhatEachLevelShowsAndWhereTheArrowPoints)
{
    const struct
    {
        const char* what;
        std::array<bool, 3> unlocked; // Farmhouse, Warehouse, TownHall
        std::array<bool, 4> open;
        int highest;
    } cases[] = {
        {"a new game", {false, false, false}, {true, false, false, false}, 0},
        {"the farmhouse won", {true, false, false}, {true, true, false, false}, 1},
        {"the warehouse open", {true, true, false}, {true, true, true, false}, 2},
        {"the warehouse alone", {false, true, false}, {true, false, true, false}, 2},
        {"every level open", {true, true, true}, {true, true, true, true}, 3},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const auto game = StartFrontEnd(LevelSelect, Progress(c.unlocked[0], c.unlocked[1], c.unlocked[2]));
        EXPECT_EQ(game->coordinator->HighestUnlockedLevel, c.highest);
        ExpectDressedFor(*game, c.open, c.highest);
    }
}

TEST(LevelSelect, TheScreenIsDressedAgainWhenTheLevelsChange)
{
    const auto game = StartFrontEnd(LevelSelect);
    ExpectDressedFor(*game, {true, false, false, false}, 0);

    // The unlock-all debug key of the squad controller opens every level and says so.
    Coordinator& coordinator = *game->coordinator;
    for (int level = 0; level < 4; ++level)
        coordinator.LevelUnlocked[level] = true;
    coordinator.HighestUnlockedLevel = 3;
    coordinator.LevelsChanged = true;
    game->RunFrames(1);
    EXPECT_FALSE(coordinator.LevelsChanged);
    ExpectDressedFor(*game, {true, true, true, true}, 3);
}

TEST(LevelSelect, AnOpenLevelsButtonLeadsToItsLevelAndALockedOneToNothing)
{
    const auto game = StartFrontEnd(LevelSelect);
    // The doors open first (a click meanwhile would be dropped).
    game->RunFrames(90);
    // Clicked where the locked farmhouse shows: nothing answers.
    ClickOn(*game, "Farmhouse_Locked");
    game->RunFrames(90);
    EXPECT_EQ(game->coordinator->CurrentScene, LevelSelect);

    ClickOn(*game, "AbandonedHouse_Button");
    EXPECT_EQ(game->Behaviour<bUIButtonBehaviour>("AbandonedHouse_Button")->LevelToTarget,
              "Resources/Level_AbandonedHouse.json");
    EXPECT_GE(RunUntilScene(*game, "Resources/Level_AbandonedHouse.json", 120), 0);
    EXPECT_TRUE(ThirdStageLoaded(*game->coordinator));
}
