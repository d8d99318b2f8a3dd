#include "engine/platform/audio/AudioDecoding.h"

#include "engine/platform/audio/AudioFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
// Owns an open libsndfile handle.
struct SoundFile
{
    SNDFILE* handle = nullptr;
    ~SoundFile()
    {
        if (handle != nullptr)
            sf_close(handle);
    }
};

// Frames read per call; the header's frame count only sizes the first reservation, because a
// damaged file can overstate it.
constexpr sf_count_t BlockFrames = 4096;
constexpr sf_count_t MostFramesTrusted = sf_count_t{1} << 24;

// Keeps the first `kept` of `channels` interleaved channels.
template <class Sample>
std::vector<Sample> KeepChannels(std::vector<Sample> samples, int channels, int kept)
{
    if (channels == kept)
        return samples;
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < kept; ++c)
            samples[f * static_cast<std::size_t>(kept) + static_cast<std::size_t>(c)] =
                samples[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
    samples.resize(frames * static_cast<std::size_t>(kept));
    samples.shrink_to_fit();
    return samples;
}

// Reads every frame that can be read, straight into one buffer sized by the header; frames
// past what the header promised are appended block by block.
template <class Sample, class Read>
std::vector<Sample> ReadAll(const SF_INFO& info, Read read)
{
    const auto channels = static_cast<std::size_t>(info.channels);
    const auto promised = static_cast<std::size_t>(std::clamp<sf_count_t>(info.frames, 0, MostFramesTrusted));
    std::vector<Sample> samples(promised * channels);
    std::size_t frames = 0;
    while (frames < promised)
    {
        const sf_count_t got =
            read(samples.data() + frames * channels, std::min<sf_count_t>(BlockFrames, static_cast<sf_count_t>(promised - frames)));
        if (got <= 0)
            break;
        frames += static_cast<std::size_t>(got);
    }
    if (frames == promised)
    {
        std::vector<Sample> block(static_cast<std::size_t>(BlockFrames) * channels);
        for (sf_count_t got = read(block.data(), BlockFrames); got > 0; got = read(block.data(), BlockFrames))
        {
            samples.insert(samples.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got) * info.channels);
            frames += static_cast<std::size_t>(got);
        }
    }
    samples.resize(frames * channels);
    samples.shrink_to_fit();
    return samples;
}

// Linear interpolation to the output rate, channel by channel.
std::vector<float> Resample(std::vector<float> samples, int channels, int rate, bool loop)
{
    const auto width = static_cast<std::size_t>(channels);
    const std::size_t inFrames = samples.size() / width;
    if (rate == AudioFormat::OutputRate || inFrames == 0)
        return samples;
    const double ratio = static_cast<double>(rate) / AudioFormat::OutputRate;
    std::size_t outFrames = static_cast<std::size_t>(std::llround(static_cast<double>(inFrames) / ratio));
    if (outFrames == 0)
        outFrames = 1;
    std::vector<float> out(outFrames * width);
    for (std::size_t i = 0; i < outFrames; ++i)
    {
        const double position = static_cast<double>(i) * ratio;
        std::size_t a = static_cast<std::size_t>(position);
        if (a >= inFrames)
            a = inFrames - 1;
        const std::size_t b = a + 1 < inFrames ? a + 1 : (loop ? 0 : a);
        const double along = position - static_cast<double>(a);
        for (std::size_t c = 0; c < width; ++c)
        {
            const double from = samples[width * a + c];
            const double to = samples[width * b + c];
            out[width * i + c] = static_cast<float>(from + (to - from) * along);
        }
    }
    return out;
}

// Integer PCM of at most 16 bits in a container libsndfile reads through its plain PCM code:
// read as 16-bit, each sample is exactly the float it would be read as, divided by 1/32768.
bool ReadsExactlyAs16Bit(const SF_INFO& info)
{
    const int major = info.format & SF_FORMAT_TYPEMASK;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    const bool plainContainer = major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_AIFF;
    const bool small = subtype == SF_FORMAT_PCM_16 || subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8;
    return plainContainer && small;
}
}

std::vector<float> ConvertToOutputFormat(const std::vector<float>& samples, int channels, int rate, bool loop)
{
    const int kept = std::min(channels, 2);
    const SoundSamples converted =
        SoundSamples::FromFloat(Resample(KeepChannels(samples, channels, kept), kept, rate, loop), kept);
    return converted.ToStereoFloat();
}

bool DecodeSoundFile(const std::string& path, bool loop, SoundSamples& samples, std::string& error)
{
    SF_INFO info{};
    SoundFile file;
    file.handle = sf_open(path.c_str(), SFM_READ, &info);
    if (file.handle == nullptr)
    {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.samplerate < 1)
    {
        error = "cannot read " + path + ": no channels or no sample rate";
        return false;
    }
    const int kept = std::min(info.channels, 2);
    SoundSamples decoded;
    if (ReadsExactlyAs16Bit(info) && info.samplerate == AudioFormat::OutputRate)
    {
        std::vector<std::int16_t> read = ReadAll<std::int16_t>(
            info, [&](std::int16_t* into, sf_count_t frames) { return sf_readf_short(file.handle, into, frames); });
        decoded = SoundSamples::FromPcm16(KeepChannels(std::move(read), info.channels, kept), kept);
    }
    else
    {
        std::vector<float> read = ReadAll<float>(
            info, [&](float* into, sf_count_t frames) { return sf_readf_float(file.handle, into, frames); });
        decoded = SoundSamples::FromFloat(
            Resample(KeepChannels(std::move(read), info.channels, kept), kept, info.samplerate, loop), kept);
    }
    if (sf_error(file.handle) != SF_ERR_NO_ERROR)
    {
        error = "cannot decode " + path + ": " + sf_strerror(file.handle);
        return false;
    }
    samples = std::move(decoded);
    return true;
}

bool DecodeAudioFile(const std::string& path, bool loop, std::vector<float>& stereo, std::string& error)
{
    SoundSamples samples;
    if (!DecodeSoundFile(path, loop, samples, error))
        return false;
    stereo = samples.ToStereoFloat();
    return true;
}
