#include "game/definitions/SettingKeys.h"

const NameTable<SettingKey>& SettingKeys()
{
    static const NameTable<SettingKey> table = {
        {"", SettingKey::None},
        {"MusicVolume", SettingKey::MusicVolume},
        {"SfxVolume", SettingKey::SfxVolume},
        {"MasterVolume", SettingKey::MasterVolume},
        {"CameraSensitivity", SettingKey::CameraSensitivity},
    };
    return table;
}
