#include "engine/platform/audio/AudioOutputMode.h"

AudioOutputMode& DefaultAudioOutputMode()
{
    static AudioOutputMode mode = AudioOutputMode::Automatic;
    return mode;
}

void ResetDefaultAudioOutputMode()
{
    DefaultAudioOutputMode() = AudioOutputMode::Automatic;
}
