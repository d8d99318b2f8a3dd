#include "engine/platform/sSoundSystem.h"

#include "engine/core/Assert.h"
#include "engine/platform/SoundLoading.h"
#include "engine/platform/audio/AudioFormat.h"

namespace
{
SoundChannelEntry* FirstEntry(std::vector<SoundChannelEntry>& table, const std::string& id)
{
    for (SoundChannelEntry& entry : table)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

const SoundChannelEntry* FirstEntry(const std::vector<SoundChannelEntry>& table, const std::string& id)
{
    for (const SoundChannelEntry& entry : table)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

void SetGroupVolume(AudioGroup* group, float volume)
{
    if (group != nullptr)
        group->SetVolume(volume);
}
}

void sSoundSystem::Init(Coordinator&)
{
    if (StartMuted)
        Mute(true);
    SetGroupVolume(sfxGroup, MasterVolume * EffectsVolume);
    SetGroupVolume(gameGroup, MasterVolume * MusicVolume);
    if (Muted)
    {
        SetGroupVolume(sfxGroup, 0.0f);
        SetGroupVolume(gameGroup, 0.0f);
    }
}

void sSoundSystem::Update(Coordinator&)
{
    if (Audio)
        Audio->Update();
}

void sSoundSystem::Exit()
{
    ReleaseAudioSystem(*this);
}

void sSoundSystem::ClearEntities()
{
    entities.clear();
    if (sfxGroup != nullptr)
        sfxGroup->Stop();
}

AudioGroup* sSoundSystem::GetSoundGroup(const std::string& name)
{
    return *GetSoundGroupSlot(name);
}

AudioGroup** sSoundSystem::GetSoundGroupSlot(const std::string& name)
{
    if (name == "gameGroup")
        return &gameGroup;
    if (name == "sfxGroup")
        return &sfxGroup;
    Assert("Trying to get non existing sound group");
}

AudioSound& sSoundSystem::SoundOf(const std::string& id) const
{
    AudioSound* sound = FindSound ? FindSound(id) : nullptr;
    if (sound == nullptr)
        Assert("Failed to get audio");
    return *sound;
}

VoiceHandle sSoundSystem::Start(AudioSound& sound, bool paused)
{
    return Audio ? Audio->PlaySound(sound, paused) : VoiceHandle{};
}

VoiceHandle sSoundSystem::PlaySfx(const std::string& id, Coordinator&)
{
    SoundChannelEntry* entry = FirstEntry(SfxTable, id);
    if (entry == nullptr)
        return {};
    entry->channel = Start(SoundOf(id), false);
    return entry->channel;
}

VoiceHandle sSoundSystem::PlaySfxIfNotPlaying(const std::string& id, Coordinator& coordinator)
{
    SoundChannelEntry* entry = FirstEntry(SfxTable, id);
    if (entry == nullptr)
        return {};
    if (!entry->channel.IsPlaying())
        PlaySfx(id, coordinator);
    return entry->channel;
}

VoiceHandle sSoundSystem::RestartSfxWithFade(const std::string& id, Coordinator&)
{
    SoundChannelEntry* entry = FirstEntry(SfxTable, id);
    if (entry == nullptr)
        return {};
    const std::uint64_t rate = AudioFormat::OutputRate;
    if (entry->channel.IsPlaying())
    {
        const std::uint64_t now = entry->channel.GetParentClock();
        entry->channel.AddFadePoint(now, 0.5f);
        entry->channel.AddFadePoint(now + rate / 4, 0.0f);
        entry->channel.SetDelayedStop(now + rate / 4);
    }
    entry->channel = Start(SoundOf(id), true);
    const std::uint64_t now = entry->channel.GetParentClock();
    entry->channel.AddFadePoint(now, 0.0f);
    entry->channel.AddFadePoint(now + rate, 1.0f);
    entry->channel.SetPaused(false);
    return entry->channel;
}

void sSoundSystem::PlayBgm(const std::string& id, Coordinator&)
{
    const std::uint64_t rate = AudioFormat::OutputRate;
    for (SoundChannelEntry& entry : BgmTable)
    {
        if (entry.id == id)
        {
            // A copy still running from an earlier play of this id keeps running; callers that
            // must not restart a track ask IsBgmPlaying first.
            entry.channel = Start(SoundOf(id), true);
            const std::uint64_t now = entry.channel.GetParentClock();
            entry.channel.AddFadePoint(now, 0.0f);
            entry.channel.AddFadePoint(now + rate, 1.0f);
            entry.channel.SetPaused(false);
        }
        else if (entry.channel.IsPlaying())
        {
            const std::uint64_t now = entry.channel.GetParentClock();
            entry.channel.AddFadePoint(now, entry.channel.GetVolume());
            entry.channel.AddFadePoint(now + rate, 0.0f);
            entry.channel.SetDelayedStop(now + rate);
        }
    }
}

void sSoundSystem::StopSfx(const std::string& id, VoiceHandle channel)
{
    if (!channel.IsNull())
    {
        channel.Stop();
        return;
    }
    if (SoundChannelEntry* entry = FirstEntry(SfxTable, id))
        entry->channel.Stop();
}

bool sSoundSystem::IsBgmPlaying(const std::string& id) const
{
    const SoundChannelEntry* entry = FirstEntry(BgmTable, id);
    return entry != nullptr && entry->channel.IsPlaying();
}

void sSoundSystem::SetMasterVolume(float volume)
{
    MasterVolume = volume;
    SetGroupVolume(gameGroup, volume * MusicVolume);
    SetGroupVolume(sfxGroup, EffectsVolume * MasterVolume);
}

void sSoundSystem::SetMusicVolume(float volume)
{
    MusicVolume = volume;
    SetGroupVolume(gameGroup, volume * MasterVolume);
}

void sSoundSystem::SetEffectsVolume(float volume)
{
    EffectsVolume = volume;
    SetGroupVolume(sfxGroup, volume * MasterVolume);
}

void sSoundSystem::Mute(bool byUser)
{
    if (Muted)
        return;
    Muted = true;
    // A master of 0 is never remembered, so unmuting never restores silence.
    if (MasterVolume != 0.0f)
        SavedMasterVolume = MasterVolume;
    MasterVolume = 0.0f;
    SetGroupVolume(gameGroup, MusicVolume * MasterVolume);
    SetGroupVolume(sfxGroup, EffectsVolume * MasterVolume);
    MutedByUser = byUser;
}

void sSoundSystem::Unmute(bool byUser)
{
    if (MutedByUser && !byUser)
        return;
    MasterVolume = SavedMasterVolume;
    Muted = false;
    MutedByUser = false;
    SetGroupVolume(gameGroup, MasterVolume * MusicVolume);
    SetGroupVolume(sfxGroup, EffectsVolume * MasterVolume);
    VolumesRestored = true;
}
