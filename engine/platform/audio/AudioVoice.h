#pragma once
#include <cstdint>
#include <vector>

class AudioSound;

// A volume at a clock value (in output frames). A voice's fade envelope runs linearly between
// its points and holds the first point's volume before it and the last point's volume after it.
struct FadePoint
{
    std::uint64_t clock = 0;
    float volume = 1.0f;
};

// Names one use of one voice slot. A slot's generation grows with every sound started in it, so
// an id kept from an earlier use no longer matches. Generation 0 names nothing.
struct VoiceId
{
    std::uint32_t slot = 0;
    std::uint32_t generation = 0;

    bool operator==(const VoiceId&) const = default;
};

// One playing (or paused) sound in the mixer.
struct AudioVoice
{
    const AudioSound* sound = nullptr;
    std::uint64_t position = 0;    // next frame of the sound to be mixed
    std::vector<FadePoint> fades;  // ascending clock values, at most one point per clock
    std::uint64_t stopClock = 0;   // with hasStop: the first clock value at which it is silent
    float volume = 1.0f;
    std::uint32_t generation = 0;
    bool hasStop = false;
    bool active = false;
    bool paused = false;
};
