#version 450 core

// The one program the renderer draws everything with: world sprites and animation frames
// (uType 2), images and buttons (uType 5), text glyphs (uType 6), and instanced batches.

layout(location = 0) in vec2 aPosition;   // mesh vertex, the mesh spans -1 to 1
layout(location = 1) in vec2 aTexCoord;   // texture coordinates of the textured meshes
layout(location = 2) in vec3 aColor;      // vertex colour of the debug and gizmo meshes
layout(location = 6) in vec4 aTextVertex; // text quad vertex: x, y in world units, then u, v

const int TypeText = 6;
const int MaxBatches = 2;
const int MaxInstances = 100;

uniform int uType;
uniform float uDepth;                 // the Renderer's layer
uniform mat3 uVaoToWorld;             // model matrix with the half sizes applied
uniform mat3 uCamMtxWorldToNDC;       // world to device coordinates at the current zoom
uniform mat3 uCamUIMtxWorldToNDC;     // the same at the fixed 1920 by 1080 reference size
uniform int uBindToCam;               // 1: an interface element that moves with the camera
uniform mat4 uScreenProjection;       // text bound to the camera
uniform mat4 uWorldProjection;        // text placed in the world
uniform int uFontType;                // 1 selects the screen projection for text
uniform int uInstanced;               // 1 during an instanced batch draw
uniform int uInstanceIndex;           // the batch being drawn
uniform mat3 uOffsets[MaxBatches][MaxInstances]; // per-instance model matrices

out vec2 vTexCoord;
out vec3 vColor;
out vec2 vWorldPosition;

// Layers grow towards the viewer (the depth test keeps the greater depth). This mapping
// increases with the layer for every float value and stays within [-1, 1], so no layer is
// ever clipped away.
float LayerToDepth(float layer)
{
    return layer >= 0.0 ? 1.0 - 1.0 / (1.0 + layer) : 1.0 / (1.0 - layer) - 1.0;
}

void main()
{
    float depth = LayerToDepth(uDepth);
    vColor = aColor;
    if (uType == TypeText)
    {
        mat4 projection = uFontType == 1 ? uScreenProjection : uWorldProjection;
        vec4 clip = projection * vec4(aTextVertex.xy, 0.0, 1.0);
        gl_Position = vec4(clip.xy / clip.w, depth, 1.0);
        vTexCoord = aTextVertex.zw;
        vWorldPosition = aTextVertex.xy;
        return;
    }

    mat3 model = uVaoToWorld;
    if (uInstanced == 1)
        model = uOffsets[clamp(uInstanceIndex, 0, MaxBatches - 1)][min(gl_InstanceID, MaxInstances - 1)];
    vec3 world = model * vec3(aPosition, 1.0);
    mat3 toDevice = uBindToCam == 1 ? uCamUIMtxWorldToNDC : uCamMtxWorldToNDC;
    vec3 device = toDevice * vec3(world.xy, 1.0);
    gl_Position = vec4(device.xy, depth, 1.0);
    vTexCoord = aTexCoord;
    vWorldPosition = world.xy;
}
