#include "support/SoundFiles.h"

#include <sndfile.h>

#include <fstream>
#include <random>
#include <stdexcept>

namespace SoundFiles
{
Folder::Folder()
{
    std::random_device seed;
    root = std::filesystem::temp_directory_path() / ("duskvane-sound-" + std::to_string(seed()));
    std::filesystem::create_directories(root);
}

Folder::~Folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string Folder::Write(const std::string& name, int format, int channels, int rate,
                          const std::vector<float>& samples) const
{
    const std::string path = PathOf(name);
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot write test sound " + path + ": " + sf_strerror(nullptr));
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / static_cast<std::size_t>(channels)));
    sf_close(file);
    return path;
}

std::string Folder::WriteBytes(const std::string& name, const std::string& bytes) const
{
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::vector<float> Constant(std::size_t frames, float left, float right)
{
    std::vector<float> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i)
    {
        samples[2 * i] = left;
        samples[2 * i + 1] = right;
    }
    return samples;
}
}
