#pragma once

// Where a new audio system sends its mix.
enum class AudioOutputMode
{
    Automatic,  // the sound card through SDL when one opens, else Silent
    Silent,     // no device: the clock follows the wall clock, so sounds still end and fade on time
    Manual,     // no device: the clock moves only when someone calls Mix (tests)
};

// The mode new audio systems use when none is given: Automatic unless a test harness says
// otherwise. ResetDefaultAudioOutputMode puts Automatic back.
AudioOutputMode& DefaultAudioOutputMode();
void ResetDefaultAudioOutputMode();
