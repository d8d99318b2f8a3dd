#include "engine/platform/audio/VoiceHandle.h"

#include "engine/platform/audio/AudioSystem.h"

VoiceHandle::VoiceHandle(std::weak_ptr<AudioSystem> system, VoiceId id) : system(std::move(system)), id(id) {}

template <class Work>
void VoiceHandle::WithMixer(Work&& work) const
{
    if (IsNull())
        return;
    if (std::shared_ptr<AudioSystem> owner = system.lock())
        owner->Locked([&] { work(owner->mixer); });
}

bool VoiceHandle::IsPlaying() const
{
    bool playing = false;
    WithMixer([&](AudioMixer& mixer) { playing = mixer.IsPlaying(id); });
    return playing;
}

void VoiceHandle::Stop()
{
    WithMixer([&](AudioMixer& mixer) { mixer.Stop(id); });
}

void VoiceHandle::SetPaused(bool paused)
{
    WithMixer([&](AudioMixer& mixer) { mixer.SetPaused(id, paused); });
}

std::uint64_t VoiceHandle::GetParentClock() const
{
    std::uint64_t clock = 0;
    WithMixer([&](AudioMixer& mixer) {
        if (mixer.IsPlaying(id))
            clock = mixer.Clock();
    });
    return clock;
}

void VoiceHandle::AddFadePoint(std::uint64_t clock, float volume)
{
    WithMixer([&](AudioMixer& mixer) { mixer.AddFadePoint(id, clock, volume); });
}

void VoiceHandle::SetDelayedStop(std::uint64_t clock)
{
    WithMixer([&](AudioMixer& mixer) { mixer.StopAt(id, clock); });
}

float VoiceHandle::GetVolume() const
{
    float volume = 0.0f;
    WithMixer([&](AudioMixer& mixer) { volume = mixer.GetVolume(id); });
    return volume;
}

bool VoiceHandle::operator==(const VoiceHandle& other) const
{
    return id == other.id && !system.owner_before(other.system) && !other.system.owner_before(system);
}
