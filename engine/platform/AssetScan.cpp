#include "engine/platform/AssetScan.h"
#include "engine/core/Assert.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/SpritesheetFiles.h"
#include "engine/platform/native/DirectoryListing.h"

#include <initializer_list>

namespace
{
// Folder entries have no "." in their name; file entries have one.
bool IsFolderEntry(const std::string& name)
{
    return name.find('.') == std::string::npos;
}

std::string FirstDotField(const std::string& name)
{
    return name.substr(0, name.find('.'));
}

// The extension test reads the last four characters; a name that short cannot hold a base
// name and an extension, and is skipped before the test would read outside it.
bool TooShortForExtension(const std::string& name, const char* kind, bool complain = true)
{
    if (name.size() > 4)
        return false;
    if (complain)
        Log(std::string("Skipped ") + kind + " file with too short a name: " + name);
    return true;
}

bool HasExtension(const std::string& name, std::initializer_list<const char*> extensions)
{
    const std::string last = name.substr(name.size() - 4);
    for (const char* extension : extensions)
    {
        if (last == extension)
            return true;
    }
    return false;
}

void ScanAnimations(ResourceManager& resources)
{
    const std::string root = "Resources/animation";
    for (const std::string& tag : ListDirectory(root))
    {
        if (!IsFolderEntry(tag))
            continue;
        const std::string tagFolder = root + "/" + tag;
        for (const std::string& state : ListDirectory(tagFolder))
        {
            if (!IsFolderEntry(state))
                continue;
            const std::string stateFolder = tagFolder + "/" + state;
            std::string sheetName;
            bool hasMetadata = false;
            for (const std::string& name : ListDirectory(stateFolder))
            {
                if (IsFolderEntry(name) || TooShortForExtension(name, "animation"))
                    continue;
                if (HasExtension(name, {".png", ".bmp"}))
                    sheetName = name;
                else if (name == "layout.json" || name == "format.json")
                    hasMetadata = true;
                else
                    Log("Unsupported Animation Texture found (Use png/bmp): " + name);
            }
            SpritesheetRecord record;
            record.key = {tag, state};
            record.path = stateFolder + "/" + sheetName;
            // Either file calls for both: a layout without its format is a broken folder.
            if (hasMetadata)
            {
                record.data = ReadSpritesheetLayout(stateFolder + "/layout.json");
                const SpritesheetTiming timing = ReadSpritesheetFormat(stateFolder + "/format.json");
                record.data.frameDelay = timing.frameDelay;
                record.data.ssWidth = timing.ssWidth;
                record.data.ssHeight = timing.ssHeight;
            }
            resources.PendingSpritesheets.push_back(std::move(record));
        }
    }
}

// Reads the "_" fields of an audio file name: base, loop word, group word, rest. The id is
// base_loop_group_ for the usual name; fields past the fourth are dropped.
SoundRecord SoundRecordFromName(const std::string& name)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t underscore = name.find('_', start);
        fields.push_back(name.substr(start, underscore - start));
        if (underscore == std::string::npos)
            break;
        start = underscore + 1;
    }
    SoundRecord record;
    if (fields.size() < 2)
        return record; // no "_": no id
    record.id = fields[0] + "_" + fields[1];
    record.loop = fields[1] == "true";
    if (fields.size() >= 3)
    {
        record.id += "_" + fields[2];
        record.group = fields[2];
    }
    if (fields.size() >= 4)
        record.id += "_";
    return record;
}

void ScanAudio(std::vector<SoundRecord>& sounds, bool complain)
{
    const std::string root = "Resources/audio";
    for (const std::string& folder : ListDirectory(root))
    {
        if (!IsFolderEntry(folder))
            continue;
        for (const std::string& name : ListDirectory(root + "/" + folder))
        {
            if (IsFolderEntry(name) || TooShortForExtension(name, "audio", complain))
                continue;
            if (!HasExtension(name, {".wav", ".ogg"}))
            {
                if (complain)
                    Log("Unsupported Audio Format found (Use wav/ogg): " + name);
                continue;
            }
            SoundRecord record = SoundRecordFromName(name);
            if (record.id.empty())
            {
                if (complain)
                    Log("Audio file name carries no sound id (Use name_loop_group_.wav): " + name);
                continue;
            }
            record.path = root + "/" + folder + "/" + name;
            sounds.push_back(std::move(record));
        }
    }
}

void ScanFonts(ResourceManager& resources)
{
    const std::string root = "Resources/fonts";
    for (const std::string& name : ListDirectory(root))
    {
        if (IsFolderEntry(name) || TooShortForExtension(name, "font"))
            continue;
        if (!HasExtension(name, {".ttf", ".otf"}))
        {
            Log("Unsupported font format found (Use ttf/otf): " + name);
            continue;
        }
        resources.PendingFonts.push_back(FontRecord{FirstDotField(name), root + "/" + name});
    }
}

// Unsupported images keep their place in the list (as texture 0 once loaded), because the
// loading stages are indices into it.
void AddImage(std::vector<ImageRecord>& images, const std::string& folder, const std::string& name,
              std::initializer_list<const char*> extensions, const std::string& complaint, bool complain = true)
{
    if (complain && !HasExtension(name, extensions))
        Log(complaint + name);
    images.push_back(ImageRecord{FirstDotField(name), folder + "/" + name});
}

void ScanImages(std::vector<ImageRecord>& images, bool complain)
{
    const std::string root = "Resources/images";
    for (const std::string& group : ListDirectory(root))
    {
        if (!IsFolderEntry(group))
            continue;
        for (const std::string& subgroup : ListDirectory(root + "/" + group))
        {
            if (!IsFolderEntry(subgroup))
                continue;
            const std::string folder = root + "/" + group + "/" + subgroup;
            for (const std::string& name : ListDirectory(folder))
            {
                // A folder among the images ends this folder's listing.
                if (IsFolderEntry(name))
                    break;
                if (TooShortForExtension(name, "image", complain))
                    continue;
                AddImage(images, folder, name, {".png", ".bmp", ".cur"},
                         "Unsupported Image Texture found (Use png/bmp): ", complain);
            }
        }
    }
}

// The kind of a shader file is its extension, so that a copy such as "All.vert.bak" is not
// taken for a stage.
std::string LastDotField(const std::string& name)
{
    return name.substr(name.rfind('.') + 1);
}

void ScanShaders(ResourceManager& resources)
{
    const std::string root = "Resources/shaders";
    for (const std::string& folder : ListDirectory(root))
    {
        if (!IsFolderEntry(folder))
            continue;
        const std::string path = root + "/" + folder;
        std::string vertexPath;
        std::string fragmentPath;
        std::string lastName;
        for (const std::string& name : ListDirectory(path))
        {
            lastName = name;
            if (IsFolderEntry(name))
                continue;
            const std::string kind = LastDotField(name);
            if (kind == "frag")
                fragmentPath = path + "/" + name;
            else if (kind == "vert")
                vertexPath = path + "/" + name;
            else
                Log("Unsupported shader file found (Use frag/vert): " + name);
        }
        if (!vertexPath.empty() && !fragmentPath.empty())
            resources.PendingShaderPairs.push_back(ShaderPairRecord{folder, vertexPath, fragmentPath});
        else
            Log("Add in the other half of the shader pair (Use frag/vert): " + lastName);
    }
}

void ScanEditorResources(ResourceManager& resources)
{
    const std::string root = "Editor_Resources";
    for (const std::string& name : ListDirectory(root))
    {
        if (IsFolderEntry(name) || TooShortForExtension(name, "image"))
            continue;
        AddImage(resources.PendingImages, root, name, {".png", ".bmp"},
                 "Unsupported Editor_Resources Image Texture found (Use png/bmp): ");
    }
}
}

void ScanAssets(ResourceManager& resources)
{
    ScanAnimations(resources);
    ScanAudio(resources.PendingSounds, true);
    ScanFonts(resources);
    ScanImages(resources.PendingImages, true);
    ScanShaders(resources);
    ScanEditorResources(resources);
    Log("Done with Assets Dir Scanning");
}

std::vector<ImageRecord> ListResourceImages()
{
    std::vector<ImageRecord> images;
    ScanImages(images, false);
    return images;
}

std::vector<SoundRecord> ListResourceSounds()
{
    std::vector<SoundRecord> sounds;
    ScanAudio(sounds, false);
    return sounds;
}
