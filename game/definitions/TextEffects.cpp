#include "game/definitions/TextEffects.h"

const NameTable<TextEffect>& TextEffects()
{
    static const NameTable<TextEffect> table = {
        {"No_FX", TextEffect::NoFX},
        {"Typewriter", TextEffect::Typewriter},
        {"Flashing", TextEffect::Flashing},
    };
    return table;
}
