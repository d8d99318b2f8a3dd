#pragma once
#include "engine/platform/AssetDecodeQueue.h"
#include "engine/platform/audio/AudioSound.h"

#include <cstddef>
#include <memory>
#include <string>

class sSoundSystem;

// The sound steps of staged loading and shut-down. The caller owns the loaded sounds (keyed by
// id) and gives the sound system a lookup into them (sSoundSystem::FindSound).

inline constexpr std::size_t SoundVoiceCount = 100;

// Creates the sound system's audio system (100 voices, on the default output) and its groups
// "gameGroup" (music) and "sfxGroup" (effects). A sound system that has one already keeps it.
void CreateAudioSystem(sSoundSystem& sound);
// The same around an audio system opened already (on another thread, say), which then takes
// the place of the default one; a sound system that has one already keeps its own.
void CreateAudioSystem(sSoundSystem& sound, std::shared_ptr<AudioSystem> opened);

// Decodes one sound file, looping or one-shot, into a new sound. By the group word: "gameBGM"
// puts it in "gameGroup" and appends {id, no voice} to the music table; "SFX" puts it in
// "sfxGroup" and appends to the effects table; any other word leaves it in no group and no table
// (it loads but cannot be played by id). A file that cannot be decoded, or loading before the
// audio system exists, asserts "Failed to create sound" (the reason goes to stderr).
std::unique_ptr<AudioSound> LoadSoundRecord(sSoundSystem& sound, const std::string& id, const std::string& path,
                                            bool loop, const std::string& groupWord);
// The same with the file decoded already (on a worker, say); `decoded` must come from this path
// and loop flag. A file that could not be decoded fails here exactly as above.
std::unique_ptr<AudioSound> LoadSoundRecord(sSoundSystem& sound, const std::string& id, const std::string& path,
                                            bool loop, const std::string& groupWord, DecodedSound decoded);

// Stops the sound's voices and frees it; nothing for an empty pointer.
void ReleaseSound(std::unique_ptr<AudioSound>& sound);

// Stops every voice, closes the output and forgets the groups; nothing when audio never started.
void ReleaseAudioSystem(sSoundSystem& sound);
