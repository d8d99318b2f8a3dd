#pragma once
#include "engine/platform/audio/AudioGroup.h"
#include "engine/platform/audio/AudioMixer.h"
#include "engine/platform/audio/AudioOutputDevice.h"
#include "engine/platform/audio/AudioOutputMode.h"
#include "engine/platform/audio/AudioSound.h"
#include "engine/platform/audio/VoiceHandle.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The audio layer's front: a mixer of a fixed number of voices, its output device, its groups.
// It is shared-owned so that handles, sounds and groups can tell when it is gone; every call
// from the game thread that touches voices takes the device's lock.
class AudioSystem : public std::enable_shared_from_this<AudioSystem>
{
public:
    // A system with `voiceCount` voices, playing through the given output; Automatic falls back
    // to a silent device without complaint when no sound card opens.
    static std::shared_ptr<AudioSystem> Create(std::size_t voiceCount,
                                               AudioOutputMode mode = DefaultAudioOutputMode());
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    AudioGroup* CreateSoundGroup(const std::string& name);
    // Decodes the file; null with the reason in `error` when it cannot be read.
    std::unique_ptr<AudioSound> CreateSound(const std::string& path, bool loop, std::string& error);
    // A sound from frames already in the output format (interleaved stereo at the output rate).
    std::unique_ptr<AudioSound> CreateSound(std::vector<float> stereo, bool loop);
    // A sound from frames decoded already (DecodeSoundFile, which any thread may run).
    std::unique_ptr<AudioSound> CreateSound(SoundSamples samples, bool loop);

    // Starts the sound on a free voice. Null handle when every voice is busy or the system has
    // been released.
    VoiceHandle PlaySound(AudioSound& sound, bool paused);

    int GetOutputRate() const;
    std::uint64_t GetClock() const;
    bool HasRealDevice() const;
    std::size_t GetVoiceCount() const { return mixer.VoiceCount(); }
    std::size_t PlayingVoiceCount() const;

    // Once per game frame: lets a silent output keep time.
    void Update();
    // Steps the mixer by hand (tests, Manual output): mixes the next frames and returns them.
    std::span<const float> Mix(std::size_t frames);

    // Closes the output and ends every voice; afterwards nothing plays. Safe to call twice.
    void Release();

private:
    friend class AudioGroup;
    friend class AudioSound;
    friend class VoiceHandle;

    explicit AudioSystem(std::size_t voiceCount);

    // Runs the work on the mixer while the output device cannot mix.
    template <class Work>
    void Locked(Work&& work) const
    {
        if (device)
            device->Lock();
        work();
        if (device)
            device->Unlock();
    }

    AudioMixer mixer;
    std::vector<std::unique_ptr<AudioGroup>> groups;
    std::unique_ptr<AudioOutputDevice> device;  // after the mixer: it goes first
    bool released = false;
};
