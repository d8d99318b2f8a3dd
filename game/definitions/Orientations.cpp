#include "game/definitions/Orientations.h"

const NameTable<Orientation>& Orientations()
{
    static const NameTable<Orientation> table = {
        {"", Orientation::None},
        {"Vertical", Orientation::Vertical},
        {"Horizontal", Orientation::Horizontal},
    };
    return table;
}
