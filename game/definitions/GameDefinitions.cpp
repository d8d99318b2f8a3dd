#include "game/definitions/GameDefinitions.h"

const std::set<std::string>& FreezeSystemSet()
{
    static const std::set<std::string> systems = {
        "class sPhysicsCollision", "class sPhysicsMovement", "class sAnimationSystem", "class sUIButtonSystem"};
    return systems;
}

const std::set<std::string>& KeepActiveSystemSet()
{
    static const std::set<std::string> systems = {"class sIdentifierSystem"};
    return systems;
}

std::vector<float>& ClipEntryTimes()
{
    static std::vector<float> times(5, 0.0f);
    return times;
}

std::vector<float>& ClipExitTimes()
{
    static std::vector<float> times(5, 0.0f);
    return times;
}

const std::map<std::string, int>& LevelFiles()
{
    static const std::map<std::string, int> levels = {
        {"Resources/Level_AbandonedHouse.json", 0},
        {"Resources/Level_Farmhouse.json", 1},
        {"Resources/Level_Warehouse.json", 2},
        {"Resources/Level_TownHall.json", 3},
    };
    return levels;
}
