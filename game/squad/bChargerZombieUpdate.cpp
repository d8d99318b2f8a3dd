#include "game/squad/bChargerZombie.h"

void bChargerZombie::Update(Coordinator&)
{
}
