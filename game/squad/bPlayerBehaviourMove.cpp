#include "game/squad/bPlayerBehaviour.h"

void bPlayerBehaviour::MoveTo(Coordinator&, Vector2)
{
}

bool bPlayerBehaviour::IsSegmentClear(Coordinator&, const GridSpec&, Vector2, Vector2)
{
    return false;
}

bool bPlayerBehaviour::IsMoving(Coordinator&)
{
    return false;
}

void bPlayerBehaviour::StopPath(Coordinator&)
{
}

void bPlayerBehaviour::ReturnToLevel(Coordinator&)
{
}

bool bPlayerBehaviour::FollowPath(Coordinator&)
{
    return false;
}
