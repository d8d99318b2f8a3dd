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
