#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The effect of a text element ("FontFX").
enum class TextEffect : std::int32_t
{
    NoFX = 0,
    Typewriter = 1,
    Flashing = 2,
};

// The words for each TextEffect: one shared table, never changed.
const NameTable<TextEffect>& TextEffects();
