#include "game/flow/bUIButtonBehaviour.h"

void bUIButtonBehaviour::RunClick(Coordinator&)
{
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
