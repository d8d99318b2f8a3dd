#pragma once
#include <filesystem>

class Coordinator;
class FrameClock;

// The game's start-up and frame, shared by the entry and the test harness so that both build
// the same game.

struct GameStartOptions
{
    // The settings file; empty means "config.json" in the user's Documents/Duskvane folder.
    std::filesystem::path settingsPath;
    // Without a window (tests that need no OpenGL) the settings' size and title are only noted.
    bool openWindow = true;
};

// Registers, in this order: the eight component types (fixing their ids), the systems in their
// update order, the system signatures, and the twenty-four behaviour classes.
void RegisterEngine(Coordinator& coordinator);

// Reads the settings, opens the window, prepares the assets and sound, loads the starting scene
// named by the settings and finishes the coordinator's start-up; from then on the shut-down
// writes the settings. A close request (the window's close flag or a close signal) noted while
// loading ends the start early, between loading steps: the window's close flag is then set and
// the shut-down still writes the settings. Returns false when the window could not be created
// and GLFW gave no reason (nothing else has started then); every other failure is an assert.
bool StartGame(Coordinator& coordinator, const GameStartOptions& options);

// One frame: measures it on the platform clock (delta time and fixed steps), then runs the
// coordinator's frame update.
void RunFrame(Coordinator& coordinator, FrameClock& clock);
