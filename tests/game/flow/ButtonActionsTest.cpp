#include "ScreenElementTesting.h"
#include "support/FrontEndGame.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/platform/WindowState.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTransitionScreen.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/bGameController.h"

#include <array>
#include <gtest/gtest.h>

// What a click does: the main menu's Continue and New Game on saved progress, and the other
// scene targets and the actions that need no squad on the fixture's column of buttons (x 300).

namespace
{
const std::string MainMenu = "Resources/mainMenu.json";
const std::string Actions = "scenes/frontend/Actions.json";

// The scene the doors are closing toward.
std::string Requested(TestGame& game)
{
    const auto screen = game.Behaviour<bTransitionScreen>("Transition");
    return screen != nullptr && screen->DoorMode == bTransitionScreen::DoorsClosing ? screen->Destination : "";
}

std::unique_ptr<TestGame> StartActions()
{
    return StartFrontEnd(TestGame::Fixture(Actions));
}
}

TEST(ButtonActions, ContinueShowsTheCutsceneTheStoryHasReachedOrTheLevelSelect)
{
    const struct
    {
        const char* what;
        SettingsMembers saved;
        const char* destination;
        // The cutscenes marked as shown in the settings file afterwards.
        std::array<bool, 4> shown;
    } cases[] = {
        {"a new save", {}, "Resources/Cutscene.json", {true, false, false, false}},
        {"the first cutscene seen", {{"First Cutscene Cleared", "true"}}, "Resources/LevelSelect.json",
         {true, false, false, false}},
        {"the farmhouse opened",
         {{"First Cutscene Cleared", "true"}, {"Unlocked Farmhouse", "true"}},
         "Resources/CutsceneLevel1.json",
         {true, true, false, false}},
        {"the farmhouse's cutscene seen",
         {{"First Cutscene Cleared", "true"}, {"Unlocked Farmhouse", "true"}, {"Second Cutscene Cleared", "true"}},
         "Resources/LevelSelect.json",
         {true, true, false, false}},
        {"the warehouse opened",
         {{"First Cutscene Cleared", "true"}, {"Unlocked Farmhouse", "true"}, {"Unlocked Warehouse", "true"},
          {"Second Cutscene Cleared", "true"}},
         "Resources/CutsceneLevel2.json",
         {true, true, true, false}},
        {"the town hall opened (its unlock kept in the file)",
         {{"First Cutscene Cleared", "true"},
          {"Unlocked Farmhouse", "true"},
          {"Unlocked Warehouse", "true"},
          {"Unlocked TownHall", "true"}},
         "Resources/CutsceneLevel3.json",
         {true, false, false, true}},
        // The first cutscene wins; the farmhouse's is marked without being shown.
        {"the first cutscene never seen but the farmhouse opened",
         {{"Unlocked Farmhouse", "true"}},
         "Resources/Cutscene.json",
         {true, true, false, false}},
    };
    const char* const keys[4] = {"First Cutscene Cleared", "Second Cutscene Cleared", "Third Cutscene Cleared",
                                 "Fourth Cutscene Cleared"};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const auto game = StartFrontEnd(MainMenu, c.saved);
        WaitForOpenDoors(*game);
        ClickOn(*game, "Continue_Button");
        EXPECT_EQ(Requested(*game), c.destination);
        for (int cutscene = 0; cutscene < 4; ++cutscene)
            EXPECT_EQ(SettingsMember(*game, keys[cutscene]), c.shown[cutscene] ? "true" : "false") << keys[cutscene];
    }
}

TEST(ButtonActions, ContinueAsksForOneSceneEvenWithoutDoorsToDropTheSecond)
{
    // Without a transition every request is written at once: the first must stay the one.
    const auto game = StartFrontEnd(TestGame::Fixture("scenes/frontend/NoDoors.json"), {{"Unlocked Farmhouse", "true"}});
    ClickScreen(*game, 960, 540);
    EXPECT_EQ(game->coordinator->CurrentScene, "Resources/Cutscene.json");
    EXPECT_EQ(SettingsMember(*game, "First Cutscene Cleared"), "true");
    EXPECT_EQ(SettingsMember(*game, "Second Cutscene Cleared"), "true");
}

TEST(ButtonActions, NewGameStartsTheStoryOverAndSavesItAtOnce)
{
    const auto game = StartFrontEnd(MainMenu, {{"Unlocked Farmhouse", "true"},
                                               {"Unlocked Warehouse", "true"},
                                               {"Unlocked TownHall", "true"},
                                               {"First Cutscene Cleared", "true"},
                                               {"Second Cutscene Cleared", "true"},
                                               {"Third Cutscene Cleared", "true"},
                                               {"Fourth Cutscene Cleared", "true"},
                                               {"Tutorial 1 Cleared", "true"},
                                               {"Tutorial 2 Cleared", "true"}});
    WaitForOpenDoors(*game);
    ClickOn(*game, "NewGame_Button");
    game->RunFrames(1);
    ClickOn(*game, "NewGame_Yes_Button");
    EXPECT_EQ(Requested(*game), "Resources/Cutscene.json");
    for (const char* locked : {"Unlocked Farmhouse", "Unlocked Warehouse", "Unlocked TownHall", "Second Cutscene Cleared",
                               "Third Cutscene Cleared", "Fourth Cutscene Cleared", "Tutorial 1 Cleared",
                               "Tutorial 2 Cleared"})
        EXPECT_EQ(SettingsMember(*game, locked), "false") << locked;
    EXPECT_EQ(SettingsMember(*game, "First Cutscene Cleared"), "true");
    EXPECT_TRUE(game->coordinator->LevelUnlocked[0]);
    EXPECT_EQ(game->coordinator->HighestUnlockedLevel, 0);
}

TEST(ButtonActions, SceneTargetsRestartQuitAndLeadToTheCredits)
{
    {
        const auto game = StartActions();
        ClickScreen(*game, 300, 600);
        EXPECT_EQ(game->Component<Renderer>("Disappear_Button")->opacity, 0.0f) << "ButtonDisappear";
        EXPECT_TRUE(game->Behaviour<bUIButtonBehaviour>("Disappear_Button")->active) << "still clickable";
        // The scene starts again from its file.
        ClickScreen(*game, 300, 900);
        EXPECT_EQ(game->coordinator->CurrentScene, TestGame::Fixture(Actions));
        EXPECT_EQ(game->Component<Renderer>("Disappear_Button")->opacity, 1.0f);
    }
    {
        const auto game = StartActions();
        ClickScreen(*game, 300, 800);
        EXPECT_EQ(game->coordinator->CurrentScene, "Resources/credits.json");
        EXPECT_NE(game->Find("Credits_Roll"), NO_ENTITY) << "served by Credits.json";
    }
    {
        const auto game = StartActions();
        EXPECT_FALSE(WindowState::closeRequested);
        ClickScreen(*game, 300, 700);
        EXPECT_TRUE(WindowState::closeRequested);
    }
}

TEST(ButtonActions, ABoundButtonClosesThePanelItSitsOn)
{
    const auto game = StartActions();
    const Vector2 close = PlaceOf(*game, "Close_Button");
    EXPECT_FLOAT_EQ(close.x, 1400.0f);
    EXPECT_FLOAT_EQ(close.y, 600.0f);
    ClickWorld(*game, 1400, 600);
    EXPECT_FALSE(game->Behaviour<bImageBehaviour>("Panel")->active);
    game->RunFrames(2);
    EXPECT_FALSE(IsDrawn(*game, "Panel"));
    EXPECT_FALSE(IsDrawn(*game, "Close_Button"));
}

TEST(ButtonActions, LookingAtASoldierMovesTheCameraOnlyToOneThatIsThere)
{
    const auto game = StartActions();
    const Vector2 home = PlaceOf(*game, "Camera");
    ClickScreen(*game, 300, 500);
    game->RunFrames(70);
    EXPECT_EQ(PlaceOf(*game, "Camera").x, home.x) << "\"Nobody\" is no entity";
    EXPECT_EQ(PlaceOf(*game, "Camera").y, home.y);

    ClickScreen(*game, 300, 400);
    EXPECT_EQ(game->Behaviour<bCameraBehaviour>("Camera")->CurrentMove.Duration, 1.0f) << "an eased move of a second";
    game->RunFrames(70);
    EXPECT_NEAR(PlaceOf(*game, "Camera").x, 1700.0f, 1.0f);
    EXPECT_NEAR(PlaceOf(*game, "Camera").y, 250.0f, 1.0f);
}

TEST(ButtonActions, AClickAsksTheLevelRulesForItsGameState)
{
    const auto game = StartActions();
    ASSERT_NE(GameLogicInstance(), nullptr);
    bGameLogic& rules = *game->Behaviour<bGameLogic>("Rules");
    // The fixture has no squad, so it is never put in play (the rules would find it lost).
    rules.CurrentState = GameState::Deploy;
    rules.PreviousState = GameState::Menus;
    // "Previous" exchanges the two states.
    ClickScreen(*game, 300, 200);
    EXPECT_EQ(rules.CurrentState, GameState::Menus);
    EXPECT_EQ(rules.PreviousState, GameState::Deploy);

    ClickScreen(*game, 300, 300);
    EXPECT_EQ(rules.CurrentState, GameState::Paused);
    EXPECT_EQ(rules.PreviousState, GameState::Menus);
}

TEST(ButtonActions, SquadOrdersGoThroughTheSquadController)
{
    TestGame game(TestGame::Fixture("scenes/frontend/SquadButtons.json"), GamePrefabFile());
    game.coordinator->ResourceManager.LoadStage3(*game.coordinator);
    game.RunFrames(1);
    bGameController* squad = GameControllerInstance();
    ASSERT_NE(squad, nullptr);
    const Entity soldier = game.Find("Player_1");
    // The portrait toggles the soldier's selection.
    ClickScreen(game, 300, 900);
    EXPECT_TRUE(squad->Players[soldier]);
    ClickScreen(game, 300, 900);
    EXPECT_FALSE(squad->Players[soldier]);
    // Looking at the soldier selects it alone.
    ClickScreen(game, 300, 800);
    EXPECT_TRUE(squad->Players[soldier]);
    // A grenade is aimed by the selected soldier who has one.
    ClickScreen(game, 300, 700);
    EXPECT_EQ(squad->ThrowMode, 1);
    EXPECT_EQ(squad->Thrower, soldier);
    EXPECT_TRUE(WorldIsSane(*game.coordinator));
}
