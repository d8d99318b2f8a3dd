#pragma once
#include "engine/platform/audio/SoundSamples.h"

#include <string>
#include <vector>

// Reads a WAV or OGG file whole (through libsndfile) and converts it to the output rate, keeping
// one channel for a mono file and the first two otherwise. 16-bit (or 8-bit) PCM that is already
// at the output rate stays 16-bit; everything else becomes float. Returns false and says why in
// `error` (naming the file) when the file is missing, is not a sound file libsndfile
// understands, holds unreadable data or no frames at all, has a sample rate below
// LowestSampleRate, or lasts longer than MostSoundSeconds; `samples` is untouched then. Memory
// grows with the data read, never with what the header claims. Safe to call from any thread.
inline constexpr int LowestSampleRate = 8000;
inline constexpr int MostSoundSeconds = 600;
bool DecodeSoundFile(const std::string& path, bool loop, SoundSamples& samples, std::string& error);

// The same file as interleaved stereo float at the output rate: what the mixer hears.
bool DecodeAudioFile(const std::string& path, bool loop, std::vector<float>& stereo, std::string& error);

// Converts interleaved samples of `channels` channels at `rate` frames per second to stereo at
// the output rate. Mono is doubled; channels past the second are dropped; the rate changes by
// linear interpolation between neighbouring frames, and the last frame leans towards the first
// for a looping sound (so the seam stays smooth) and is held for a one-shot.
std::vector<float> ConvertToOutputFormat(const std::vector<float>& samples, int channels, int rate, bool loop);
