#include "engine/platform/SoundLoading.h"

#include "engine/core/Assert.h"
#include "engine/platform/audio/AudioDecoding.h"
#include "engine/platform/sSoundSystem.h"

#include <cstdio>

void CreateAudioSystem(sSoundSystem& sound)
{
    if (sound.Audio)
        return;
    CreateAudioSystem(sound, AudioSystem::Create(SoundVoiceCount));
}

void CreateAudioSystem(sSoundSystem& sound, std::shared_ptr<AudioSystem> opened)
{
    if (sound.Audio || !opened)
        return;
    sound.Audio = std::move(opened);
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
    DecodedSound decoded;
    decoded.decoded = DecodeSoundFile(path, loop, decoded.samples, decoded.error);
    return LoadSoundRecord(sound, id, path, loop, groupWord, std::move(decoded));
}

std::unique_ptr<AudioSound> LoadSoundRecord(sSoundSystem& sound, const std::string& id, const std::string& path,
                                            bool loop, const std::string& groupWord, DecodedSound decoded)
{
    if (!sound.Audio)
        FailToCreate(path, "the audio system has not been created");
    if (!decoded.decoded)
        FailToCreate(path, decoded.error);
    std::unique_ptr<AudioSound> loaded = sound.Audio->CreateSound(std::move(decoded.samples), loop);
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
