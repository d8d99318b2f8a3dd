#pragma once
#include "engine/components/Vector2.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The plain records of the resource manager: what is stored per asset, and what the asset
// scan hands to the staged loader. GL object names are unsigned 32-bit values (GLuint).

// A decoded sound of the audio layer; the resource manager only keeps and releases it.
class AudioSound;

struct TextureInfo
{
    std::uint32_t texture = 0;
    float halfWidth = 0.0f;  // pixel width x 0.5
    float halfHeight = 0.0f; // pixel height x 0.5
};

struct SoundInfo
{
    AudioSound* sound = nullptr; // owned by the resource manager until ReleaseAll
    std::string group;           // the file name's group word ("SFX", "gameBGM", ...)
};

struct Glyph
{
    std::uint32_t texture = 0; // one-channel red texture of the glyph bitmap
    Vector2 size;              // bitmap width and rows, pixels
    Vector2 bearing;           // bitmap left and top, pixels
    std::int32_t advance = 0;  // horizontal advance in 1/64 pixel
};

struct FontInfo
{
    std::uint32_t vertexArray = 0;
    std::uint32_t vertexBuffer = 0; // 96 bytes: six vertices of (x, y, u, v)
    std::map<char, Glyph> glyphs;   // ' ' to '~'
};

// One frame's rectangle in the sheet image, as layout.json gives it.
struct FrameRect
{
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

struct SpritesheetData
{
    std::vector<FrameRect> frames; // in playing order
    float frameDelay = 0.0f;
    float ssWidth = 0.0f;
    float ssHeight = 0.0f;
};

// (animation tag, state name): the animation's folder and the state's folder.
using SpritesheetKey = std::pair<std::string, std::string>;

struct SpritesheetResult
{
    bool found = false;
    SpritesheetData data;
    std::uint32_t texture = 0;
};

// While pending, `name` is the texture key; once loaded it is the whole file name.
struct ImageRecord
{
    std::string name;
    std::string path;
};

struct ShaderPairRecord
{
    std::string name; // the program's folder name
    std::string vertexPath;
    std::string fragmentPath;
};

struct SoundRecord
{
    std::string id;
    std::string path;
    bool loop = false;
    std::string group;
};

// While pending, `name` is the font key; once loaded it is the whole file name.
struct FontRecord
{
    std::string name;
    std::string path;
};

struct SpritesheetRecord
{
    SpritesheetKey key;
    std::string path; // the sheet image
    SpritesheetData data;
};
