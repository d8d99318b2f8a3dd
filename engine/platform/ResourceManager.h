#pragma once
#include "engine/platform/AssetRecords.h"
#include "engine/systems/ShaderProgram.h"

#include <map>
#include <string>
#include <vector>

class Coordinator;

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

    void LoadImage(ImageRecord record);
    void LoadShaderPair(const ShaderPairRecord& record);
    void LoadSound(Coordinator& coordinator, const SoundRecord& record);
    void LoadFont(FontRecord record);
    void LoadSpritesheet(const SpritesheetRecord& record);

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
    TextureInfo emptyTexture;
};

// The one resource manager, for code without a Coordinator at hand; null when none exists.
// Set by the manager's constructor and cleared by its destructor.
ResourceManager*& ResourceManagerInstance();
