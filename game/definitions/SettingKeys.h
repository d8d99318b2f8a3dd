#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The setting a slider knob drives ("SliderBehaviour"); None is the empty word.
enum class SettingKey : std::int32_t
{
    None = 0,
    MusicVolume = 1,
    SfxVolume = 2,
    MasterVolume = 3,
    CameraSensitivity = 4,
};

// The words for each SettingKey: one shared table, never changed.
const NameTable<SettingKey>& SettingKeys();
