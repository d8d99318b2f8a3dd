#include "game/squad/SoldierSharedState.h"

std::vector<Entity>& PlayerList()
{
    static std::vector<Entity> players;
    return players;
}

std::map<Entity, bool>& PickupSightMap()
{
    static std::map<Entity, bool> pickups;
    return pickups;
}

std::set<Entity>& DoorsInReachOfAny()
{
    static std::set<Entity> doors;
    return doors;
}

bool& PickupMapPending()
{
    static bool pending = true;
    return pending;
}

int& LivePlayerCount()
{
    static int count = 0;
    return count;
}

void ResetSoldierSharedState()
{
    PlayerList().clear();
    PickupSightMap().clear();
    DoorsInReachOfAny().clear();
    PickupMapPending() = true;
    LivePlayerCount() = 0;
}
