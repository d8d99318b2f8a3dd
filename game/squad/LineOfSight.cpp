#include "game/squad/LineOfSight.h"

bool HasLineOfSightBetween(Coordinator&, Entity, Entity, const GridSpec&)
{
    return false;
}

bool HasLineOfSight(const IBehaviour&, Coordinator&, const Vector2&, Entity)
{
    return false;
}
