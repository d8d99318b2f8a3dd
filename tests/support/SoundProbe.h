#pragma once
#include "engine/platform/sSoundSystem.h"

#include <string>

// Notices the plays of one effect: every play gives the effect's entry a new voice, so a voice
// different from the one seen last means it played since (several plays between two looks count
// once). Look once a frame to count plays frame by frame.
class SoundProbe
{
public:
    SoundProbe(const sSoundSystem& sound, std::string id) : sound(sound), id(std::move(id)) { seen = Current(); }

    // Whether the effect played since the last look (or since the probe was made).
    bool Played()
    {
        const VoiceHandle now = Current();
        const bool played = !(now == seen) && !now.IsNull();
        seen = now;
        return played;
    }

private:
    VoiceHandle Current() const
    {
        for (const SoundChannelEntry& entry : sound.SfxTable)
            if (entry.id == id)
                return entry.channel;
        return {};
    }

    const sSoundSystem& sound;
    std::string id;
    VoiceHandle seen;
};
