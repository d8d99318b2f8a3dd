#pragma once

// The one output format of the audio layer: every sound is decoded to it and the device plays it.
namespace AudioFormat
{
inline constexpr int OutputRate = 48000;
inline constexpr int OutputChannels = 2;
}
