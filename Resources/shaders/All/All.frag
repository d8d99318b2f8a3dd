#version 450 core

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

vec2 SpriteCoordinates()
{
    vec2 uv = vTexCoord;
    if (uTileEnabled == 1)
        uv *= uTileSize;
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
}

// Debug meshes carry a vertex colour; the textured meshes read the attribute's default 0.
vec3 VertexColor()
{
    return any(greaterThan(vColor, vec3(0.0))) ? vColor : vec3(1.0);
}

bool SegmentsCross(vec2 a, vec2 b, vec2 c, vec2 d)
{
    vec2 r = b - a;
    vec2 s = d - c;
    float denominator = r.x * s.y - r.y * s.x;
    if (abs(denominator) < 1e-6)
        return false;
    vec2 ac = c - a;
    float t = (ac.x * s.y - ac.y * s.x) / denominator;
    float u = (ac.x * r.y - ac.y * r.x) / denominator;
    return t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0;
}

bool BlockedByWall(vec2 from, vec2 to)
{
    int count = clamp(int(uNumWallSegments), 0, MaxWallSegments);
    for (int i = 0; i < count; ++i)
    {
        if (SegmentsCross(from, to, wallSegment[i].xy, wallSegment[i].zw))
            return true;
    }
    return false;
}

// The reach of each light is tested before its walls: most lights are far from most
// fragments, and the wall loop is the expensive part. Both kinds of light share one loop, so
// that the wall loop exists once in the compiled shader (the driver compiles it at the first
// draw, and its size is most of that time).
vec3 SceneLight(vec2 position)
{
    vec3 light = vec3(uBaseLighting);

    int ambientCount = clamp(int(uNumAmbientLights), 0, MaxAmbientLights);
    int spotCount = clamp(int(uNumDirectionalLights), 0, MaxSpotLights);
    for (int i = 0; i < ambientCount + spotCount; ++i)
    {
        vec2 source;
        vec3 contribution;
        if (i < ambientCount)
        {
            source = ambientPosition[i].xy;
            float radius = ambientRadius[i];
            float reach = distance(position, source);
            if (!(reach < radius))
                continue;
            float falloff = 1.0 - reach / radius;
            contribution = ambientColor[i].rgb * ambientIntensity[i].rgb * falloff * falloff;
        }
        else
        {
            int spot = i - ambientCount;
            source = spotPositionDirection[spot].xy;
            vec2 direction = spotPositionDirection[spot].zw;
            float radius = spotRadius[spot];
            vec2 toFragment = position - source;
            float reach = length(toFragment);
            if (!(reach < radius))
                continue;
            float facing = 1.0;
            if (reach > 0.0 && length(direction) > 0.0)
                facing = dot(toFragment / reach, normalize(direction));
            float cone = smoothstep(SpotConeOuter, SpotConeInner, facing);
            if (cone <= 0.0)
                continue;
            float falloff = 1.0 - reach / radius;
            contribution = spotColor[spot].rgb * spotIntensity[spot].rgb * falloff * cone;
        }
        if (BlockedByWall(position, source))
            continue;
        light += contribution;
    }
    return light;
}

void main()
{
    if (uType == TypeText)
    {
        // Glyphs are coverage masks in the red channel; text is never lit.
        float coverage = texture(uTexture, vTexCoord).r;
        if (coverage <= AlphaCutoff)
            discard;
        fragColor = vec4(uTextColor, coverage);
        return;
    }

    vec4 base = uTextureLoaded > 0.5 ? texture(uTexture, SpriteCoordinates()) : vec4(uColor * VertexColor(), 1.0);
    vec3 colour = base.rgb * uTint;
    float alpha = base.a * uOpacity;
    if (alpha <= AlphaCutoff)
        discard;
    // Images and buttons (and text, above) are interface: unlit.
    if (uType == TypeWorld && !uIgnoreLighting)
        colour *= SceneLight(vWorldPosition);
    fragColor = vec4(colour, alpha);
}
