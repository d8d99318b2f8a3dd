#include "engine/platform/SoundLoading.h"

#include "engine/core/Assert.h"
#include "engine/platform/sSoundSystem.h"

#include <cstdio>

void CreateAudioSystem(sSoundSystem& sound)
{
    if (sound.Audio)
        return;
    sound.Audio = AudioSystem::Create(SoundVoiceCount);
    *sound.GetSoundGroupSlot("gameGroup") = sound.Audio->CreateSoundGroup("gameGroup");
    *sound.GetSoundGroupSlot("sfxGroup") = sound.Audio->CreateSoundGroup("sfxGroup");
}

namespace
{
[[noreturn]] void FailToCreate(const std::string& path, const std::string& reason)
{
    std::fprintf(stderr, "Failed to create sound %s: %s\n", path.c_str(), reason.c_str());
    std::fflush(stderr);
    Assert("Failed to create sound");
}
}

std::unique_ptr<AudioSound> LoadSoundRecord(sSoundSystem& sound, const std::string& id, const std::string& path,
                                            bool loop, const std::string& groupWord)
{
    if (!sound.Audio)
        FailToCreate(path, "the audio system has not been created");
    std::string error;
    std::unique_ptr<AudioSound> loaded = sound.Audio->CreateSound(path, loop, error);
    if (!loaded)
        FailToCreate(path, error);
    AudioGroup* group = nullptr;
    if (groupWord == "gameBGM")
    {
        group = sound.GetSoundGroup("gameGroup");
        sound.BgmTable.push_back(SoundChannelEntry{id, {}});
    }
    else if (groupWord == "SFX")
    {
        group = sound.GetSoundGroup("sfxGroup");
        sound.SfxTable.push_back(SoundChannelEntry{id, {}});
    }
    loaded->SetSoundGroup(group);
    return loaded;
}

void ReleaseSound(std::unique_ptr<AudioSound>& sound)
{
    if (sound)
        sound->Release();
    sound.reset();
}

void ReleaseAudioSystem(sSoundSystem& sound)
{
    if (sound.Audio)
        sound.Audio->Release();
    sound.Audio.reset();
    sound.gameGroup = nullptr;
    sound.sfxGroup = nullptr;
}
