#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The soldier's weapon ("Weapon" of a soldier); None is an unarmed soldier and has no key.
enum class WeaponType : std::int32_t
{
    None = 0,
    M4A1 = 1,
    Barrett = 2,
    AK_47 = 3,
    Glock = 4,
    USP_S = 5,
};

// The words for each WeaponType: one shared table, never changed.
const NameTable<WeaponType>& WeaponTypes();
