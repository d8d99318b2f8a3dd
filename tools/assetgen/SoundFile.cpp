#include "SoundFile.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>

namespace assetgen
{
bool WriteWav(const std::string& path, const std::vector<float>& interleaved, int channels)
{
    SF_INFO info{};
    info.samplerate = SampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    // The conversion is done here, with rounding, so the bytes never depend on the library's.
    std::vector<short> pcm(interleaved.size());
    for (size_t i = 0; i < interleaved.size(); ++i)
    {
        float v = interleaved[i];
        v = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
        pcm[i] = static_cast<short>(std::lround(v * 32767.0f));
    }
    sf_count_t frames = static_cast<sf_count_t>(pcm.size() / channels);
    bool ok = sf_writef_short(file, pcm.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}
}
