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

int& LiveSpitterCount()
{
    static int count = 0;
    return count;
}

void ResetSpitterSharedState()
{
    WallCorners().clear();
    LivingPlayers().clear();
}
