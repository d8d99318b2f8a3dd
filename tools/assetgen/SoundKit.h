#pragma once
#include "Families.h"
#include "Synth.h"

#include <initializer_list>
#include <string>

namespace assetgen
{
// Common strokes of the sound effects.

// A sine whose pitch falls from f0 to f1 (exponentially, time constant `glide`), decaying by tau.
Samples Thump(float seconds, float f0, float f1, float glide, float tau);
// Filtered noise with an attack and a decay.
Samples Burst(float seconds, int kind, float frequency, float q, float attack, float tau, unsigned seed);
// A struck object: inharmonic partials (Hz) each with its own decay.
Samples Partials(float seconds, std::initializer_list<float> hz, std::initializer_list<float> decays, float attack = 0.001f);
// A tiny mechanical click, about 4 kHz, `tau` seconds long.
Samples Tick(float frequency, float tau, unsigned seed);
// Writes a one-shot effect: normalised, faded in and out to silence.
void EmitEffect(Kit& kit, const std::string& folder, const std::string& name, Samples s, float peak = 0.9f);
// Writes a seamless loop: normalised only (its ends already meet).
void EmitLoop(Kit& kit, const std::string& folder, const std::string& name, Samples s, float peak = 0.8f);
}
