#pragma once
#include "engine/platform/audio/AudioVoice.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class AudioGroup;
class AudioSound;

// The deterministic heart of the audio layer: a fixed set of voice slots, a master clock counted
// in output frames, and the mix of every voice into interleaved stereo float at the output rate.
// It takes no lock; its owner serialises calls with the output device.
//
// Per voice and frame, gain = voice volume x fade envelope at that clock x group volume. Voices
// sum; the sum is clamped to [-1, 1]. Calls with an id that no longer names a live voice do
// nothing (queries answer "not playing", volume 0).
class AudioMixer
{
public:
    explicit AudioMixer(std::size_t voiceCount);

    // Starts the sound in the first free slot, at its first frame. With every slot busy nothing
    // starts and the returned id has generation 0.
    VoiceId Start(const AudioSound& sound, bool paused);

    // A voice plays from its start until it is stopped, reaches its scheduled stop or, when the
    // sound does not loop, its last frame. A paused voice still counts as playing.
    bool IsPlaying(VoiceId id) const;
    void Stop(VoiceId id);
    // A paused voice keeps its place in the sound; the clock, its fades and its stop go on.
    void SetPaused(VoiceId id, bool paused);
    // Adds a point to the voice's envelope; a point at a clock that already has one replaces it.
    void AddFadePoint(VoiceId id, std::uint64_t clock, float volume);
    // The voice falls silent and ends when the clock reaches the given value (at once when it
    // has already passed); a later call moves the stop.
    void StopAt(VoiceId id, std::uint64_t clock);
    float GetVolume(VoiceId id) const;

    void StopGroup(const AudioGroup* group);
    void StopSound(const AudioSound* sound);
    void StopAll();

    std::uint64_t Clock() const { return clock; }
    std::size_t VoiceCount() const { return voices.size(); }
    std::size_t PlayingCount() const;

    // Mixes the next `frames` frames into `out` (frames x 2 floats, overwritten) and advances
    // the clock by that many frames.
    void MixInto(float* out, std::size_t frames);
    // Same, into a buffer of the mixer's own; the view stays valid until the next call.
    std::span<const float> Mix(std::size_t frames);

private:
    AudioVoice* Find(VoiceId id);
    const AudioVoice* Find(VoiceId id) const;
    static void End(AudioVoice& voice);
    void MixVoice(AudioVoice& voice, float* out, std::size_t frames);

    std::vector<AudioVoice> voices;
    std::vector<float> scratch;
    std::uint64_t clock = 0;
};
