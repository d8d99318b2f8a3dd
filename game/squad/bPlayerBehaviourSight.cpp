#include "game/squad/bPlayerBehaviour.h"

int bPlayerBehaviour::LineOfSight(Coordinator&, const GridSpec&, Vector2, Entity)
{
    return 0;
}

void bPlayerBehaviour::Reload(Coordinator&)
{
}

void bPlayerBehaviour::Heal(Coordinator&)
{
}

void bPlayerBehaviour::Throw(Coordinator&, const std::string&, float, const std::vector<Vector2>&,
                             const std::vector<Vector2>&)
{
}

void bPlayerBehaviour::ShowBulletLine(Coordinator&)
{
}

std::vector<Entity> bPlayerBehaviour::ScanSight(Coordinator&)
{
    return {};
}

void bPlayerBehaviour::ChooseTarget(Coordinator&, const std::vector<Entity>&)
{
}

void bPlayerBehaviour::RunWeapon(Coordinator&)
{
}
