#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The frames of one decoded sound at the output rate, kept as compact as the source allows:
// 16-bit integers where the file held 16-bit (or 8-bit) PCM at the output rate, floats
// otherwise, and one channel where the file had one. Every layout reads back as the same float
// values the mixer would have seen in interleaved stereo float: a 16-bit sample s reads as
// s / 32768 (exactly the value the decoder produces for it), and a mono frame is heard on both
// sides.
class SoundSamples
{
public:
    SoundSamples() = default;
    // Interleaved float frames of one or two channels.
    static SoundSamples FromFloat(std::vector<float> samples, int channels);
    // Interleaved 16-bit frames of one or two channels.
    static SoundSamples FromPcm16(std::vector<std::int16_t> samples, int channels);

    int Channels() const { return channels; }
    std::size_t FrameCount() const;
    bool IsPcm16() const { return !pcm16.empty(); }
    const float* FloatData() const { return floats.data(); }
    const std::int16_t* Pcm16Data() const { return pcm16.data(); }
    // The bytes the frames occupy.
    std::size_t ByteSize() const;

    // The frames as interleaved stereo float, as the mixer hears them.
    std::vector<float> ToStereoFloat() const;
    void Clear();

private:
    std::vector<float> floats;
    std::vector<std::int16_t> pcm16;
    int channels = 2;
};

// A 16-bit sample as the float the decoder gives for it.
inline float Pcm16ToFloat(std::int16_t sample)
{
    return static_cast<float>(sample) * (1.0f / 32768.0f);
}
