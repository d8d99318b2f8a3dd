#include "game/flow/PublishedInstances.h"

bGameLogic*& GameLogicInstance()
{
    static bGameLogic* instance = nullptr;
    return instance;
}

bHUD*& HUDInstance()
{
    static bHUD* instance = nullptr;
    return instance;
}

bGameController*& GameControllerInstance()
{
    static bGameController* instance = nullptr;
    return instance;
}

bTutorialLogic*& TutorialLogicInstance()
{
    static bTutorialLogic* instance = nullptr;
    return instance;
}

bTransitionScreen*& TransitionScreenInstance()
{
    static bTransitionScreen* instance = nullptr;
    return instance;
}

void ResetPublishedInstances()
{
    GameLogicInstance() = nullptr;
    HUDInstance() = nullptr;
    GameControllerInstance() = nullptr;
    TutorialLogicInstance() = nullptr;
    TransitionScreenInstance() = nullptr;
}
