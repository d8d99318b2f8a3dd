#include "game/definitions/WeaponTypes.h"

const NameTable<WeaponType>& WeaponTypes()
{
    static const NameTable<WeaponType> table = {
        {"M4A1", WeaponType::M4A1},
        {"Barrett", WeaponType::Barrett},
        {"AK_47", WeaponType::AK_47},
        {"Glock", WeaponType::Glock},
        {"USP_S", WeaponType::USP_S},
    };
    return table;
}
