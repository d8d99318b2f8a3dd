#include "engine/platform/audio/AudioSound.h"

#include "engine/platform/audio/AudioSystem.h"

AudioSound::AudioSound(std::vector<float> stereo, bool loop, std::weak_ptr<AudioSystem> owner)
    : AudioSound(SoundSamples::FromFloat(std::move(stereo), 2), loop, std::move(owner))
{
}

AudioSound::AudioSound(SoundSamples samples, bool loop, std::weak_ptr<AudioSystem> owner)
    : samples(std::move(samples)), owner(std::move(owner)), loop(loop)
{
}

AudioSound::~AudioSound()
{
    Release();
}

void AudioSound::Release()
{
    // Voices first: the mixer may be reading these samples on the device's thread.
    if (std::shared_ptr<AudioSystem> system = owner.lock())
        system->Locked([&] { system->mixer.StopSound(this); });
    owner.reset();
    samples.Clear();
}

void AudioSound::SetSoundGroup(AudioGroup* newGroup)
{
    if (std::shared_ptr<AudioSystem> system = owner.lock())
        system->Locked([&] { group = newGroup; });
    else
        group = newGroup;
}
