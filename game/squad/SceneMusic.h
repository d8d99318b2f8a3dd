#pragma once
#include <string>

// The music a scene starts with, by the path of the scene being entered and of the one being left
// (at program start: no scene entered, the starting scene left). The first rule that matches:
// the main menu, the credits ("Resources/Credits.json" exactly) and whatever follows the logo
// play "BGM1_true_gameBGM_"; levels ("Level_" in the path) "Ambient2_true_gameBGM_"; the level
// select and the cutscenes ("Cutscene" in the path) "Ambient3_true_gameBGM_". Empty: the music
// that plays goes on.
std::string SceneMusic(const std::string& entering, const std::string& leaving);
