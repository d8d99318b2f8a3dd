#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The action of a button ("UniqueBehaviour"); None is the empty word.
enum class ButtonAction : std::int32_t
{
    None = 0,
    Reload = 1,
    Heal = 2,
    DeactivateBindToEntity = 3,
    Grenade = 4,
    Molotov = 5,
    Player = 6,
    ApplySoundSettings = 7,
    ResetSoundSettings = 8,
    ToggleFullScreen = 9,
    ToggleMute = 10,
    PlusButtonMaster = 11,
    MinusButtonMaster = 12,
    PlusButtonMusic = 13,
    MinusButtonMusic = 14,
    PlusButtonSFX = 15,
    MinusButtonSFX = 16,
    PlusButtonCameraSensitivity = 17,
    MinusButtonCameraSensitivity = 18,
    Breach = 19,
    StopPath = 20,
    CenterCam = 21,
    SkipTutorial = 22,
    SpecificCenterCam = 23,
    ButtonDisappear = 24,
};

// The words for each ButtonAction: one shared table, never changed.
const NameTable<ButtonAction>& ButtonActions();
