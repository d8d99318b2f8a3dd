#include "game/squad/bCharacterBehaviour.h"

void bCharacterBehaviour::TakeDamage(Coordinator&, float, Entity)
{
}

void bCharacterBehaviour::OnDeath(Coordinator&)
{
}

void bCharacterBehaviour::ShowDangerIcon(Coordinator&)
{
}

bool bCharacterBehaviour::RemoveDangerIcon(Coordinator&)
{
    return false;
}

void bCharacterBehaviour::Inspect()
{
}
