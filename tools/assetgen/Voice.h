#pragma once
#include "Synth.h"

#include <functional>

namespace assetgen
{
// A throat: a buzzing source shaped by three formant resonances, for groans, roars and screams.
struct VoiceShape
{
    float seconds = 1.0f;
    // Pitch in Hz and amplitude, each over the normalised time 0 to 1.
    std::function<float(float)> pitch;
    std::function<float(float)> envelope;
    // Formant centres at the start and the end (Hz); they glide between.
    float formantsFrom[3] = {700, 1200, 2600};
    float formantsTo[3] = {700, 1200, 2600};
    float roughness = 0.0f;  // growl: a sub-harmonic flutter and pitch jitter (0 to 1)
    float breath = 0.1f;     // noise in the source (0 to 1)
    float drive = 1.0f;      // saturation; above 1 gets harsher
    unsigned seed = 1;
};

Samples Voice(const VoiceShape& shape);
}
