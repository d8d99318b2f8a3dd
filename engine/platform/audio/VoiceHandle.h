#pragma once
#include "engine/platform/audio/AudioVoice.h"

#include <cstdint>
#include <memory>

class AudioSystem;

// What a play returns: a handle to that one use of a voice. It is checked on every call, so a
// handle kept after its voice ended, after the slot was reused for another sound, or after the
// audio system was released is inert: queries answer "not playing" (volume 0, clock 0) and
// changes do nothing. A default handle names no voice.
class VoiceHandle
{
public:
    VoiceHandle() = default;
    VoiceHandle(std::weak_ptr<AudioSystem> system, VoiceId id);

    // True for a handle that never named a voice (a play that found nothing to play).
    bool IsNull() const { return id.generation == 0; }

    bool IsPlaying() const;
    void Stop();
    void SetPaused(bool paused);
    // The mixer's clock in output frames, the time base of fade points and scheduled stops.
    std::uint64_t GetParentClock() const;
    void AddFadePoint(std::uint64_t clock, float volume);
    // The voice ends when the clock reaches `clock`.
    void SetDelayedStop(std::uint64_t clock);
    // The voice's own volume, apart from its fade envelope and group.
    float GetVolume() const;
    std::shared_ptr<AudioSystem> GetSystem() const { return system.lock(); }

    bool operator==(const VoiceHandle& other) const;

private:
    template <class Work>
    void WithMixer(Work&& work) const;

    std::weak_ptr<AudioSystem> system;
    VoiceId id;
};
