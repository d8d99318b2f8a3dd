#pragma once
#include "support/TestGame.h"

#include <map>
#include <memory>
#include <string>

// The front end as the game plays it: the real scenes, named by their game paths (the tests run
// in the build folder, where the game's data is copied), the real prefab file, and settings
// that hold a chosen progress. Elements are clicked where they show.

// Settings members as JSON texts by key ("Unlocked Farmhouse" -> "true"); they replace the
// windowed first-run values of TestGame::SettingsFor.
using SettingsMembers = std::map<std::string, std::string>;

// Settings text starting in the scene with the real prefab file.
std::string FrontEndSettings(const std::string& scene, const SettingsMembers& members = {});
// A game started in the scene, past its first frame (which sees every key as unknown).
std::unique_ptr<TestGame> StartFrontEnd(const std::string& scene, const SettingsMembers& members = {});

// Runs frames until the scene is the current one; the number of frames that took, or -1 when it
// is not reached within the limit.
int RunUntilScene(TestGame& game, const std::string& scene, int limit = 200);
// Runs frames until the scene's doors stand open (a click while they move would be dropped).
void WaitForOpenDoors(TestGame& game);
// A settled click where the named entity shows (its place in the world, through the camera).
void ClickOn(TestGame& game, const std::string& name);
// Whether the named entity is drawn (a member of the renderer's set).
bool IsDrawn(TestGame& game, const std::string& name);

// Which resource stages have run: the second takes the last sounds, the third the last images.
bool SecondStageLoaded(const Coordinator& coordinator);
bool ThirdStageLoaded(const Coordinator& coordinator);

// A member of the settings file as written now; the JSON null text when it is missing.
std::string SettingsMember(const TestGame& game, const std::string& key);

// Counts the frames in which the game wrote its settings file: before each frame the file is
// replaced by a mark the game never writes, and put back when the frame wrote nothing.
class SaveWatch
{
public:
    explicit SaveWatch(TestGame& game) : game(game) {}
    // One frame of the game, watched.
    void RunFrame();
    void RunFrames(int count);
    int Saves() const { return saves; }

private:
    TestGame& game;
    int saves = 0;
};
