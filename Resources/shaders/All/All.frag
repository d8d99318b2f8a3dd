#version 450 core
// The renderer also builds this program with some of these defined, for draws that need only part
// of it: a software rasteriser runs every instruction of a shader for every fragment (a branch not
// taken is only masked off), so what a draw cannot use is better left out of its program.
//   NO_TEXT       no text glyphs          NO_SPRITES  nothing but text glyphs
//   NO_LIGHTS     no light code at all    NO_AMBIENT, NO_SPOTS, NO_WALLS  none of those
//   NO_FRAMES     no spritesheet frames picked here (the renderer places most frames itself)
//   NO_UNTEXTURED every sprite has its texture
//   LIGHT_BLOCKS  read the lights and walls of the draw's set from uniform blocks (see below)
// With none of them defined this is the whole shader, which draws everything.

in vec2 vTexCoord;
in vec3 vColor;
in vec2 vWorldPosition;

out vec4 fragColor;

const int TypeWorld = 2;
const int TypeText = 6;
const int MaxAmbientLights = 20;
const int MaxSpotLights = 4;
const int MaxWallSegments = 340;
// Fragments this transparent are dropped, so that they write no depth over what lies below.
const float AlphaCutoff = 0.004;
// Cosines of the spot lights' half angles: full light inside, none outside, blended between.
const float SpotConeInner = 0.90;
const float SpotConeOuter = 0.75;

layout(binding = 0) uniform sampler2D uTexture;

uniform float uTextureLoaded;         // 1.0 when a texture is bound for the draw
uniform int uType;                    // 2 world sprite or batch, 5 image or button, 6 text
uniform vec3 uTint;
uniform vec3 uColor;                  // colour of untextured draws
uniform float uOpacity;
uniform float uAnimation;             // 1.0 while drawing a spritesheet frame
uniform int uIndex;                   // the spritesheet frame
uniform vec3 uSpriteSheetData;        // frame width and height as shares of the sheet, frames per row
uniform float uBaseLighting;          // light level before any light source
uniform float uNumAmbientLights;
uniform float uNumDirectionalLights;
uniform float uNumWallSegments;
uniform vec3 uTextColor;
uniform bool uIgnoreLighting;         // set as an integer or a float by the renderer
uniform int uTileEnabled;
uniform vec2 uTileSize;

#ifndef NO_LIGHTS
// Only the first entries, as many as the matching count says, are current.
layout(std430, binding = 5) readonly buffer AmbientLightBuffer
{
    vec4 ambientPosition[MaxAmbientLights];  // x, y, 0, 0
    vec4 ambientColor[MaxAmbientLights];     // r, g, b, 0
    vec4 ambientIntensity[MaxAmbientLights]; // r, g, b, 0
    float ambientRadius[MaxAmbientLights];
};

layout(std430, binding = 6) readonly buffer SpotLightBuffer
{
    vec4 spotPositionDirection[MaxSpotLights]; // x, y, direction x, direction y
    vec4 spotColor[MaxSpotLights];
    vec4 spotIntensity[MaxSpotLights];
    float spotRadius[MaxSpotLights];
};

layout(std430, binding = 7) readonly buffer WallSegmentBuffer
{
    vec4 wallSegment[MaxWallSegments]; // x0, y0, x1, y1 in world units
};

#ifdef LIGHT_BLOCKS
// The lights and walls of the draw's set as uniform blocks, which a software rasteriser reads at
// a light's index for all the fragments it shades together, where it reads a storage buffer once
// for each of them. Each light takes two entries: an ambient light its x, y and radius, then its
// colour times its intensity; a spot light its position and direction, then its colour times its
// intensity and its radius. The walls are laid out as in their buffer.
layout(std140, binding = 5) uniform AmbientLightSet
{
    vec4 setAmbient[2 * MaxAmbientLights];
};

layout(std140, binding = 6) uniform SpotLightSet
{
    vec4 setSpot[2 * MaxSpotLights];
};

layout(std140, binding = 7) uniform WallSegmentSet
{
    vec4 setWallSegment[MaxWallSegments];
};

#define WALL_SEGMENT(i) setWallSegment[i]
#define AMBIENT_SOURCE_AND_RADIUS(i) setAmbient[2 * (i)].xyz
#define AMBIENT_LIGHT(i) setAmbient[2 * (i) + 1].rgb
#define SPOT_POSITION_DIRECTION(i) setSpot[2 * (i)]
#define SPOT_LIGHT(i) setSpot[2 * (i) + 1].rgb
#define SPOT_RADIUS(i) setSpot[2 * (i) + 1].w
#else
#define WALL_SEGMENT(i) wallSegment[i]
#define AMBIENT_SOURCE_AND_RADIUS(i) vec3(ambientPosition[i].xy, ambientRadius[i])
#define AMBIENT_LIGHT(i) (ambientColor[i].rgb * ambientIntensity[i].rgb)
#define SPOT_POSITION_DIRECTION(i) spotPositionDirection[i]
#define SPOT_LIGHT(i) (spotColor[i].rgb * spotIntensity[i].rgb)
#define SPOT_RADIUS(i) spotRadius[i]
#endif
#endif

vec2 SpriteCoordinates()
{
    vec2 uv = vTexCoord;
    if (uTileEnabled == 1)
        uv *= uTileSize;
#ifdef NO_FRAMES
    return uv;
#else
    if (uAnimation < 0.5)
        return uv;
    // Frames lie in rows from the sheet's top-left corner; textures are stored bottom row
    // first, so frame row r covers v from 1 - (r + 1) h to 1 - r h.
    int columns = max(int(uSpriteSheetData.z + 0.5), 1);
    int frame = max(uIndex, 0);
    vec2 frameSize = uSpriteSheetData.xy;
    vec2 corner = vec2(float(frame % columns) * frameSize.x, 1.0 - float(frame / columns + 1) * frameSize.y);
    vec2 inFrame = uTileEnabled == 1 ? fract(uv) : uv;
    return corner + inFrame * frameSize;
#endif
}

// Debug meshes carry a vertex colour; the textured meshes read the attribute's default 0.
vec3 VertexColor()
{
    return any(greaterThan(vColor, vec3(0.0))) ? vColor : vec3(1.0);
}

#ifndef NO_LIGHTS
#ifndef NO_WALLS
// The renderer may give each light of a draw only the walls that can shadow it there: then the
// list starts with a group marker, an entry whose first three coordinates are GroupMarker and
// whose fourth is the number of walls that follow for the first light; the next light's marker
// comes after them, and so on (ambient lights before spot lights). As a segment a marker lies
// beyond everything and blocks nothing. A list that does not start with a marker has every light
// tested against every wall.
const float GroupMarker = 3.0e38;

bool IsGroupMarker(vec4 wall)
{
    return wall.x >= GroupMarker && wall.y >= GroupMarker && wall.z >= GroupMarker;
}

// Control flow is written without early returns, breaks or continues: a software rasteriser
// shades many fragments at once, and keeps a mask of lanes for each of those, on every
// instruction after it. The one exception is the wall loop below, which a group of fragments
// leaves as soon as every one of them is in shadow: most of a shadowed light's walls are then
// never tested.

// Whether the wall crosses the segment from `from` to `to` (r = to - from, rFrom = r x from):
// the two points lie strictly on opposite sides of the wall's line, and the wall's ends on
// opposite sides of theirs or on it. A wall of no length, or along the segment, crosses nothing.
bool WallCrosses(vec2 from, vec2 to, vec2 r, float rFrom, vec4 wall)
{
    vec2 along = wall.zw - wall.xy;
    float sideOfFrom = along.x * (from.y - wall.y) - along.y * (from.x - wall.x);
    float sideOfTo = along.x * (to.y - wall.y) - along.y * (to.x - wall.x);
    float sideOfStart = r.x * wall.y - r.y * wall.x - rFrom;
    float sideOfEnd = r.x * wall.w - r.y * wall.z - rFrom;
    return sideOfFrom * sideOfTo < 0.0 && sideOfStart * sideOfEnd <= 0.0;
}

// Whether one of the walls first to last - 1 stands between the two points.
bool BlockedByWall(vec2 from, vec2 to, int first, int last)
{
    vec2 r = to - from;
    float rFrom = r.x * from.y - r.y * from.x;
    bool blocked = false;
    for (int i = first; i < last && !blocked; ++i)
        blocked = WallCrosses(from, to, r, rFrom, WALL_SEGMENT(i));
    return blocked;
}

// The walls of the next light: its group after `group` (which moves past it), or all of them.
void NextWalls(bool grouped, int count, inout int group, out int first, out int last)
{
    first = 0;
    last = count;
    if (grouped && group < count)
    {
        first = group + 1;
        last = min(first + max(int(WALL_SEGMENT(group).w), 0), count);
    }
    group = last;
}
#endif

// Every light in reach of the fragment and not behind a wall adds to the light level, ambient
// lights first, then spot lights, each in its order.
vec3 SceneLight(vec2 position)
{
    vec3 light = vec3(uBaseLighting);
#ifndef NO_WALLS
    int wallCount = clamp(int(uNumWallSegments), 0, MaxWallSegments);
    bool grouped = wallCount > 0 && IsGroupMarker(WALL_SEGMENT(0));
    int group = 0;
    int first;
    int last;
#endif
#ifndef NO_AMBIENT
    int ambientCount = clamp(int(uNumAmbientLights), 0, MaxAmbientLights);
    for (int i = 0; i < ambientCount; ++i)
    {
#ifndef NO_WALLS
        NextWalls(grouped, wallCount, group, first, last);
#endif
        vec3 sourceAndRadius = AMBIENT_SOURCE_AND_RADIUS(i);
        vec2 source = sourceAndRadius.xy;
        float radius = sourceAndRadius.z;
        float reach = distance(position, source);
        bool reaches = reach < radius;
        float falloff = 1.0 - reach / radius;
        vec3 contribution = AMBIENT_LIGHT(i) * falloff * falloff;
#ifndef NO_WALLS
        // A fragment out of reach tests no walls.
        reaches = reaches && !BlockedByWall(position, source, first, reaches ? last : first);
#endif
        if (reaches)
            light += contribution;
    }
#endif
#ifndef NO_SPOTS
    int spotCount = clamp(int(uNumDirectionalLights), 0, MaxSpotLights);
    for (int spot = 0; spot < spotCount; ++spot)
    {
#ifndef NO_WALLS
        NextWalls(grouped, wallCount, group, first, last);
#endif
        vec2 source = SPOT_POSITION_DIRECTION(spot).xy;
        vec2 direction = SPOT_POSITION_DIRECTION(spot).zw;
        float radius = SPOT_RADIUS(spot);
        vec2 toFragment = position - source;
        float reach = length(toFragment);
        if (reach < radius)
        {
            float facing = 1.0;
            if (reach > 0.0 && length(direction) > 0.0)
                facing = dot(toFragment / reach, normalize(direction));
            float cone = smoothstep(SpotConeOuter, SpotConeInner, facing);
            if (!(cone <= 0.0))
            {
                float falloff = 1.0 - reach / radius;
                vec3 contribution = SPOT_LIGHT(spot) * falloff * cone;
#ifndef NO_WALLS
                if (!BlockedByWall(position, source, first, last))
#endif
                    light += contribution;
            }
        }
    }
#endif
    return light;
}
#endif

void main()
{
#ifndef NO_TEXT
#ifndef NO_SPRITES
    if (uType == TypeText)
#endif
    {
        // Glyphs are coverage masks in the red channel; text is never lit.
        float coverage = texture(uTexture, vTexCoord).r;
        if (coverage <= AlphaCutoff)
            discard;
        fragColor = vec4(uTextColor, coverage);
        return;
    }
#endif
#ifndef NO_SPRITES
#ifdef NO_UNTEXTURED
    vec4 base = texture(uTexture, SpriteCoordinates());
#else
    vec4 base = uTextureLoaded > 0.5 ? texture(uTexture, SpriteCoordinates()) : vec4(uColor * VertexColor(), 1.0);
#endif
    vec3 colour = base.rgb * uTint;
    float alpha = base.a * uOpacity;
    if (alpha <= AlphaCutoff)
        discard;
    // Images and buttons (and text, above) are interface: unlit.
#ifndef NO_LIGHTS
    if (uType == TypeWorld && !uIgnoreLighting)
        colour *= SceneLight(vWorldPosition);
#endif
    fragColor = vec4(colour, alpha);
#endif
}
