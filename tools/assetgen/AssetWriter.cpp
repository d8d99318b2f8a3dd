#include "AssetWriter.h"

#include "SheetMetadata.h"
#include "SoundFile.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace assetgen
{
namespace
{
namespace fs = std::filesystem;

// Names become folder and file names that the scan splits at '.' (and sounds at '_'); only
// letters, digits, '_' and '-' keep that split unambiguous.
void CheckName(const std::string& name, bool allowUnderscore, const char* what)
{
    bool ok = !name.empty();
    for (char c : name)
    {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!plain && !(allowUnderscore && c == '_'))
            ok = false;
    }
    if (!ok)
        throw std::runtime_error(std::string("Bad ") + what + " name: '" + name + "'");
}

Image Thumbnail(const Image& image, int longest)
{
    int w = image.Width(), h = image.Height();
    if (w <= longest && h <= longest)
        return image;
    float k = static_cast<float>(longest) / static_cast<float>(std::max(w, h));
    return image.Resized(std::max(1, static_cast<int>(w * k)), std::max(1, static_cast<int>(h * k)));
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        throw std::runtime_error("Cannot write " + path.string());
}
}

std::string SoundId(const std::string& name, bool loop, SoundGroup group)
{
    return name + "_" + (loop ? "true" : "false") + "_" + (group == SoundGroup::Music ? "gameBGM" : "SFX") + "_";
}

AssetWriter::AssetWriter(fs::path r, unsigned workers) : root(std::move(r)), png(workers) {}

void AssetWriter::Finish() { png.Finish(); }

void AssetWriter::AddLoosePicture(const fs::path& path, Image image)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    png.Write(path.string(), std::move(image));
}

void AssetWriter::Clear()
{
    for (const char* folder : {"Resources/images", "Resources/animation", "Resources/audio", "Resources/fonts",
                               "Editor_Resources"})
        fs::remove_all(root / folder);
}

fs::path AssetWriter::Prepare(const fs::path& relative)
{
    fs::path full = root / relative;
    std::lock_guard<std::mutex> lock(mutex);
    fs::create_directories(full.parent_path());
    return full;
}

void AssetWriter::ClaimTexture(const std::string& key)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!textureKeys.insert(key).second)
        throw std::runtime_error("Texture key used twice: " + key);
}

void AssetWriter::Record(AssetRecord record)
{
    std::lock_guard<std::mutex> lock(mutex);
    records.push_back(std::move(record));
}

void AssetWriter::AddImage(const std::string& group, const std::string& subgroup, const std::string& key,
                           Image image)
{
    CheckName(group, true, "image group");
    CheckName(subgroup, true, "image subgroup");
    CheckName(key, true, "texture");
    ClaimTexture(key);
    std::string relative = "Resources/images/" + group + "/" + subgroup + "/" + key + ".png";
    fs::path path = Prepare(relative);
    AssetRecord r;
    r.kind = AssetKind::Image;
    r.key = key;
    r.group = group;
    r.subgroup = subgroup;
    r.path = relative;
    r.width = image.Width();
    r.height = image.Height();
    r.thumbnail = Thumbnail(image, 160);
    Record(std::move(r));
    png.Write(path.string(), std::move(image));
}

void AssetWriter::AddEditorImage(const std::string& key, Image image)
{
    CheckName(key, true, "editor texture");
    ClaimTexture(key);
    std::string relative = "Editor_Resources/" + key + ".png";
    fs::path path = Prepare(relative);
    AssetRecord r;
    r.kind = AssetKind::EditorImage;
    r.key = key;
    r.group = "Editor_Resources";
    r.path = relative;
    r.width = image.Width();
    r.height = image.Height();
    r.thumbnail = Thumbnail(image, 160);
    Record(std::move(r));
    png.Write(path.string(), std::move(image));
}

void AssetWriter::AddSheet(const std::string& tag, const std::string& state, const std::vector<Image>& frames,
                           float frameDelay)
{
    CheckName(tag, true, "animation tag");
    CheckName(state, true, "animation state");
    if (frames.empty())
        throw std::runtime_error("Sheet without frames: " + tag + "/" + state);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!sheetKeys.insert(tag + "/" + state).second)
            throw std::runtime_error("Sheet made twice: " + tag + "/" + state);
    }
    int fw = frames[0].Width(), fh = frames[0].Height();
    int count = static_cast<int>(frames.size());
    Image sheet(fw * count, fh);
    for (int i = 0; i < count; ++i)
    {
        if (frames[i].Width() != fw || frames[i].Height() != fh)
            throw std::runtime_error("Frames of different sizes in " + tag + "/" + state);
        sheet.Composite(frames[i], i * fw, 0);
    }
    std::string folder = "Resources/animation/" + tag + "/" + state + "/";
    std::string relative = folder + tag + "_" + state + ".png";
    fs::path sheetPath = Prepare(relative);
    WriteText(root / (folder + "layout.json"), LayoutJson(count, fw, fh, count));
    WriteText(root / (folder + "format.json"), FormatJson(frameDelay, sheet.Width(), sheet.Height()));
    AssetRecord r;
    r.kind = AssetKind::Sheet;
    r.key = state;
    r.group = tag;
    r.subgroup = state;
    r.path = relative;
    r.width = fw;
    r.height = fh;
    r.frames = count;
    r.frameDelay = frameDelay;
    int thumbFrame = std::min(96, std::max(fw, fh));
    r.thumbnail = sheet.Resized(std::max(1, sheet.Width() * thumbFrame / std::max(fw, fh)),
                                std::max(1, sheet.Height() * thumbFrame / std::max(fw, fh)));
    Record(std::move(r));
    png.Write(sheetPath.string(), std::move(sheet));
}

void AssetWriter::AddSound(const std::string& folder, const std::string& name, bool loop, SoundGroup group,
                           const std::vector<float>& samples, int channels)
{
    CheckName(folder, true, "sound folder");
    CheckName(name, false, "sound");
    std::string id = SoundId(name, loop, group);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!soundIds.insert(id).second)
            throw std::runtime_error("Sound id used twice: " + id);
    }
    std::string relative = "Resources/audio/" + folder + "/" + id + ".wav";
    if (!WriteWav(Prepare(relative).string(), samples, channels))
        throw std::runtime_error("Cannot write " + relative);
    AssetRecord r;
    r.kind = AssetKind::Sound;
    r.key = id;
    r.group = folder;
    r.path = relative;
    r.channels = channels;
    r.loop = loop;
    r.seconds = static_cast<float>(samples.size() / channels) / static_cast<float>(SampleRate);
    Record(std::move(r));
}

void AssetWriter::AddFont(const fs::path& source, const std::string& key)
{
    CheckName(key, false, "font");
    std::string relative = "Resources/fonts/" + key + source.extension().string();
    fs::copy_file(source, Prepare(relative), fs::copy_options::overwrite_existing);
    AssetRecord r;
    r.kind = AssetKind::Font;
    r.key = key;
    r.group = "fonts";
    r.path = relative;
    Record(std::move(r));
}
}
