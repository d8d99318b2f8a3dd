#pragma once
#include <string>

class Coordinator;

// Scene paths that the game names itself. The credits have two spellings: the credits button
// goes to CreditsButtonScene, the image effect GoCredits to CreditsEffectScene.
inline constexpr const char* LogoScene = "Resources/LogoScene.json";
inline constexpr const char* MainMenuScene = "Resources/mainMenu.json";
inline constexpr const char* LevelSelectScene = "Resources/LevelSelect.json";
inline constexpr const char* FirstCutsceneScene = "Resources/Cutscene.json";
inline constexpr const char* SecondCutsceneScene = "Resources/CutsceneLevel1.json";
inline constexpr const char* ThirdCutsceneScene = "Resources/CutsceneLevel2.json";
inline constexpr const char* FourthCutsceneScene = "Resources/CutsceneLevel3.json";
inline constexpr const char* CreditsButtonScene = "Resources/credits.json";
inline constexpr const char* CreditsEffectScene = "Resources/Credits.json";

// Goes to the scene: through the lowest-id "TRANSITION" entity's bTransitionScreen (closing
// doors, mode 1) when the scene has one, else by writing the pending scene at once.
void GoToScene(Coordinator& coordinator, const std::string& path);
