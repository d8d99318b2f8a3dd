#pragma once
#include <string>
#include <vector>

namespace assetgen
{
constexpr int SampleRate = 48000;

// Writes 16-bit PCM WAV at 48 kHz from interleaved samples in [-1, 1] (clipped beyond).
// Returns false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<float>& interleaved, int channels);
}
