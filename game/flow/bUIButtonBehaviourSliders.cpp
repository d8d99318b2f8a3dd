#include "game/flow/bUIButtonBehaviour.h"

void bUIButtonBehaviour::StartSlider(Coordinator&)
{
}

void bUIButtonBehaviour::UpdateSlider(Coordinator&)
{
}

void bUIButtonBehaviour::ResetSoundSettings(Coordinator&)
{
}

void bUIButtonBehaviour::ToggleFullScreen(Coordinator&)
{
}

void bUIButtonBehaviour::ToggleMute(Coordinator&)
{
}

void bUIButtonBehaviour::StepSlider(Coordinator&)
{
}
