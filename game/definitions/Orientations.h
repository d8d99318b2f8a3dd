#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The direction of a slider knob ("SliderType"); None is the empty word.
enum class Orientation : std::int32_t
{
    None = 0,
    Vertical = 1,
    Horizontal = 2,
};

// The words for each Orientation: one shared table, never changed.
const NameTable<Orientation>& Orientations();
