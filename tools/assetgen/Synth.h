#pragma once
#include "Rng.h"

#include <functional>
#include <vector>

namespace assetgen
{
// Building blocks of the synthesised sounds. Buffers are mono float samples at 48 kHz.
using Samples = std::vector<float>;

size_t SampleCount(float seconds);
float Seconds(size_t index);

// Oscillators of a phase in cycles (any real number).
float SineWave(double phase);
float SawWave(double phase);
float SquareWave(double phase, float duty = 0.5f);
float TriangleWave(double phase);

// Envelopes of time t in seconds.
float Decay(float t, float tau);
float AttackDecay(float t, float attack, float tau);
// Linear attack, hold at 1 until `release` seconds before `length`, then linear fall.
float Gate(float t, float attack, float release, float length);

// Musical pitch: frequency of a MIDI note number.
float NoteHz(float note);
// The nearest frequency that completes a whole number of cycles in `seconds` (for loops).
float LoopHz(float hz, float seconds);

// Adds `source` into `target` at sample `offset`; with `wrap` the samples past the end come
// round to the start (a loop's tail continues into its beginning).
void MixInto(Samples& target, const Samples& source, long offset, float gain, bool wrap = false);
// Scales so the largest absolute sample is `peak`.
void Normalise(Samples& s, float peak);
// Short fades at both ends so a one-shot starts and ends at silence.
void FadeEdges(Samples& s, float inSeconds, float outSeconds);
float SoftClip(float x);
// Runs a stateful effect over a loop twice and keeps the second pass, so the effect's state at
// the end meets its state at the start and the loop has no seam.
Samples Cyclic(const Samples& loop, const std::function<float(float)>& effect);
// White noise in [-1, 1).
Samples Noise(size_t count, Rng& rng);
Samples Reversed(const Samples& s);
// Turns a loop (or a pair of channels) round so it starts where it is quietest and smoothest
// within `reach` samples of its current start (the whole loop when reach is 0): the seam then
// falls where the last sample and the first nearly meet.
void StartAtQuietSeam(Samples& left, Samples* right, size_t reach);
// Interleaves two channels.
std::vector<float> Stereo(const Samples& left, const Samples& right);
}
