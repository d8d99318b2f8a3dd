#include "support/TempWorkingFolder.h"

#include <sndfile.h>
#include <cmath>
#include <vector>

#include <stb/stb_image_write.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

TempWorkingFolder::TempWorkingFolder() : previous(std::filesystem::current_path())
{
    std::random_device device;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const std::filesystem::path candidate = base / ("duskvane-test-" + std::to_string(device()));
        if (std::filesystem::create_directory(candidate))
        {
            root = candidate;
            break;
        }
    }
    if (root.empty())
        throw std::runtime_error("cannot create a temporary folder");
    std::filesystem::current_path(root);
}

TempWorkingFolder::~TempWorkingFolder()
{
    std::error_code error;
    std::filesystem::current_path(previous, error);
    std::filesystem::remove_all(root, error);
}

void TempWorkingFolder::MakeFolder(const std::string& relativePath)
{
    std::filesystem::create_directories(relativePath);
}

void TempWorkingFolder::WriteText(const std::string& relativePath, const std::string& text)
{
    const std::filesystem::path path(relativePath);
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file << text;
}

void TempWorkingFolder::WritePng(const std::string& relativePath, int width, int height, unsigned int rgba)
{
    const std::filesystem::path path(relativePath);
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 4));
    for (std::size_t i = 0; i < pixels.size(); i += 4)
    {
        pixels[i + 0] = static_cast<unsigned char>(rgba >> 24);
        pixels[i + 1] = static_cast<unsigned char>(rgba >> 16);
        pixels[i + 2] = static_cast<unsigned char>(rgba >> 8);
        pixels[i + 3] = static_cast<unsigned char>(rgba);
    }
    if (stbi_write_png(relativePath.c_str(), width, height, 4, pixels.data(), width * 4) == 0)
        throw std::runtime_error("cannot write " + relativePath);
}

void TempWorkingFolder::WriteSound(const std::string& relativePath)
{
    std::filesystem::create_directories(std::filesystem::path(relativePath).parent_path());
    const bool ogg = relativePath.size() > 4 && relativePath.compare(relativePath.size() - 4, 4, ".ogg") == 0;
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = ogg ? (SF_FORMAT_OGG | SF_FORMAT_VORBIS) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(relativePath.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return;
    std::vector<float> samples(4800);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.1f * static_cast<float>(std::sin(static_cast<double>(i) * 0.05));
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}
