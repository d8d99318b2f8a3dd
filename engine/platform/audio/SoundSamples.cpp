#include "engine/platform/audio/SoundSamples.h"

SoundSamples SoundSamples::FromFloat(std::vector<float> samples, int channels)
{
    SoundSamples result;
    result.floats = std::move(samples);
    result.channels = channels;
    return result;
}

SoundSamples SoundSamples::FromPcm16(std::vector<std::int16_t> samples, int channels)
{
    SoundSamples result;
    result.pcm16 = std::move(samples);
    result.channels = channels;
    return result;
}

std::size_t SoundSamples::FrameCount() const
{
    const std::size_t values = IsPcm16() ? pcm16.size() : floats.size();
    return values / static_cast<std::size_t>(channels);
}

std::size_t SoundSamples::ByteSize() const
{
    return pcm16.size() * sizeof(std::int16_t) + floats.size() * sizeof(float);
}

std::vector<float> SoundSamples::ToStereoFloat() const
{
    const std::size_t frames = FrameCount();
    std::vector<float> stereo(frames * 2);
    for (std::size_t f = 0; f < frames; ++f)
    {
        const std::size_t first = f * static_cast<std::size_t>(channels);
        const std::size_t second = channels > 1 ? first + 1 : first;
        stereo[2 * f] = IsPcm16() ? Pcm16ToFloat(pcm16[first]) : floats[first];
        stereo[2 * f + 1] = IsPcm16() ? Pcm16ToFloat(pcm16[second]) : floats[second];
    }
    return stereo;
}

void SoundSamples::Clear()
{
    floats.clear();
    floats.shrink_to_fit();
    pcm16.clear();
    pcm16.shrink_to_fit();
}
