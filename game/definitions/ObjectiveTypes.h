#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// What wins a level ("GameObjective" of the level rules).
enum class ObjectiveType : std::int32_t
{
    KillAllZombies = 0,
    Escape = 1,
};

// The words for each ObjectiveType: one shared table, never changed.
const NameTable<ObjectiveType>& ObjectiveTypes();
