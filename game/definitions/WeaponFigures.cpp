#include "game/definitions/WeaponFigures.h"

WeaponFigures WeaponFiguresOf(WeaponType type)
{
    switch (type)
    {
    case WeaponType::M4A1:
        return {6, 16, 13, 30, WeaponType::M4A1, 1};
    case WeaponType::Barrett:
        return {100, 1, 12, 8, WeaponType::Barrett, 3};
    case WeaponType::AK_47:
        return {10, 12, 13, 20, WeaponType::AK_47, 1};
    case WeaponType::Glock:
        return {8, 15, 20, 15, WeaponType::Glock, 2};
    case WeaponType::USP_S:
        return {8, 15, 20, 15, WeaponType::USP_S, 2};
    default:
        return {};
    }
}
