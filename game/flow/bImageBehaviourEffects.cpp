#include "game/flow/bImageBehaviour.h"

void bImageBehaviour::SetUpEffect(Coordinator&)
{
}

void bImageBehaviour::SetFXTarget(Coordinator&, float)
{
}

void bImageBehaviour::FireQueue(Coordinator&)
{
}

void bImageBehaviour::StepEffect(Coordinator&)
{
}
