#include "game/squad/bSpitterZombie.h"

void bSpitterZombie::FindHidingSpot(Coordinator&)
{
}

void bSpitterZombie::PathTo(Coordinator&, Vector2)
{
}
