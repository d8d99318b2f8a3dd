#pragma once
#include "engine/platform/audio/SoundSamples.h"

#include <cstddef>
#include <memory>
#include <vector>

class AudioGroup;
class AudioSystem;

// A sound decoded whole at the output rate, looping or one-shot, optionally in a group.
// Made by AudioSystem::CreateSound. Releasing it (or destroying it) first stops every voice that
// plays it, so the mixer never reads freed samples; that is safe at any time, also after the audio
// system itself is gone.
class AudioSound
{
public:
    // Interleaved stereo float frames at the output rate.
    AudioSound(std::vector<float> stereo, bool loop, std::weak_ptr<AudioSystem> owner);
    AudioSound(SoundSamples samples, bool loop, std::weak_ptr<AudioSystem> owner);
    ~AudioSound();
    AudioSound(const AudioSound&) = delete;
    AudioSound& operator=(const AudioSound&) = delete;

    void Release();

    // The group whose volume and stop apply to this sound's voices; null for none.
    void SetSoundGroup(AudioGroup* group);
    AudioGroup* GetSoundGroup() const { return group; }

    bool Loops() const { return loop; }
    std::size_t FrameCount() const { return samples.FrameCount(); }
    // The frames at the output rate, in their compact layout.
    const SoundSamples& Samples() const { return samples; }

private:
    SoundSamples samples;
    std::weak_ptr<AudioSystem> owner;
    AudioGroup* group = nullptr;
    bool loop = false;
};
