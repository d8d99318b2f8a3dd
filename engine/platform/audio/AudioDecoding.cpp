#include "engine/platform/audio/AudioDecoding.h"

#include "engine/platform/audio/AudioFormat.h"

#include <sndfile.h>

#include <cmath>

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

std::vector<float> ToStereo(const std::vector<float>& samples, int channels)
{
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    std::vector<float> stereo(frames * 2);
    for (std::size_t f = 0; f < frames; ++f)
    {
        const float* frame = samples.data() + f * static_cast<std::size_t>(channels);
        stereo[2 * f] = frame[0];
        stereo[2 * f + 1] = channels > 1 ? frame[1] : frame[0];
    }
    return stereo;
}
}

std::vector<float> ConvertToOutputFormat(const std::vector<float>& samples, int channels, int rate, bool loop)
{
    std::vector<float> stereo = ToStereo(samples, channels);
    if (rate == AudioFormat::OutputRate || stereo.empty())
        return stereo;
    const std::size_t inFrames = stereo.size() / 2;
    const double ratio = static_cast<double>(rate) / AudioFormat::OutputRate;
    std::size_t outFrames = static_cast<std::size_t>(std::llround(static_cast<double>(inFrames) / ratio));
    if (outFrames == 0)
        outFrames = 1;
    std::vector<float> out(outFrames * 2);
    for (std::size_t i = 0; i < outFrames; ++i)
    {
        const double position = static_cast<double>(i) * ratio;
        std::size_t a = static_cast<std::size_t>(position);
        if (a >= inFrames)
            a = inFrames - 1;
        const std::size_t b = a + 1 < inFrames ? a + 1 : (loop ? 0 : a);
        const double along = position - static_cast<double>(a);
        for (int c = 0; c < 2; ++c)
        {
            const double from = stereo[2 * a + c];
            const double to = stereo[2 * b + c];
            out[2 * i + c] = static_cast<float>(from + (to - from) * along);
        }
    }
    return out;
}

bool DecodeAudioFile(const std::string& path, bool loop, std::vector<float>& stereo, std::string& error)
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
    // Read in blocks rather than trusting the header's frame count, which a damaged file can
    // overstate.
    std::vector<float> samples;
    std::vector<float> block(4096 * static_cast<std::size_t>(info.channels));
    for (;;)
    {
        const sf_count_t read = sf_readf_float(file.handle, block.data(), 4096);
        if (read <= 0)
            break;
        samples.insert(samples.end(), block.begin(), block.begin() + read * info.channels);
    }
    if (sf_error(file.handle) != SF_ERR_NO_ERROR)
    {
        error = "cannot decode " + path + ": " + sf_strerror(file.handle);
        return false;
    }
    stereo = ConvertToOutputFormat(samples, info.channels, info.samplerate, loop);
    return true;
}
