#include "game/squad/SceneMusic.h"

namespace
{
bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

std::string SceneMusic(const std::string& entering, const std::string& leaving)
{
    if (entering == "Resources/mainMenu.json" || leaving == "Resources/LogoScene.json" ||
        entering == "Resources/Credits.json")
        return "BGM1_true_gameBGM_";
    if (Contains(entering, "Level_"))
        return "Ambient2_true_gameBGM_";
    if (entering == "Resources/LevelSelect.json" || Contains(entering, "Cutscene"))
        return "Ambient3_true_gameBGM_";
    return "";
}
