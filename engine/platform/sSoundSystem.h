#pragma once
#include "engine/core/sSystemBase.h"
#include "engine/platform/audio/AudioGroup.h"
#include "engine/platform/audio/AudioSound.h"
#include "engine/platform/audio/AudioSystem.h"
#include "engine/platform/audio/VoiceHandle.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A playable sound by id, with the voice of its latest play (null until it first plays).
struct SoundChannelEntry
{
    std::string id;
    VoiceHandle channel;
};

// Plays the game's sounds in two groups, "gameGroup" (music) and "sfxGroup" (effects), under a
// master volume: effects by id, cross-faded music, volumes and mute by the user or by a focus
// loss. The audio system, the groups and the tables are filled by the sound loading code; the
// system has no entities.
//
// Group volumes are always products: music = MasterVolume x MusicVolume, effects =
// EffectsVolume x MasterVolume. Volumes are not clamped. Before the groups exist the setters only
// store their values; Init applies them.
class sSoundSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sSoundSystem";

    // Finds a loaded sound by id; whoever owns the loaded sounds wires it. An id it does not
    // know (or an unwired lookup) is the assert "Failed to get audio".
    using SoundLookup = std::function<AudioSound*(const std::string& id)>;

    void Init(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    void Exit() override;
    // Every effect still sounding stops at a scene change; music plays on.
    void ClearEntities() override;

    // "gameGroup" or "sfxGroup" (null before they exist); any other name asserts "Trying to get
    // non existing sound group".
    AudioGroup* GetSoundGroup(const std::string& name);
    AudioGroup** GetSoundGroupSlot(const std::string& name);

    // The first effect entry with the id plays (overlapping any earlier play of it) and keeps the
    // new voice. An id without an effect entry plays nothing and gives a null handle.
    VoiceHandle PlaySfx(const std::string& id, Coordinator& coordinator);
    // As PlaySfx, but only when the entry's latest voice has ended; the entry's voice either way.
    VoiceHandle PlaySfxIfNotPlaying(const std::string& id, Coordinator& coordinator);
    // A running play of the entry drops to half at once and fades out over a quarter second;
    // then the sound starts anew with a one-second fade-in.
    VoiceHandle RestartSfxWithFade(const std::string& id, Coordinator& coordinator);
    // Every music entry with the id starts with a one-second fade-in; every other playing music
    // entry fades out over one second and stops.
    void PlayBgm(const std::string& id, Coordinator& coordinator);
    // Stops the given voice, or without one the latest voice of the first effect entry.
    void StopSfx(const std::string& id, VoiceHandle channel = {});
    bool IsBgmPlaying(const std::string& id) const;

    void SetMasterVolume(float volume);
    void SetMusicVolume(float volume);
    void SetEffectsVolume(float volume);
    // Silences both groups, remembering a non-zero master volume; nothing when already muted.
    void Mute(bool byUser);
    // Restores the remembered master volume, unless the sound was muted by the user and this
    // call is not the user's (a focus return leaves the user's mute alone).
    void Unmute(bool byUser);

    std::shared_ptr<AudioSystem> Audio;
    AudioGroup* gameGroup = nullptr;
    AudioGroup* sfxGroup = nullptr;
    float MasterVolume = 1.0f;
    float MusicVolume = 1.0f;
    float EffectsVolume = 1.0f;
    float SavedMasterVolume = 1.0f;
    bool Muted = false;
    std::vector<SoundChannelEntry> SfxTable;
    std::vector<SoundChannelEntry> BgmTable;
    bool MutedByUser = false;
    bool StartMuted = false;
    bool VolumesRestored = false;
    // Wired by the owner of the loaded sounds; see SoundLookup.
    SoundLookup FindSound;

private:
    AudioSound& SoundOf(const std::string& id) const;
    VoiceHandle Start(AudioSound& sound, bool paused);
    void ApplyGroupVolumes();
};
