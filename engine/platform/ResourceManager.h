#pragma once
#include "engine/platform/AssetDecodeQueue.h"
#include "engine/platform/AssetRecords.h"
#include "engine/platform/ImageResidency.h"
#include "engine/systems/ShaderProgram.h"

#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

class AudioSystem;
class Coordinator;
class HeapReserve;

// Every loaded asset of the program, by name: textures, shader programs, sounds, fonts and
// spritesheets, plus the records the asset scan found (pending) and those loaded so far.
// Every store keeps the first entry of a key. The manager owns every GL object and sound it
// stores until ReleaseAll. There is one, a member of the Coordinator; its constructor
// publishes it through ResourceManagerInstance().
class ResourceManager
{
public:
    ResourceManager();
    // Frees the members only: no GL or audio call (ReleaseAll has done those).
    ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // --- Lookups -----------------------------------------------------------------------------
    // The texture of that key. An empty name gives texture 0 of size 0; any other missing name
    // is printed to stdout and asserts with the list of stored keys.
    const TextureInfo& GetTexture(const std::string& name);
    // A copy of the stored program; asserts "Failed to get shader Prog" when missing.
    ShaderProgram GetShaderProgram(const std::string& name) const;
    // The stored sound; asserts "Failed to get audio" when missing.
    AudioSound*& GetSound(const std::string& id);
    // Asserts "Failed to get font info" when missing.
    const FontInfo& GetFont(const std::string& name) const;
    // Fills the manager's one answer record and returns it (the next call overwrites it).
    // Past the last frame: "ONESHOT" sets finished, a held state stops on the last frame, any
    // other state wraps to 0. A key that is not stored, or whose sheet has no frames or no
    // size, is reported as not found and leaves frameIndex and finished untouched.
    SpritesheetResult* GetSpritesheet(const SpritesheetKey& key, int& frameIndex, bool& finished, bool holdState);

    // Deletes every GL object and releases every sound; called once at shut-down, with the
    // GL context and the audio system still alive. The stores keep the stale names.
    void ReleaseAll();

    // --- Staged loading ------------------------------------------------------------------------
    // Every stage decodes its image and sound files on worker threads and takes the results in
    // scan order on the calling thread, which alone touches GL, the stores and the lists.

    // Starts decoding the images and sounds that stage 1 will load, as the asset folders hold
    // them now, and opening the audio output, so that start-up can open the window meanwhile.
    // Changes nothing that can be seen: stage 1 still scans, checks and loads every record
    // itself and drops whatever it did not use, and InitSoundAndLoad takes the audio system
    // where it would have made one.
    void PrefetchStage1();
    // Creates the audio system and loads stage 1. Called once, after ScanAssets.
    void InitSoundAndLoad(Coordinator& coordinator);
    // The first 92 images and 10 sounds, every shader program and every font.
    void LoadStage1(Coordinator& coordinator);
    // Images 92 to 205 and the sounds from 10 on (level select and cutscenes).
    void LoadStage2(Coordinator& coordinator);
    // Stage 2's work (a no-op when it ran), then the remaining images and every spritesheet.
    void LoadStage3(Coordinator& coordinator);
    // Loads everything pending that the already-loaded test does not find.
    void ReloadAll(Coordinator& coordinator);
    // The already-loaded test: by the path's asset folder, whether a loaded record has this
    // file name. Files are recognised by file name alone.
    bool FindLoadedResource(const std::string& fileName, const std::string& path) const;

    // --- Images the scenes no longer draw (see ImageResidency) -------------------------------
    // The texture to draw now (`inLevel`: while a level is played), its pixels read again first
    // when a scene swap gave them back.
    std::uint32_t TextureToDraw(std::uint32_t texture, bool inLevel) { return residency.ToDraw(texture, inLevel); }
    // The image of that name (if any) counts as drawn by the scene being left: the next scene
    // names it, so it is not given back only to be read again at once.
    void KeepImage(const std::string& name);
    // Called as a scene is left: the images it neither drew, loaded nor kept give their pixels
    // back. Returns how many did.
    std::size_t SceneLeft() { return residency.SceneLeft(); }
    bool ImageReleased(const std::string& name) const;

    // --- Read-only views of the stores ---------------------------------------------------------
    const std::map<std::string, TextureInfo>& Textures() const { return textures; }
    const std::map<std::string, ShaderProgram>& ShaderPrograms() const { return shaderPrograms; }
    const std::map<std::string, SoundInfo>& Sounds() const { return sounds; }
    const std::map<std::string, FontInfo>& Fonts() const { return fonts; }
    const std::map<SpritesheetKey, std::uint32_t>& SpritesheetKeys() const { return spritesheetKeys; }

    // --- Scan and load lists ---------------------------------------------------------------------
    // Found by ScanAssets and not yet loaded, in scan order; a stage takes records by index.
    std::vector<ImageRecord> PendingImages;
    std::vector<ShaderPairRecord> PendingShaderPairs;
    std::vector<SoundRecord> PendingSounds;
    std::vector<FontRecord> PendingFonts;
    std::vector<SpritesheetRecord> PendingSpritesheets;
    // Copies of the records loaded so far (images and fonts under their whole file name).
    std::vector<ImageRecord> LoadedImages;
    std::vector<ShaderPairRecord> LoadedShaderPairs;
    std::vector<SoundRecord> LoadedSounds;
    std::vector<FontRecord> LoadedFonts;
    std::vector<SpritesheetRecord> LoadedSpritesheets;

    std::vector<std::string> AssetTypeNames;
    // When set, the frame update rescans and reloads, then clears it.
    bool ReloadRequested = false;

private:
    void ReserveLoadedLists();
    void LoadImageRange(std::size_t first, std::size_t end);
    void LoadSoundRange(Coordinator& coordinator, std::size_t first, std::size_t end);
    void LoadAllShaderPairs();
    void LoadAllFonts();
    void LoadAllSpritesheets();
    // Asks the decode queue for the files of these records that loading them will read.
    void RequestImageDecodes(std::size_t first, std::size_t end);
    void RequestSoundDecodes(std::size_t first, std::size_t end);
    // The record's file decoded (by a worker when one was asked to, else here) in a new texture;
    // its storage comes from the reserve when one is given.
    std::uint32_t CreateTexture(const std::string& path, int& width, int& height, HeapReserve* reserve);

    void LoadImage(ImageRecord record, HeapReserve* reserve);
    void LoadShaderPair(const ShaderPairRecord& record);
    void LoadSound(Coordinator& coordinator, const SoundRecord& record);
    void LoadFont(FontRecord record);
    void LoadSpritesheet(const SpritesheetRecord& record, HeapReserve* reserve);

    // --- Audio seams: the only places the audio layer is reached -------------------------------
    // Creates the audio system with 100 voices and its groups "gameGroup" and "sfxGroup".
    void CreateAudioSystem(Coordinator& coordinator);
    // Creates one sound (looping or not), puts it in the group its group word names and adds
    // its channel-table entry; asserts "Failed to create sound" on failure.
    SoundInfo LoadSoundRecord(Coordinator& coordinator, const SoundRecord& record);
    // Releases one stored sound.
    void ReleaseSound(AudioSound* sound);

    std::map<std::string, TextureInfo> textures;
    std::map<std::string, ShaderProgram> shaderPrograms;
    std::map<std::string, SoundInfo> sounds;
    std::map<std::string, FontInfo> fonts;
    std::map<SpritesheetKey, std::uint32_t> spritesheetKeys;
    std::map<std::uint32_t, SpritesheetData> spritesheetData;
    SpritesheetResult spritesheetAnswer;
    ImageResidency residency;
    TextureInfo emptyTexture;
    AssetDecodeQueue decodeQueue;
    // Heap memory warmed for stage 1's textures while the window opens.
    std::unique_ptr<HeapReserve> stage1Reserve;
    std::future<std::shared_ptr<AudioSystem>> openingAudio;
};

// The one resource manager, for code without a Coordinator at hand; null when none exists.
// Set by the manager's constructor and cleared by its destructor.
ResourceManager*& ResourceManagerInstance();
