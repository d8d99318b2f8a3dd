#include "game/definitions/LevelFiles.h"

const NameTable<LevelId>& LevelFiles()
{
    static const NameTable<LevelId> table = {
        {"Resources/Level_AbandonedHouse.json", LevelId::AbandonedHouse},
        {"Resources/Level_Farmhouse.json", LevelId::Farmhouse},
        {"Resources/Level_Warehouse.json", LevelId::Warehouse},
        {"Resources/Level_TownHall.json", LevelId::TownHall},
    };
    return table;
}
