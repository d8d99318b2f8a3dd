#pragma once
#include "game/definitions/WeaponTypes.h"

#include <cstdint>

// A soldier's weapon figures. A shot deals ShotDamage x 1.5 (20000 with InstantKill), shots come
// 2 / FireRate seconds apart, a reload takes 20 / ReloadRate seconds. SoundClass: 1 rifle,
// 2 pistol, 3 silent. An unarmed record (type None) has every figure 0 and never fires.
struct WeaponFigures
{
    std::uint16_t ShotDamage = 0;
    std::uint16_t FireRate = 0;
    std::uint16_t ReloadRate = 0;
    std::uint16_t ClipSize = 0;
    ::WeaponType WeaponType = ::WeaponType::None;
    int SoundClass = 0;
    bool InfiniteAmmo = false;
    bool InstantKill = false;
};

// The figures of the weapon, with both flags clear; the unarmed record for None or any code
// outside the table.
WeaponFigures WeaponFiguresOf(WeaponType type);
