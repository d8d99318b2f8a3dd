#pragma once
#include <cstdint>

// Everything a draw of the frame sets besides its vertices: the texture and how it is sampled,
// and the value of every per-entity uniform. Entities whose states are equal and that follow one
// another in the draw queue are drawn together.
struct DrawState
{
    std::uint32_t texture = 0;
    bool repeat = false;        // tiled: the repeating sampler
    int type = 2;               // "uType"
    int bindToCamera = 0;       // "uBindToCam"
    float opacity = 1.0f;
    float lightingFactor = 1.0f;
    int ignoreLighting = 0;
    float depth = 0.0f;         // "uDepth", the layer
    float tint[3] = {1.0f, 1.0f, 1.0f};
    // A spritesheet frame that the shader picks ("uAnimation" 1): only for tiled frames, whose
    // tiles repeat within the frame. Other frames are placed in the texture coordinates.
    float animation = 0.0f;
    int frameIndex = 0;
    float sheet[3] = {0.0f, 0.0f, 0.0f};
    int tileEnabled = 0;
    float tileSize[2] = {1.0f, 1.0f};
    // Text.
    float textColour[3] = {0.0f, 0.0f, 0.0f};
    int fontType = 0;
    // Drawn over what lies below by its alpha; off for a draw known to be opaque everywhere, whose
    // blend would give its own colour anyway.
    bool blend = true;
    // The frame's light set (see LightSets) a lit draw binds; -1 for the frame's whole lights.
    int lightSet = -1;

    // Whether the draw takes light (a world sprite not set to ignore it), and so needs the light
    // code of the shader.
    bool Lit() const { return type == 2 && ignoreLighting == 0; }

    bool operator==(const DrawState& other) const;
};

// One draw of the frame: a stretch of the frame's vertices with one state, or an instanced batch.
struct DrawRun
{
    enum Kind : std::uint8_t
    {
        Sprites,
        Text,
        Batch
    };
    Kind kind = Sprites;
    DrawState state;
    int first = 0;  // first vertex
    int count = 0;  // vertices
    int batch = 0;  // the batch index, for Batch
    // Drawn only within this rectangle of pixels (x, y, width, height): a lit sprite over more
    // than a tile of the screen is drawn tile by tile, each tile with the lights that reach it.
    bool scissored = false;
    int scissor[4] = {0, 0, 0, 0};
};
