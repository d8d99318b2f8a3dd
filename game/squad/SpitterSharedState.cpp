#include "game/squad/SpitterSharedState.h"

std::vector<WallCorner>& WallCorners()
{
    static std::vector<WallCorner> corners;
    return corners;
}

std::set<Entity>& LivingPlayers()
{
    static std::set<Entity> players;
    return players;
}

void ResetSpitterSharedState()
{
    WallCorners().clear();
    LivingPlayers().clear();
}
