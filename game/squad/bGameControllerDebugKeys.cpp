#include "game/squad/bGameController.h"

void bGameController::HandleUnlockKey(Coordinator&)
{
}

bool bGameController::HandleDebugToggles(Coordinator&)
{
    return false;
}
