#include "engine/platform/ResourceManager.h"
#include "engine/platform/native/HeapReserve.h"
#include "engine/core/Assert.h"

#include <GL/glew.h>

#include <cstdio>

ResourceManager*& ResourceManagerInstance()
{
    static ResourceManager* instance = nullptr;
    return instance;
}

ResourceManager::ResourceManager() : AssetTypeNames{"Animation", "Audio", "Font", "Image", "Shader"}
{
    ResourceManagerInstance() = this;
}

ResourceManager::~ResourceManager()
{
    if (ResourceManagerInstance() == this)
        ResourceManagerInstance() = nullptr;
}

const TextureInfo& ResourceManager::GetTexture(const std::string& name)
{
    auto it = textures.find(name);
    if (it != textures.end())
        return it->second;
    if (name.empty())
    {
        emptyTexture = TextureInfo{};
        return emptyTexture;
    }
    std::fputs(name.c_str(), stdout);
    std::fflush(stdout);
    std::string message = "Failed to get texture: " + name + "\n" + "Textures found currently";
    for (const auto& entry : textures)
        message += entry.first + "\n";
    Assert(message);
}

void ResourceManager::KeepImage(const std::string& name)
{
    const auto it = textures.find(name);
    if (it != textures.end())
        residency.Keep(it->second.texture);
}

bool ResourceManager::ImageReleased(const std::string& name) const
{
    const auto it = textures.find(name);
    return it != textures.end() && residency.Released(it->second.texture);
}

ShaderProgram ResourceManager::GetShaderProgram(const std::string& name) const
{
    auto it = shaderPrograms.find(name);
    AssertFail(it == shaderPrograms.end(), "Failed to get shader Prog");
    return it->second;
}

AudioSound*& ResourceManager::GetSound(const std::string& id)
{
    auto it = sounds.find(id);
    AssertFail(it == sounds.end(), "Failed to get audio");
    return it->second.sound;
}

const FontInfo& ResourceManager::GetFont(const std::string& name) const
{
    auto it = fonts.find(name);
    // Asked for every text every frame: the message is only built when it is needed.
    if (it == fonts.end())
        Assert("Failed to get font info");
    return it->second;
}

SpritesheetResult* ResourceManager::GetSpritesheet(const SpritesheetKey& key, int& frameIndex, bool& finished,
                                                   bool holdState)
{
    auto it = spritesheetKeys.find(key);
    if (it == spritesheetKeys.end())
    {
        spritesheetAnswer.found = false;
        return &spritesheetAnswer;
    }
    const std::uint32_t texture = it->second;
    const SpritesheetData& data = spritesheetData.at(texture);
    // A sheet without frames has no last frame to hold, and one without a size would make the
    // renderer divide by zero: both count as not found.
    if (data.frames.empty() || !(data.ssWidth > 0.0f) || !(data.ssHeight > 0.0f))
    {
        spritesheetAnswer.found = false;
        return &spritesheetAnswer;
    }
    const std::size_t count = data.frames.size();
    // A negative index counts as past the end.
    if (static_cast<std::size_t>(static_cast<unsigned int>(frameIndex)) >= count)
    {
        if (key.first == "ONESHOT")
        {
            finished = true;
        }
        else if (holdState)
        {
            frameIndex = static_cast<int>(count) - 1;
            finished = true;
        }
        else
        {
            frameIndex = 0;
            finished = false;
        }
    }
    spritesheetAnswer.texture = texture;
    spritesheetAnswer.data = data;
    spritesheetAnswer.found = true;
    return &spritesheetAnswer;
}

static void DeleteTexture(std::uint32_t texture)
{
    if (texture == 0)
        return;
    glInvalidateTexImage(texture, 0);
    glDeleteTextures(1, &texture);
}

void ResourceManager::ReleaseAll()
{
    for (const auto& entry : textures)
        DeleteTexture(entry.second.texture);
    for (const auto& entry : shaderPrograms)
    {
        const GLuint program = entry.second.handle;
        if (program == 0)
            continue;
        GLint attachedCount = 0;
        glGetProgramiv(program, GL_ATTACHED_SHADERS, &attachedCount);
        std::vector<GLuint> shaders(static_cast<std::size_t>(attachedCount));
        GLsizei returned = 0;
        if (attachedCount > 0)
            glGetAttachedShaders(program, attachedCount, &returned, shaders.data());
        for (GLsizei i = 0; i < returned; ++i)
            glDeleteShader(shaders[static_cast<std::size_t>(i)]);
        glDeleteProgram(program);
    }
    for (const auto& entry : spritesheetKeys)
        DeleteTexture(entry.second);
    for (auto& entry : sounds)
        ReleaseSound(entry.second.sound);
    for (const auto& entry : fonts)
    {
        const FontInfo& font = entry.second;
        if (font.vertexBuffer != 0)
        {
            glInvalidateBufferData(font.vertexBuffer);
            glDeleteBuffers(1, &font.vertexBuffer);
        }
        for (const auto& glyph : font.glyphs)
            DeleteTexture(glyph.second.texture);
        // The vertex array goes with the GL context.
    }
}

// The part of a path after its last "/" (the whole path when it has none).
static std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

static std::vector<std::string> SplitAtSlashes(const std::string& path)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t slash = path.find('/', start);
        fields.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return fields;
}

bool ResourceManager::FindLoadedResource(const std::string& fileName, const std::string& path) const
{
    const std::vector<std::string> fields = SplitAtSlashes(path);
    auto imageLoaded = [&] {
        for (const ImageRecord& image : LoadedImages)
        {
            if (image.name == fileName)
                return true;
        }
        return false;
    };
    if (fields[0] == "Editor_Resources")
        return imageLoaded();
    if (fields.size() < 2)
        return false;
    const std::string& folder = fields[1];
    if (folder == "images")
        return imageLoaded();
    if (folder == "audio")
    {
        for (const SoundRecord& sound : LoadedSounds)
        {
            if (FileNameOf(sound.path) == fileName)
                return true;
        }
        return false;
    }
    if (folder == "fonts")
    {
        for (const FontRecord& font : LoadedFonts)
        {
            if (font.name == fileName)
                return true;
        }
        return false;
    }
    if (folder == "shaders")
    {
        const std::string wanted = FileNameOf(path);
        for (const ShaderPairRecord& pair : LoadedShaderPairs)
        {
            if (FileNameOf(pair.vertexPath) == wanted || FileNameOf(pair.fragmentPath) == wanted)
                return true;
        }
        return false;
    }
    return false;
}
