#include "game/squad/bGameController.h"

void bGameController::HandleMouse(Coordinator&, int)
{
}
