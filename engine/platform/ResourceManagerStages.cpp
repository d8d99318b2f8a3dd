// The resource manager's staged loading: which pending records each stage takes, and how one
// record of each kind is loaded into its store.
#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/ImageLoading.h"
#include "engine/platform/ResourceManager.h"
#include "engine/platform/SoundLoading.h"
#include "engine/platform/native/HeapReserve.h"
#include "engine/platform/sSoundSystem.h"

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <limits>

namespace
{
// Stage boundaries, as indices into the pending lists in scan order.
constexpr std::size_t Stage1ImageEnd = 92;
constexpr std::size_t Stage2ImageEnd = 206;
constexpr std::size_t Stage1SoundEnd = 10;
constexpr std::size_t ListEnd = std::numeric_limits<std::size_t>::max();
// The heap set up for large pages before start-up allocates: the window's buffers, the decoded
// first stage and its textures fit (about 110 MB); past it the heap grows with small pages.
constexpr std::size_t Stage1LargePageHeap = 128u * 1024u * 1024u;
// Decoding threads while the window opens (measured on a software-rendered virtual machine:
// two to four open the window fastest; every core, 60-150 ms slower).
constexpr std::size_t WindowOpeningDecoders = 3;
// The most heap warmed ahead of the first stage's textures, whatever the image headers claim:
// a few times what the game's first stage needs, far below what could exhaust the machine.
constexpr std::size_t MostWarmedTextureBytes = 4 * Stage1LargePageHeap;

constexpr int GlyphPixelSize = 48;

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EndsWithAny(const std::string& name, std::initializer_list<const char*> extensions)
{
    for (const char* extension : extensions)
    {
        const std::string ending = extension;
        if (name.size() > ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

// The RGBA storage a texture of this image file takes, with room for the allocator's alignment.
std::size_t TextureBytesOf(const std::string& path)
{
    int width = 0;
    int height = 0;
    if (!ReadImageSize(path, width, height))
        return 0;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 + 128;
}

bool IsSupportedImage(const std::string& fileName)
{
    return EndsWithAny(fileName, {".png", ".bmp", ".cur"});
}

// A file named exactly <key>.<supported extension>. Such a file owns its key: a backup copy
// ("Wall.old.png") or a file of another format shares the key by the naming rule but must not
// take it from the real one, whichever the scan lists first.
bool IsPlainName(const std::string& fileName, std::initializer_list<const char*> extensions)
{
    return std::count(fileName.begin(), fileName.end(), '.') == 1 && EndsWithAny(fileName, extensions);
}
}

// --- Stages -------------------------------------------------------------------------------------

void ResourceManager::PrefetchStage1()
{
    // A few decoders keep up with the window's opening; more would slow the opening itself
    // (they compete with the driver's loading for the machine) for no gain.
    decodeQueue.SetWorkerLimit(WindowOpeningDecoders);
    // Before any worker allocates: the decoders' buffers, the driver's and the textures all come
    // from the one large-page heap.
    stage1Reserve = std::make_unique<HeapReserve>();
    HeapReserve::GrowWithLargePages(Stage1LargePageHeap);
    // Opening the output can take a while (a sound server is looked for); it needs nothing
    // from the window.
    if (!openingAudio.valid())
        openingAudio = std::async(std::launch::async, [] { return AudioSystem::Create(SoundVoiceCount); });
    const std::vector<ImageRecord> images = ListResourceImages();
    std::size_t textureBytes = 0;
    for (std::size_t i = 0; i < std::min(Stage1ImageEnd, images.size()); ++i)
    {
        if (!IsSupportedImage(FileNameOf(images[i].path)))
            continue;
        decodeQueue.RequestImage(images[i].path);
        textureBytes += TextureBytesOf(images[i].path);
    }
    stage1Reserve->WarmInBackground(std::min(textureBytes, MostWarmedTextureBytes));
    const std::vector<SoundRecord> sounds = ListResourceSounds();
    for (std::size_t i = 0; i < std::min(Stage1SoundEnd, sounds.size()); ++i)
        decodeQueue.RequestSound(sounds[i].path, sounds[i].loop);
}

void ResourceManager::InitSoundAndLoad(Coordinator& coordinator)
{
    CreateAudioSystem(coordinator);
    LoadStage1(coordinator);
}

void ResourceManager::LoadStage1(Coordinator& coordinator)
{
    decodeQueue.SetWorkerLimit(0);
    ReserveLoadedLists();
    LoadImageRange(0, Stage1ImageEnd);
    LoadAllShaderPairs();
    LoadSoundRange(coordinator, 0, Stage1SoundEnd);
    // Glyph bitmaps are tightly packed rows of bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    LoadAllFonts();
}

void ResourceManager::LoadStage2(Coordinator& coordinator)
{
    LoadImageRange(Stage1ImageEnd, Stage2ImageEnd);
    LoadSoundRange(coordinator, Stage1SoundEnd, ListEnd);
    PendingSounds.clear();
    decodeQueue.Finish();
}

void ResourceManager::LoadStage3(Coordinator& coordinator)
{
    // A returning player can enter a level (or a level-named cutscene) without passing the
    // level select; stage 2's images and sounds must be there too. Loading is idempotent.
    LoadStage2(coordinator);
    LoadImageRange(Stage2ImageEnd, ListEnd);
    PendingImages.clear();
    LoadAllSpritesheets();
    decodeQueue.Finish();
}

void ResourceManager::ReloadAll(Coordinator& coordinator)
{
    ReserveLoadedLists();
    LoadImageRange(0, ListEnd);
    PendingImages.clear();
    LoadAllShaderPairs();
    LoadSoundRange(coordinator, 0, ListEnd);
    PendingSounds.clear();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    LoadAllFonts();
    LoadAllSpritesheets();
    decodeQueue.Finish();
    Log("Done reloading");
}

void ResourceManager::ReserveLoadedLists()
{
    LoadedImages.reserve(LoadedImages.size() + PendingImages.size());
    LoadedShaderPairs.reserve(LoadedShaderPairs.size() + PendingShaderPairs.size());
    LoadedSounds.reserve(LoadedSounds.size() + PendingSounds.size());
    LoadedFonts.reserve(LoadedFonts.size() + PendingFonts.size());
    LoadedSpritesheets.reserve(LoadedSpritesheets.size() + PendingSpritesheets.size());
}

void ResourceManager::LoadImageRange(std::size_t first, std::size_t end)
{
    end = std::min(end, PendingImages.size());
    RequestImageDecodes(first, end);
    std::unique_ptr<HeapReserve> reserve = first == 0 && stage1Reserve ? std::move(stage1Reserve)
                                                                        : std::make_unique<HeapReserve>();
    reserve->ReleaseWarmed();
    for (std::size_t i = first; i < end; ++i)
        LoadImage(PendingImages[i], reserve.get());
}

void ResourceManager::LoadSoundRange(Coordinator& coordinator, std::size_t first, std::size_t end)
{
    end = std::min(end, PendingSounds.size());
    RequestSoundDecodes(first, end);
    for (std::size_t i = first; i < end; ++i)
        LoadSound(coordinator, PendingSounds[i]);
}

void ResourceManager::RequestImageDecodes(std::size_t first, std::size_t end)
{
    for (std::size_t i = first; i < end; ++i)
    {
        const ImageRecord& record = PendingImages[i];
        const std::string fileName = FileNameOf(record.path);
        if (IsSupportedImage(fileName) && textures.count(record.name) == 0 && !FindLoadedResource(fileName, record.path))
            decodeQueue.RequestImage(record.path);
    }
}

void ResourceManager::RequestSoundDecodes(std::size_t first, std::size_t end)
{
    for (std::size_t i = first; i < end; ++i)
    {
        const SoundRecord& record = PendingSounds[i];
        if (sounds.count(record.id) == 0 && !FindLoadedResource(FileNameOf(record.path), record.path))
            decodeQueue.RequestSound(record.path, record.loop);
    }
}

std::uint32_t ResourceManager::CreateTexture(const std::string& path, int& width, int& height, HeapReserve* reserve)
{
    std::optional<DecodedImage> decoded = decodeQueue.TakeImage(path);
    if (!decoded)
        decoded = DecodeTextureImage(path);
    if (!decoded->pixels)
    {
        // The image is skipped (its key stays, empty); the reason names the file.
        std::fprintf(stderr, "%s; it is skipped\n", decoded->error.c_str());
        Log(decoded->error);
    }
    if (reserve != nullptr)
        reserve->Ensure(static_cast<std::size_t>(decoded->width) * static_cast<std::size_t>(decoded->height) * 4);
    return CreateTextureFromImage(*decoded, width, height);
}

void ResourceManager::LoadAllShaderPairs()
{
    for (const ShaderPairRecord& record : PendingShaderPairs)
        LoadShaderPair(record);
    PendingShaderPairs.clear();
}

void ResourceManager::LoadAllFonts()
{
    // Copies: the shadowing test reads the pending list while a font loads.
    const std::vector<FontRecord> fontsToLoad = PendingFonts;
    for (const FontRecord& record : fontsToLoad)
        LoadFont(record);
    PendingFonts.clear();
}

void ResourceManager::LoadAllSpritesheets()
{
    for (const SpritesheetRecord& record : PendingSpritesheets)
        if (spritesheetKeys.count(record.key) == 0)
            decodeQueue.RequestImage(record.path);
    HeapReserve reserve;
    for (const SpritesheetRecord& record : PendingSpritesheets)
        LoadSpritesheet(record, &reserve);
    PendingSpritesheets.clear();
}

// --- One record of each kind ------------------------------------------------------------------

void ResourceManager::LoadImage(ImageRecord record, HeapReserve* reserve)
{
    const std::string fileName = FileNameOf(record.path);
    if (FindLoadedResource(fileName, record.path))
        return;
    if (textures.count(record.name) != 0)
    {
        Log("Texture " + record.name + " is loaded already; skipped " + record.path);
        return;
    }
    const std::initializer_list<const char*> extensions = {".png", ".bmp", ".cur"};
    if (!IsPlainName(fileName, extensions))
    {
        for (const ImageRecord& other : PendingImages)
        {
            if (other.name == record.name && IsPlainName(FileNameOf(other.path), extensions))
            {
                Log("Texture " + record.name + " belongs to " + other.path + "; skipped " + record.path);
                return;
            }
        }
    }
    int width = 0;
    int height = 0;
    std::uint32_t texture = 0;
    // An unsupported file keeps its key as texture 0 of size 0, like a file that cannot be read.
    if (IsSupportedImage(fileName))
        texture = CreateTexture(record.path, width, height, reserve);
    if (texture == 0)
        Log("Image could not be loaded: " + record.path);
    residency.Track(texture, record.path);
    textures.emplace(record.name, TextureInfo{texture, static_cast<float>(width) * 0.5f,
                                              static_cast<float>(height) * 0.5f});
    record.name = fileName;
    LoadedImages.push_back(std::move(record));
}

void ResourceManager::LoadShaderPair(const ShaderPairRecord& record)
{
    if (FindLoadedResource(FileNameOf(record.vertexPath), record.vertexPath) ||
        FindLoadedResource(FileNameOf(record.fragmentPath), record.fragmentPath))
        return;
    if (shaderPrograms.count(record.name) != 0)
        return;
    ShaderProgram program;
    program.CompileLinkValidate({{GL_VERTEX_SHADER, record.vertexPath}, {GL_FRAGMENT_SHADER, record.fragmentPath}});
    if (!program.linked)
        Assert("Unable to compile/link/validate shader programs\n" + program.GetLog());
    shaderPrograms.emplace(record.name, program);
    LoadedShaderPairs.push_back(record);
}

void ResourceManager::LoadSound(Coordinator& coordinator, const SoundRecord& record)
{
    if (FindLoadedResource(FileNameOf(record.path), record.path))
        return;
    // One sound per id: a second file of the same id would add a second channel-table entry.
    if (sounds.count(record.id) != 0)
    {
        Log("Sound " + record.id + " is loaded already; skipped " + record.path);
        return;
    }
    sounds.emplace(record.id, LoadSoundRecord(coordinator, record));
    LoadedSounds.push_back(record);
}

// Copies the glyph bitmap into rows without padding, as the unpack alignment of 1 expects.
static std::vector<unsigned char> TightRows(const FT_Bitmap& bitmap)
{
    const std::size_t width = bitmap.width;
    std::vector<unsigned char> pixels(width * bitmap.rows);
    const int pitch = bitmap.pitch;
    for (unsigned int row = 0; row < bitmap.rows; ++row)
    {
        const unsigned char* source = pitch >= 0 ? bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch
                                                 : bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - row) * -pitch;
        std::copy(source, source + width, pixels.begin() + static_cast<std::ptrdiff_t>(row * width));
    }
    return pixels;
}

void ResourceManager::LoadFont(FontRecord record)
{
    const std::string fileName = FileNameOf(record.path);
    if (FindLoadedResource(fileName, record.path))
        return;
    if (fonts.count(record.name) != 0)
    {
        Log("Font " + record.name + " is loaded already; skipped " + record.path);
        return;
    }
    const std::initializer_list<const char*> extensions = {".ttf", ".otf"};
    if (!IsPlainName(fileName, extensions))
    {
        for (const FontRecord& other : PendingFonts)
        {
            if (other.name == record.name && IsPlainName(FileNameOf(other.path), extensions))
            {
                Log("Font " + record.name + " belongs to " + other.path + "; skipped " + record.path);
                return;
            }
        }
    }

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        Assert("Freetype error: Failed to load font library");
    FT_Face face = nullptr;
    if (FT_New_Face(library, record.path.c_str(), 0, &face) != 0)
    {
        FT_Done_FreeType(library);
        Assert("Freetype error: Failed to create font face");
    }
    FT_Set_Pixel_Sizes(face, 0, GlyphPixelSize);

    FontInfo font;
    for (int code = ' '; code <= '~'; ++code)
    {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0)
        {
            FT_Done_Face(face);
            FT_Done_FreeType(library);
            Assert("Freetype error: Failed to load Glyph");
        }
        const FT_GlyphSlot slot = face->glyph;
        const std::vector<unsigned char> pixels = TightRows(slot->bitmap);
        GLuint texture = 0;
        glCreateTextures(GL_TEXTURE_2D, 1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(slot->bitmap.width),
                     static_cast<GLsizei>(slot->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE,
                     pixels.empty() ? nullptr : pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        Glyph glyph;
        glyph.texture = texture;
        glyph.size = {static_cast<float>(slot->bitmap.width), static_cast<float>(slot->bitmap.rows)};
        glyph.bearing = {static_cast<float>(slot->bitmap_left), static_cast<float>(slot->bitmap_top)};
        glyph.advance = static_cast<std::int32_t>(slot->advance.x);
        font.glyphs.emplace(static_cast<char>(code), glyph);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    // Text is drawn one glyph quad at a time: six vertices of (x, y, u, v) at attribute 6.
    glGenVertexArrays(1, &font.vertexArray);
    glGenBuffers(1, &font.vertexBuffer);
    glBindVertexArray(font.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, font.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, 96, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(6);
    glVertexAttribPointer(6, 4, GL_FLOAT, GL_FALSE, 16, nullptr);

    fonts.emplace(record.name, std::move(font));
    record.name = fileName;
    LoadedFonts.push_back(std::move(record));
}

void ResourceManager::LoadSpritesheet(const SpritesheetRecord& record, HeapReserve* reserve)
{
    if (spritesheetKeys.count(record.key) != 0)
        return;
    int width = 0;
    int height = 0;
    const std::uint32_t texture = CreateTexture(record.path, width, height, reserve);
    // Frame data is stored per sheet texture; a sheet that did not load has no texture of its
    // own to keep it under, so its state counts as not found.
    if (texture == 0)
    {
        Log("Spritesheet image could not be loaded: " + record.path);
        return;
    }
    spritesheetKeys.emplace(record.key, texture);
    LoadedSpritesheets.push_back(record);
    spritesheetData.emplace(texture, record.data);
}

// --- Audio ------------------------------------------------------------------------------------

void ResourceManager::CreateAudioSystem(Coordinator& coordinator)
{
    sSoundSystem& sound = *coordinator.GetSystem<sSoundSystem>();
    if (openingAudio.valid())
        ::CreateAudioSystem(sound, openingAudio.get());
    ::CreateAudioSystem(sound);
    sound.FindSound = [this](const std::string& id) -> AudioSound* { return GetSound(id); };
}

SoundInfo ResourceManager::LoadSoundRecord(Coordinator& coordinator, const SoundRecord& record)
{
    sSoundSystem& soundSystem = *coordinator.GetSystem<sSoundSystem>();
    std::optional<DecodedSound> decoded = decodeQueue.TakeSound(record.path, record.loop);
    std::unique_ptr<AudioSound> sound =
        decoded ? ::LoadSoundRecord(soundSystem, record.id, record.path, record.loop, record.group, std::move(*decoded))
                : ::LoadSoundRecord(soundSystem, record.id, record.path, record.loop, record.group);
    return SoundInfo{sound.release(), record.group};
}

void ResourceManager::ReleaseSound(AudioSound* sound)
{
    std::unique_ptr<AudioSound> owned(sound);
    ::ReleaseSound(owned);
}
