#include "support/LevelGame.h"

#include "game/flow/PublishedInstances.h"


const LevelEntry Levels[4] = {
    {"AbandonedHouse", "Resources/Level_AbandonedHouse.json", ""},
    {"Farmhouse", "Resources/Level_Farmhouse.json", "Unlocked Farmhouse"},
    {"Warehouse", "Resources/Level_Warehouse.json", "Unlocked Warehouse"},
    {"TownHall", "Resources/Level_TownHall.json", "Unlocked TownHall"},
};

namespace
{
const char* const CutsceneKeys[4] = {"First Cutscene Cleared", "Second Cutscene Cleared", "Third Cutscene Cleared",
                                     "Fourth Cutscene Cleared"};
}

SettingsMembers ProgressUpTo(int level, bool tutorialsCleared)
{
    SettingsMembers progress;
    for (int i = 1; i <= level && i < 4; ++i)
        progress[Levels[i].unlockKey] = "true";
    for (int i = 0; i <= level && i < 4; ++i)
        progress[CutsceneKeys[i]] = "true";
    progress["Tutorial 1 Cleared"] = tutorialsCleared ? "true" : "false";
    progress["Tutorial 2 Cleared"] = tutorialsCleared ? "true" : "false";
    return progress;
}

std::unique_ptr<TestGame> StartOnLevelSelect(const SettingsMembers& progress)
{
    auto game = TestGame::WithSettings(FrontEndSettings("Resources/LevelSelect.json", progress));
    game->coordinator->ResourceManager.LoadStage2(*game->coordinator);
    game->RasteriseSmall();
    game->RunFrames(1);
    WaitForOpenDoors(*game);
    return game;
}

bool EnterLevel(TestGame& game, const LevelEntry& level)
{
    ClickOn(game, std::string(level.name) + "_Button");
    return RunUntilScene(game, level.file, 200) >= 0;
}

std::string MissingForPlay()
{
    std::string missing;
    if (GameLogicInstance() == nullptr)
        missing += " the level rules (bGameLogic)";
    if (GameControllerInstance() == nullptr)
        missing += " the squad controller (bGameController)";
    if (HUDInstance() == nullptr)
        missing += " the HUD (bHUD)";
    return missing.empty() ? missing : "not built yet:" + missing;
}
