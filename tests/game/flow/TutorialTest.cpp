#include "support/FlowFixtureGame.h"
#include "support/FrontEndGame.h"
#include "support/WorldSanity.h"

#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sTransformSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/TutorialProgress.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/bPlayerBehaviour.h"

#include <gtest/gtest.h>

#include <cmath>

// The squad controller's own hooks (the selection box, the selection keys, facing, reload and
// throw aiming) are called here as it calls them: Advance at the step they teach. Every other
// step is reached as in play: panels that time out, soldiers that walk, breach, get hurt, heal.

namespace
{
struct TutorialRun
{
    std::unique_ptr<TestGame> game;
    Coordinator& coordinator;
    std::shared_ptr<bTutorialLogic> tutorial;

    explicit TutorialRun(const std::string& scene)
        : game(FlowFixtureGame(scene, true)), coordinator(*game->coordinator),
          tutorial(game->Behaviour<bTutorialLogic>("Tutorial"))
    {
        // The panels start (hidden) in the first frame; the second shows the first one.
        game->RunFrames(2);
    }

    std::shared_ptr<bImageBehaviour> PanelOf(int step)
    {
        const int first = tutorial->TutorialLevel == 2 ? 11 : 1;
        return coordinator.GetBehaviourAs<bImageBehaviour>(tutorial->Panels.at(static_cast<std::size_t>(step - first)));
    }
    // The current step's panel runs out of show time, as if it had been read; then the frame in
    // which the tutorial sees it closed.
    void TimeOutPanel()
    {
        const auto panel = PanelOf(tutorial->TutorialStep);
        ASSERT_TRUE(panel->active) << "the step's panel shows";
        panel->ShowTimerRemaining = 0.05f;
        for (int frame = 0; frame < 30 && panel->active; ++frame)
            game->RunFrames(1);
        ASSERT_FALSE(panel->active);
        game->RunFrames(1);
    }
    Vector2 PositionOf(Entity entity) { return coordinator.GetComponent<Transform>(entity)->position; }
    std::size_t CountNamed(const std::string& prefix)
    {
        std::size_t count = 0;
        for (Entity entity : coordinator.GetSystem<sIdentifierSystem>()->entities)
            if (coordinator.GetComponent<Identifier>(entity)->name.rfind(prefix, 0) == 0)
                ++count;
        return count;
    }
    // Only the current step's panel shows.
    void ExpectOnlyPanelOf(int step)
    {
        const int first = tutorial->TutorialLevel == 2 ? 11 : 1;
        for (std::size_t i = 0; i < tutorial->Panels.size(); ++i)
            EXPECT_EQ(coordinator.GetBehaviourAs<bImageBehaviour>(tutorial->Panels[i])->active,
                      static_cast<int>(i) + first == step)
                << "panel " << i;
    }
    void ExpectMarkers(const std::vector<Vector2>& places, float size)
    {
        ASSERT_EQ(tutorial->HintMarkers.size(), places.size());
        for (std::size_t i = 0; i < places.size(); ++i)
        {
            EXPECT_FLOAT_EQ(PositionOf(tutorial->HintMarkers[i]).x, places[i].x);
            EXPECT_FLOAT_EQ(PositionOf(tutorial->HintMarkers[i]).y, places[i].y);
            if (size > 0.0f)
            {
                EXPECT_FLOAT_EQ(coordinator.GetComponent<Renderer>(tutorial->HintMarkers[i])->scaleX, size);
            }
        }
    }
    // Ended: nothing of it is left, it is withdrawn and its clearing is saved.
    void ExpectEndedAndSaved(int level)
    {
        game->RunFrames(1);
        EXPECT_EQ(TutorialLogicInstance(), nullptr);
        EXPECT_TRUE(tutorial->Panels.empty());
        EXPECT_TRUE(tutorial->HintMarkers.empty());
        EXPECT_EQ(tutorial->SkipButton, NO_ENTITY);
        EXPECT_EQ(CountNamed("Lvl"), 0u);
        EXPECT_EQ(CountNamed("Circle_Indicator"), 0u);
        EXPECT_EQ(CountNamed("SkipTutorial_Button"), 0u);
        EXPECT_TRUE(coordinator.TutorialCleared[level]);
        EXPECT_TRUE(TutorialClearedLocal()[level]);
        EXPECT_EQ(SettingsMember(*game, "Tutorial " + std::to_string(level) + " Cleared"), "true");
        EXPECT_EQ(SettingsMember(*game, "Tutorial " + std::to_string(3 - level) + " Cleared"), "false");
    }
};
}

// Two soldiers at (400, 400) and (480, 400); two windows ("Window_Glass_1" at (600, 700),
// "Glass_2" at (800, 700)); a door at (900, 800) with reach 150; a pickup at (1500, 300); the
// "TUTOR9" trigger at (300, 150).
TEST(Tutorial, TheFirstTutorialTeachesItsTenStepsAndIsNotShownAgain)
{
    TutorialRun run("Tutorial1.json");
    auto& tutorial = *run.tutorial;
    Coordinator& coordinator = run.coordinator;
    const auto first = run.game->Behaviour<bPlayerBehaviour>("Player_1");
    const auto second = run.game->Behaviour<bPlayerBehaviour>("Player_2");

    ASSERT_EQ(TutorialLogicInstance(), &tutorial);
    EXPECT_EQ(tutorial.TutorialStep, 1);
    ASSERT_EQ(tutorial.Panels.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(coordinator.GetComponent<Identifier>(tutorial.Panels[i])->name.rfind("Lvl1Tutorial_" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1), 0), 0u)
            << "panels in the prefab file's order";
    EXPECT_NE(tutorial.SkipButton, NO_ENTITY);
    run.ExpectOnlyPanelOf(1);
    run.ExpectMarkers({{440.0f, 400.0f}}, 0.0f);

    // Hidden with the level's menus, shown again after them.
    bTutorialLogic::HideAll(coordinator);
    run.game->RunFrames(1);
    EXPECT_EQ(coordinator.GetSystem<sTransformSystem>()->entities.count(tutorial.Panels[0]), 0u);
    EXPECT_FALSE(coordinator.GetBehaviourAs<IBehaviour>(tutorial.SkipButton)->active);
    bTutorialLogic::ShowAll(coordinator);
    run.game->RunFrames(1);
    EXPECT_EQ(coordinator.GetSystem<sTransformSystem>()->entities.count(tutorial.Panels[0]), 1u);
    EXPECT_TRUE(coordinator.GetBehaviourAs<IBehaviour>(tutorial.SkipButton)->active);

    // 1: the panel runs out, and that ends the step.
    run.TimeOutPanel();
    EXPECT_EQ(tutorial.TutorialStep, 2);
    run.ExpectOnlyPanelOf(2);
    EXPECT_TRUE(tutorial.HintMarkers.empty());

    // 2: a selection key.
    tutorial.Advance(coordinator);
    run.game->RunFrames(1);
    ASSERT_EQ(tutorial.TutorialStep, 3);
    run.ExpectMarkers({{540.0f, 70.0f}}, 120.0f);

    // 3: a move outside the circle is refused; one into it ends the step.
    first->MoveTo(coordinator, {1200.0f, 900.0f});
    EXPECT_EQ(tutorial.TutorialStep, 3);
    first->MoveTo(coordinator, {560.0f, 90.0f});
    EXPECT_EQ(tutorial.TutorialStep, 4);
    first->StopPath(coordinator);
    run.game->RunFrames(1);

    // 4: the windows, by their names.
    run.ExpectMarkers({{600.0f, 700.0f}, {800.0f, 700.0f}}, 100.0f);
    run.ExpectOnlyPanelOf(4);
    run.TimeOutPanel();
    EXPECT_EQ(tutorial.TutorialStep, 5);

    // 5: facing.
    tutorial.Advance(coordinator);
    run.game->RunFrames(1);
    ASSERT_EQ(tutorial.TutorialStep, 6);

    // 6: the panel running out does not end it; a soldier in reach of the door does.
    run.TimeOutPanel();
    run.game->RunFrames(3);
    EXPECT_EQ(tutorial.TutorialStep, 6);
    PlaceEntityAt(coordinator, first->entity, {820.0f, 800.0f});
    run.game->RunFrames(2);
    ASSERT_EQ(tutorial.TutorialStep, 7);

    // 7: the breach, once.
    first->Breach(coordinator);
    run.game->RunFrames(3);
    ASSERT_EQ(tutorial.TutorialStep, 8);
    EXPECT_EQ(run.game->Find("Door_1"), NO_ENTITY);

    // 8: the supplies are marked; the panel running out only takes the marks away.
    run.ExpectMarkers({{1500.0f, 300.0f}}, 60.0f);
    run.TimeOutPanel();
    EXPECT_EQ(tutorial.TutorialStep, 8);
    EXPECT_TRUE(tutorial.HintMarkers.empty());
    first->TakeDamage(coordinator, 30.0f, NO_ENTITY);
    run.game->RunFrames(1);
    ASSERT_EQ(tutorial.TutorialStep, 9);

    // 9: a heal closes the panel and nothing more; nor does the panel running out.
    ASSERT_TRUE(run.PanelOf(9)->active);
    first->Heal(coordinator);
    run.game->RunFrames(5);
    EXPECT_EQ(tutorial.TutorialStep, 9);
    EXPECT_FALSE(run.PanelOf(9)->active) << "closed, and not shown again";

    // The "TUTOR9" trigger jumps ahead to the reload and goes.
    PlaceEntityAt(coordinator, second->entity, {300.0f, 150.0f});
    for (int frame = 0; frame < 10 && tutorial.TutorialStep != 10; ++frame)
        run.game->RunFrames(1);
    ASSERT_EQ(tutorial.TutorialStep, 10);
    run.game->RunFrames(1);
    EXPECT_EQ(run.game->Find("Reload_Lesson_Trigger"), NO_ENTITY);
    run.ExpectOnlyPanelOf(10);

    // 10: the reload key finishes the tutorial.
    tutorial.Advance(coordinator);
    EXPECT_EQ(tutorial.TutorialStep, 16);
    run.ExpectEndedAndSaved(1);
    EXPECT_TRUE(WorldIsSane(coordinator));

    // Cleared: the next visit spawns nothing, and no hook finds a tutorial.
    coordinator.PendingScene = coordinator.CurrentScene;
    run.game->RunFrames(2);
    const auto again = run.game->Behaviour<bTutorialLogic>("Tutorial");
    ASSERT_TRUE(again);
    EXPECT_EQ(TutorialLogicInstance(), nullptr);
    EXPECT_EQ(again->TutorialStep, 0);
    EXPECT_TRUE(again->Panels.empty());
    EXPECT_TRUE(again->HintMarkers.empty());
    EXPECT_EQ(again->SkipButton, NO_ENTITY);
    EXPECT_EQ(run.CountNamed("Lvl1Tutorial_"), 0u);
    EXPECT_EQ(run.CountNamed("SkipTutorial_Button"), 0u);
}

TEST(Tutorial, TheSkipButtonEndsTheTutorialAndRecordsItCleared)
{
    TutorialRun run("Tutorial1.json");
    run.game->RunFrames(2);
    ClickOn(*run.game, "SkipTutorial_Button");
    EXPECT_EQ(run.tutorial->TutorialStep, bTutorialLogic::FinishedStep);
    run.ExpectEndedAndSaved(1);
    // It stays finished: later frames keep it cleared and unpublished.
    run.game->RunFrames(3);
    EXPECT_EQ(TutorialLogicInstance(), nullptr);
    EXPECT_TRUE(TutorialClearedLocal()[1]);
}

TEST(Tutorial, WinningTheLevelEndsTheTutorial)
{
    TutorialRun run("TutorialWin.json");
    bGameLogic* logic = GameLogicInstance();
    if (logic == nullptr)
        FAIL() << "the level rules did not publish themselves";
    logic->Win(run.coordinator);
    run.ExpectEndedAndSaved(1);
}

// The squad controller's input reaches the steps it teaches: the selection box, a selection key,
// a move into the circle, and (after the windows' panel) a facing drag.
TEST(Tutorial, TheSquadControllersInputEndsTheStepsItTeaches)
{
    TutorialRun run("TutorialSquad.json");
    if (GameControllerInstance() == nullptr)
        FAIL() << "the squad controller did not publish itself";
    auto& tutorial = *run.tutorial;
    TestGame& game = *run.game;
    auto pixel = [&](float x, float y) { return game.WindowPointOf(x, y); };

    ASSERT_EQ(tutorial.TutorialStep, 1);
    const CursorPoint from = pixel(350.0f, 350.0f);
    const CursorPoint to = pixel(530.0f, 450.0f);
    game.Drag(1, from.x, from.y, to.x, to.y);
    ASSERT_EQ(tutorial.TutorialStep, 2) << "the box selected the squad";
    game.Tap('1');
    ASSERT_EQ(tutorial.TutorialStep, 3) << "a selection key";
    game.RunFrames(1);
    const CursorPoint circle = pixel(540.0f, 70.0f);
    game.RightClick(circle.x, circle.y);
    ASSERT_EQ(tutorial.TutorialStep, 4) << "a move into the circle";
    run.TimeOutPanel();
    ASSERT_EQ(tutorial.TutorialStep, 5);
    const CursorPoint turnFrom = pixel(600.0f, 500.0f);
    game.Drag(2, turnFrom.x, turnFrom.y, turnFrom.x + 250, turnFrom.y);
    EXPECT_EQ(tutorial.TutorialStep, 6) << "a facing drag";
}

// One soldier; tutorial 2 starts at step 11 without a marker and ends after step 14.
TEST(Tutorial, TheSecondTutorialTeachesItsFourStepsAndEndsAtStepZero)
{
    TutorialRun run("Tutorial2.json");
    auto& tutorial = *run.tutorial;
    ASSERT_EQ(TutorialLogicInstance(), &tutorial);
    EXPECT_EQ(tutorial.TutorialStep, 11);
    ASSERT_EQ(tutorial.Panels.size(), 4u);
    EXPECT_TRUE(tutorial.HintMarkers.empty());
    run.ExpectOnlyPanelOf(11);

    run.TimeOutPanel();
    ASSERT_EQ(tutorial.TutorialStep, 12);
    run.ExpectOnlyPanelOf(12);
    tutorial.Advance(run.coordinator); // throw aiming begins
    run.game->RunFrames(1);
    ASSERT_EQ(tutorial.TutorialStep, 13);
    run.TimeOutPanel();
    ASSERT_EQ(tutorial.TutorialStep, 14);
    tutorial.Advance(run.coordinator); // a throw, or the aim put away
    EXPECT_EQ(tutorial.TutorialStep, 0);
    run.ExpectEndedAndSaved(2);
}

// No soldiers and no windows: the squad's circle and the windows' pan have nothing to stand on.
TEST(Tutorial, StepsOverNoSoldiersOrWindowsPlaceNoMarkers)
{
    TutorialRun run("TutorialEmpty.json");
    auto& tutorial = *run.tutorial;
    EXPECT_EQ(tutorial.TutorialStep, 1);
    EXPECT_TRUE(tutorial.HintMarkers.empty());
    EXPECT_TRUE(std::isfinite(tutorial.SquadCentre.x) && std::isfinite(tutorial.SquadCentre.y));
    tutorial.Advance(run.coordinator);
    tutorial.Advance(run.coordinator);
    EXPECT_EQ(tutorial.TutorialStep, 3);
    ASSERT_EQ(tutorial.HintMarkers.size(), 1u);
    tutorial.Advance(run.coordinator);
    EXPECT_EQ(tutorial.TutorialStep, 4);
    EXPECT_TRUE(tutorial.HintMarkers.empty());
    run.game->RunFrames(30);
    EXPECT_TRUE(WorldIsSane(run.coordinator));
}
