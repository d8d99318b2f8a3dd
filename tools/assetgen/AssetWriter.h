#pragma once
#include "AssetRecord.h"
#include "Image.h"
#include "PngQueue.h"

#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace assetgen
{
enum class SoundGroup
{
    Effect,
    Music
};

// Writes generated assets under an output root (the game's working directory): Resources/images,
// Resources/animation, Resources/audio, Resources/fonts and Editor_Resources. Names are checked so
// that the asset scan derives exactly the intended key from each file; a clash or a bad name throws.
// Families may add assets from several threads at once; the files do not depend on the order.
class AssetWriter
{
public:
    // PNG files are encoded on `workers` threads (at least one).
    AssetWriter(std::filesystem::path root, unsigned workers);

    // Removes the generated folders, so no file of an earlier run survives.
    void Clear();
    void AddImage(const std::string& group, const std::string& subgroup, const std::string& key, Image image);
    void AddEditorImage(const std::string& key, Image image);
    // Frames of one size, laid out in one row in playing order.
    void AddSheet(const std::string& tag, const std::string& state, const std::vector<Image>& frames,
                  float frameDelay);
    // Interleaved samples at 48 kHz; the file is named <name>_<true|false>_<SFX|gameBGM>_.wav.
    void AddSound(const std::string& folder, const std::string& name, bool loop, SoundGroup group,
                  const std::vector<float>& samples, int channels);
    void AddFont(const std::filesystem::path& source, const std::string& key);

    // A picture outside the game's folders (the contact sheets), written like the others.
    void AddLoosePicture(const std::filesystem::path& path, Image image);
    // Waits until every file is on disk; throws when one could not be written.
    void Finish();
    const std::vector<AssetRecord>& Records() const { return records; }
    const std::filesystem::path& Root() const { return root; }

private:
    std::filesystem::path Prepare(const std::filesystem::path& relative);
    void ClaimTexture(const std::string& key);
    void Record(AssetRecord record);

    std::filesystem::path root;
    std::mutex mutex;
    std::vector<AssetRecord> records;
    std::set<std::string> textureKeys;
    std::set<std::string> soundIds;
    std::set<std::string> sheetKeys;
    PngQueue png;
};

// Sound id of a file name: "<name>_<true|false>_<SFX|gameBGM>_".
std::string SoundId(const std::string& name, bool loop, SoundGroup group);
}
