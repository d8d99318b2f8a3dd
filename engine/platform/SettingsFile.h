#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

class Coordinator;

// The window size the settings ask for.
struct SettingsWindowSize
{
    std::int32_t width = 1920;
    std::int32_t height = 1080;
};

// The user's settings and progress: one JSON object in <Documents>/Duskvane/<file name>, read
// once at start-up and rewritten whole whenever something changes it and at shut-down.

// The settings file in use; empty until LoadConfig or LoadConfigAt has chosen one, and then
// nothing is ever written.
std::filesystem::path& SettingsPath();
// Forgets the chosen path (for tests).
void ResetSettingsPath();

// Chooses <Documents>/Duskvane/<fileName> (creating the folder) and reads it as LoadConfigAt
// does. Without a Documents folder the defaults apply and the settings are never written.
SettingsWindowSize LoadConfig(const std::string& fileName, Coordinator& coordinator);

// Chooses this file (creating its folder) and fills the coordinator's settings and progress, the
// sound system's volumes and start-muted flag, the full-screen flag and the camera sensitivity.
// A file that is missing, does not parse (nesting too deep and NUL bytes included) or whose root
// is not an object reads as the defaults
// (1920 by 1080, full screen, volumes 1, sensitivity 15, "Resources/LogoScene.json",
// "Resources/Prefab.json", nothing unlocked). In a readable file a bool is true only for the
// literal true, a number key takes any number within float range (missing, or beyond the range: 0;
// volumes are clamped to [0, 1]), a width or height that is missing,
// not an integer or not positive falls back to 1920 or 1080, and a starting scene or prefab file
// that is missing or not a string falls back to its default. Nothing is written here.
SettingsWindowSize LoadConfigAt(const std::filesystem::path& path, Coordinator& coordinator);

// The settings file's text for the current values: twenty-one keys in a fixed order, four-space
// indentation. A sound muted only because the window lost the focus is written as the user left
// it (not muted, at the user's master volume). A volume or sensitivity that is not finite is
// written as the first run's default, so the file always reads back. Empty when the JSON writer
// refuses a value.
std::string SettingsText(Coordinator& coordinator);

// Writes SettingsText to a temporary file beside the settings file and renames it over the old
// one, so an interrupted write leaves the old file whole. Does nothing without a chosen path. A
// file that cannot be written, or a text that would not read back, is the assert "JSON ERROR"
// (the old file stays).
void SaveConfig(Coordinator& coordinator);
