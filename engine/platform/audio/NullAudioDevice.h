#pragma once
#include "engine/platform/audio/AudioOutputDevice.h"

#include <functional>

class AudioMixer;

// The output when there is no sound card. With a time source, each Pump mixes (and discards)
// as many frames as the time source says have passed, so the clock, fades, scheduled stops and
// the ends of one-shot sounds keep real time. Without one, only explicit Mix calls move the clock.
class NullAudioDevice : public AudioOutputDevice
{
public:
    // Monotonic seconds.
    using TimeSource = std::function<double()>;

    NullAudioDevice(AudioMixer& mixer, TimeSource time);

    bool IsReal() const override { return false; }
    // A long stall (more than a second between pumps) is not made up for.
    void Pump() override;

    static TimeSource WallClock();

private:
    AudioMixer& mixer;
    TimeSource time;
    double lastSeconds = 0.0;
    double owedFrames = 0.0;
};
