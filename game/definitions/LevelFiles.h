#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// A level, known by its scene file path exactly as the scene was requested; the same numbers key
// the progress records. None (no level loaded) has no key.
enum class LevelId : std::int32_t
{
    AbandonedHouse = 0,
    Farmhouse = 1,
    Warehouse = 2,
    TownHall = 3,
    None = 4,
};

// The words for each LevelId: one shared table, never changed.
const NameTable<LevelId>& LevelFiles();
