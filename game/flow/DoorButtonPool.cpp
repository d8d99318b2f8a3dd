#include "game/flow/DoorButtonPool.h"

std::map<Entity, bool>& DoorButtonPool()
{
    static std::map<Entity, bool> pool;
    return pool;
}

int& LiveDoorCount()
{
    static int count = 0;
    return count;
}

void ResetDoorButtonPool()
{
    DoorButtonPool().clear();
    LiveDoorCount() = 0;
}
