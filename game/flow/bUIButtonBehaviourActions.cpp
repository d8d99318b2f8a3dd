#include "game/flow/bUIButtonBehaviour.h"

void bUIButtonBehaviour::RunClick(Coordinator& coordinator)
{
    GoToSceneTarget(coordinator);
    SwitchScreens(coordinator);
    RunAction(coordinator);
    RequestGameState(coordinator);
}

void bUIButtonBehaviour::GoToSceneTarget(Coordinator&)
{
}

void bUIButtonBehaviour::RunAction(Coordinator&)
{
}

void bUIButtonBehaviour::RequestGameState(Coordinator&)
{
}
