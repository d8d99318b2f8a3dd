#pragma once
#include <string>
#include <vector>

// Reads a WAV or OGG file whole (through libsndfile) and converts it to the output format:
// interleaved stereo float at the output rate. Returns false and says why in `error` when the
// file is missing, is not a sound file libsndfile understands, or holds unreadable data.
bool DecodeAudioFile(const std::string& path, bool loop, std::vector<float>& stereo, std::string& error);

// Converts interleaved samples of `channels` channels at `rate` frames per second to stereo at
// the output rate. Mono is doubled; channels past the second are dropped; the rate changes by
// linear interpolation between neighbouring frames, and the last frame leans towards the first
// for a looping sound (so the seam stays smooth) and is held for a one-shot.
std::vector<float> ConvertToOutputFormat(const std::vector<float>& samples, int channels, int rate, bool loop);
