#pragma once

class bGameLogic;
class bHUD;
class bGameController;
class bTutorialLogic;
class bTransitionScreen;

// The scene's single instances, published by their behaviours and withdrawn when those are
// destroyed: null in a scene without one, so every user tests them first.
bGameLogic*& GameLogicInstance();
bHUD*& HUDInstance();
bGameController*& GameControllerInstance();
bTutorialLogic*& TutorialLogicInstance();
bTransitionScreen*& TransitionScreenInstance();

// Sets all five to null (for tests).
void ResetPublishedInstances();
