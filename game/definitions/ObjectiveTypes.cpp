#include "game/definitions/ObjectiveTypes.h"

const NameTable<ObjectiveType>& ObjectiveTypes()
{
    static const NameTable<ObjectiveType> table = {
        {"Kill_All_Zombies", ObjectiveType::KillAllZombies},
        {"Escape", ObjectiveType::Escape},
    };
    return table;
}
