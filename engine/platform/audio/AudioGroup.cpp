#include "engine/platform/audio/AudioGroup.h"

#include "engine/platform/audio/AudioSystem.h"

AudioGroup::AudioGroup(AudioSystem& owner, std::string name) : owner(owner), name(std::move(name)) {}

void AudioGroup::SetVolume(float value)
{
    owner.Locked([&] { volume = value; });
}

void AudioGroup::Stop()
{
    owner.Locked([&] { owner.mixer.StopGroup(this); });
}
