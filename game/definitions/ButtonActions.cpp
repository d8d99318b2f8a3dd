#include "game/definitions/ButtonActions.h"

const NameTable<ButtonAction>& ButtonActions()
{
    static const NameTable<ButtonAction> table = {
        {"", ButtonAction::None},
        {"Reload", ButtonAction::Reload},
        {"Heal", ButtonAction::Heal},
        {"Deactivate BindTo Entity", ButtonAction::DeactivateBindToEntity},
        {"Grenade", ButtonAction::Grenade},
        {"Molotov", ButtonAction::Molotov},
        {"Player", ButtonAction::Player},
        {"ApplySoundSettings", ButtonAction::ApplySoundSettings},
        {"ResetSoundSettings", ButtonAction::ResetSoundSettings},
        {"ToggleFullScreen", ButtonAction::ToggleFullScreen},
        {"ToggleMute", ButtonAction::ToggleMute},
        {"PlusButtonMaster", ButtonAction::PlusButtonMaster},
        {"MinusButtonMaster", ButtonAction::MinusButtonMaster},
        {"PlusButtonMusic", ButtonAction::PlusButtonMusic},
        {"MinusButtonMusic", ButtonAction::MinusButtonMusic},
        {"PlusButtonSFX", ButtonAction::PlusButtonSFX},
        {"MinusButtonSFX", ButtonAction::MinusButtonSFX},
        {"PlusButtonCameraSensitivity", ButtonAction::PlusButtonCameraSensitivity},
        {"MinusButtonCameraSensitivity", ButtonAction::MinusButtonCameraSensitivity},
        {"Breach", ButtonAction::Breach},
        {"StopPath", ButtonAction::StopPath},
        {"CenterCam", ButtonAction::CenterCam},
        {"SkipTutorial", ButtonAction::SkipTutorial},
        {"SpecificCenterCam", ButtonAction::SpecificCenterCam},
        {"ButtonDisappear", ButtonAction::ButtonDisappear},
    };
    return table;
}
