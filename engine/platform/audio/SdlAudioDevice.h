#pragma once
#include "engine/platform/audio/AudioOutputDevice.h"

#include <cstdint>
#include <memory>

class AudioMixer;

// The sound card through SDL2: 48 kHz stereo float, pulled by SDL's audio thread, which mixes
// while holding the device lock.
class SdlAudioDevice : public AudioOutputDevice
{
public:
    // The opened and running device, or null when SDL's audio or the default device will not
    // open (no sound card, no sound server); that is not an error.
    static std::unique_ptr<SdlAudioDevice> Open(AudioMixer& mixer);
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    bool IsReal() const override { return true; }
    void Lock() override;
    void Unlock() override;

private:
    explicit SdlAudioDevice(std::uint32_t device);

    std::uint32_t device;
};
