#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Real sound files for audio tests, written with libsndfile into a fresh temporary folder that
// is removed with the object.
namespace SoundFiles
{
class Folder
{
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::string PathOf(const std::string& name) const { return (root / name).string(); }
    // Writes interleaved float samples; `format` is a libsndfile format (SF_FORMAT_WAV |
    // SF_FORMAT_FLOAT, SF_FORMAT_OGG | SF_FORMAT_VORBIS, ...). Returns the file's path.
    std::string Write(const std::string& name, int format, int channels, int rate, const std::vector<float>& samples) const;
    // Writes raw bytes (for damaged files). Returns the file's path.
    std::string WriteBytes(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path root;
};

// `frames` frames of stereo 48 kHz float WAV data at constant left and right values.
std::vector<float> Constant(std::size_t frames, float left, float right);
}
