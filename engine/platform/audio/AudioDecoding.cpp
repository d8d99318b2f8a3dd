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

// Frames read per call. The header's frame count is not trusted for sizing: a damaged file can
// claim billions, so buffers grow with the data actually read.
constexpr sf_count_t BlockFrames = 4096;
constexpr sf_count_t MostFramesReservedAhead = sf_count_t{1} << 20;

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

// Reads every frame that can be read, keeping the first `kept` channels, block by block. False
// when the sound runs past MostSoundSeconds (compressed silence can be small on disk).
template <class Sample, class Read>
bool ReadAll(const SF_INFO& info, int kept, Read read, std::vector<Sample>& samples)
{
    const auto channels = static_cast<std::size_t>(info.channels);
    const auto width = static_cast<std::size_t>(kept);
    const sf_count_t mostFrames = sf_count_t{MostSoundSeconds} * info.samplerate;
    samples.clear();
    samples.reserve(static_cast<std::size_t>(std::clamp<sf_count_t>(info.frames, 0, MostFramesReservedAhead)) * width);
    std::vector<Sample> block(static_cast<std::size_t>(BlockFrames) * channels);
    sf_count_t frames = 0;
    for (sf_count_t got = read(block.data(), BlockFrames); got > 0; got = read(block.data(), BlockFrames))
    {
        frames += got;
        if (frames > mostFrames)
            return false;
        const std::size_t at = samples.size();
        samples.resize(at + static_cast<std::size_t>(got) * width);
        if (channels == width)
            std::copy(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got) * info.channels, samples.begin() + at);
        else
            for (std::size_t f = 0; f < static_cast<std::size_t>(got); ++f)
                for (std::size_t c = 0; c < width; ++c)
                    samples[at + f * width + c] = block[f * channels + c];
    }
    samples.shrink_to_fit();
    return true;
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
    if (info.channels < 1)
    {
        error = "cannot read " + path + ": no channels";
        return false;
    }
    // Resampling a very low rate up to the output rate would multiply the sound many times over.
    if (info.samplerate < LowestSampleRate)
    {
        error = "cannot use " + path + ": its sample rate " + std::to_string(info.samplerate) + " Hz is below " +
                std::to_string(LowestSampleRate) + " Hz";
        return false;
    }
    const int kept = std::min(info.channels, 2);
    SoundSamples decoded;
    bool whole = false;
    std::size_t frames = 0;
    if (ReadsExactlyAs16Bit(info) && info.samplerate == AudioFormat::OutputRate)
    {
        std::vector<std::int16_t> read;
        whole = ReadAll<std::int16_t>(
            info, kept, [&](std::int16_t* into, sf_count_t count) { return sf_readf_short(file.handle, into, count); },
            read);
        frames = read.size() / static_cast<std::size_t>(kept);
        if (whole)
            decoded = SoundSamples::FromPcm16(std::move(read), kept);
    }
    else
    {
        std::vector<float> read;
        whole = ReadAll<float>(
            info, kept, [&](float* into, sf_count_t count) { return sf_readf_float(file.handle, into, count); }, read);
        frames = read.size() / static_cast<std::size_t>(kept);
        if (whole)
            decoded = SoundSamples::FromFloat(Resample(std::move(read), kept, info.samplerate, loop), kept);
    }
    if (!whole)
    {
        error = "cannot use " + path + ": it lasts longer than " + std::to_string(MostSoundSeconds) + " seconds";
        return false;
    }
    if (sf_error(file.handle) != SF_ERR_NO_ERROR)
    {
        error = "cannot decode " + path + ": " + sf_strerror(file.handle);
        return false;
    }
    if (frames == 0)
    {
        error = "cannot use " + path + ": it holds no sound frames";
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
