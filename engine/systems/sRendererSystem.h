#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/sSystemBase.h"
#include "engine/platform/AssetRecords.h"
#include "engine/systems/BuiltInMeshes.h"
#include "engine/systems/DrawQueue.h"
#include "engine/systems/DrawRun.h"
#include "engine/systems/GlyphAtlas.h"
#include "engine/systems/InstanceBatch.h"
#include "engine/systems/LightPacking.h"
#include "engine/systems/LightSets.h"
#include "engine/systems/MeshRecord.h"
#include "engine/systems/RendererUniforms.h"
#include "engine/systems/ShaderProgram.h"
#include "engine/systems/SpriteVertices.h"
#include "engine/systems/TextureCoverage.h"

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

class Identifier;
class Renderer;
class Transform;

// The only system that draws. Every frame it sets up the camera, sorts its members by layer
// (then texture), uploads the lights and walls near the view, draws sprites, spritesheet frames,
// tiled textures, interface images and text with the one program "All", and plays the camera
// shake.
//
// Each entity's mesh is placed in the world on the CPU (positions through its model matrix,
// texture coordinates into its frame or tiles) and all of a frame's vertices go to the GPU in
// one upload; entities that follow one another with the same texture and the same uniform values
// are then drawn with one call. Every draw sets the uniforms of its own state, and the state cache
// follows the real GL bindings (vertex array, texture, sampler), so an entity is always drawn with
// its own mesh, texture, tiling, space and frame.
//
// Each draw is also made with only what it needs, for software rasterisers, which pay for every
// instruction of a shader on every fragment: a variant of "All" without the parts it cannot use,
// only the lights that reach it and the walls that can shadow them (see LightSets; a lit sprite
// over more than a tile of the screen is drawn tile by tile), no blend when it is opaque and
// over a tile, no depth test while draws come in layer order, no draw under a later opaque
// rectangle or where its picture is clear, and the clear instead of a first draw of one colour.
// The picture is the same as drawing everything plainly (drawPlainly).
class sRendererSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sRendererSystem";
    // Lights and walls are kept when they lie this far outside the view.
    static constexpr float AmbientLightMargin = 200.0f;
    static constexpr float SpotLightMargin = 400.0f;
    static constexpr float WallMargin = 400.0f;

    // Once, after the first scene has loaded, with the GL context current: meshes, fixed GL
    // state, the grid outline, the light buffers, the program and its uniforms, render kinds.
    void Init(Coordinator& coordinator) override;
    void Update(Coordinator& coordinator) override;
    // Deletes every GL object the renderer made.
    void Exit() override;

    // After a scene swap, a destruction pass or a hover: the light lists (all enabled lights
    // packed, no view test), the instanced batches, the wall segments, and the render kinds.
    void RefreshLightsAndBatches(Coordinator& coordinator);
    // The lights and walls near the view, packed up to the buffers' capacities.
    void UploadVisibleLights(Coordinator& coordinator);

    // Instanced drawing of the entities that share one of instancedTextures (up to
    // InstanceBatch::MaxInstances each): the batch of that name is made or refreshed from them, and
    // drawn once the queue has reached its layer.
    void BuildInstanceBatch(Coordinator& coordinator, const std::set<Entity>& members, const std::string& textureName);
    void DrawInstanceBatch(Coordinator& coordinator, std::size_t index);
    std::set<Entity> EntitiesWithTexture(Coordinator& coordinator, const std::string& textureName);

    // --- Set up once ------------------------------------------------------------------------
    std::vector<MeshRecord> meshes;
    std::uint32_t gridVertexArray = 0;
    std::uint32_t gridVertexBuffer = 0;
    std::uint32_t gridElementBuffer = 0;
    int gridVertexCount = 0;
    std::uint32_t ambientLightBuffer = 0;
    std::uint32_t spotLightBuffer = 0;
    std::uint32_t wallBuffer = 0;
    std::uint32_t program = 0;
    RendererUniforms uniforms;

    // --- Scene data, rebuilt by RefreshLightsAndBatches ---------------------------------------
    // Texture names drawn as instanced batches; nothing fills it in this game.
    std::vector<std::string> instancedTextures;
    // Draws every frame the plain way: each draw with the whole "All" program, the frame's whole
    // lights and walls, blending and the depth test, and no clear standing in for a first draw.
    // The picture is the same either way; tests compare the two.
    bool drawPlainly = false;
    std::vector<InstanceBatch> batches;
    std::vector<Entity> spotLights;
    std::vector<Entity> ambientLights;

    // --- Per frame ----------------------------------------------------------------------------
    std::vector<DrawEntry> drawQueue;
    float maxLayer = 0.0f;
    AmbientLightBlock ambientBlock;
    SpotLightBlock spotBlock;
    WallBlock wallBlock;
    int ambientCount = 0;
    int spotCount = 0;
    int wallCount = 0;

    // --- Camera shake: started from outside by setting all five ---------------------------------
    float shakeElapsed = 0.0f;
    float shakeDuration = 0.0f;
    float shakeMagnitude = 0.0f;
    float shakeRotation = 0.0f;
    Vector2 shakeOrigin;

private:
    bool Ready() const { return initialised; }
    void CreateGridOutline(Coordinator& coordinator);
    void CreateLightBuffers();
    void CreateStream();
    void ApplyFixedState();
    void AssignRenderKinds(Coordinator& coordinator);
    static void AssignRenderKind(Renderer& renderer, const Identifier& identifier);
    void PackAllLights(Coordinator& coordinator);
    void UploadAmbientLights();
    void UploadSpotLights();
    void UploadWalls();
    void SetLightCounts();

    // Frame steps.
    void BeginFrame();
    void SetUpCamera(Coordinator& coordinator);
    void BuildDrawQueue(Coordinator& coordinator);
    // The queue becomes the frame's vertices and draws; then the draws are made.
    void BuildRuns(Coordinator& coordinator);
    bool QueueEntity(Coordinator& coordinator, Renderer& renderer, Entity entity);
    void QueueSprite(Coordinator& coordinator, Renderer& renderer, Entity entity, const Transform& transform,
                     bool boundToCamera);
    void QueueText(Coordinator& coordinator, const Renderer& renderer, Entity entity);
    void QueueDueBatches();
    void AddRun(DrawRun::Kind kind, const DrawState& state, int first, int count);
    void SubmitRuns(Coordinator& coordinator);
    // Shows the window's last frame when the frame loop leaves that to the renderer (see
    // WindowState::showLastFrame) and this frame is drawn into the window.
    void ShowLastFrame(int drawFramebuffer);
    void ApplySpriteState(const DrawState& state, RendererUniforms& to);
    void ApplyTextState(const DrawState& state, RendererUniforms& to);
    // The program a draw of that state is made with, made current, and its uniforms.
    RendererUniforms& UseProgramFor(DrawRun::Kind kind, const DrawState& state);
    void UseProgram(RendererUniforms& program);
    // The variant of "All" for a draw (see ProgramVariant), built on its first use.
    RendererUniforms& Variant(int key);
    void SetBlending(bool on);
    // Whether a texture's every texel is fully opaque (looked at once per texture).
    bool TextureOpaque(std::uint32_t texture);
    // Whether a sprite covers a tile's worth of the screen or more: enough for the choice of
    // blending to matter.
    bool CoversATileOfTheScreen(const Matrix3& toWorld, int modelID, bool boundToCamera, float viewHeight) const;
    struct TextureOpacity;
    const TextureOpacity& OpacityOf(std::uint32_t texture);
    // A box in window pixels.
    struct PixelBox
    {
        float minX = std::numeric_limits<float>::max();
        float minY = std::numeric_limits<float>::max();
        float maxX = std::numeric_limits<float>::lowest();
        float maxY = std::numeric_limits<float>::lowest();
    };
    // Drops the draws (or a large sprite's tiles) that a later opaque rectangle paints over whole.
    void SkipHiddenRuns(Coordinator& coordinator);
    // Whether the draw paints every pixel of a screen-aligned box with an opaque picture, and the box.
    bool OpaqueRectangle(const DrawRun& run, const Matrix3& toDevice, PixelBox& box);
    // Where a vertex of the frame lands in window pixels, and the box of a stretch of them.
    void PixelOf(int vertex, const Matrix3& toDevice, float& px, float& py) const;
    PixelBox PixelBoxOf(int first, int count, const Matrix3& toDevice) const;
    // When the frame's first draw fills the whole screen with one colour, the clear does it.
    bool ClearWithFirstRun(Coordinator& coordinator);
    // Whether the frame's opaque draws paint every pixel of the screen, so that it needs no clear.
    bool OpaqueRunsFillScreen(Coordinator& coordinator);
    // A sprite's draw (a lit one's with the set of lights for its extent), or one draw per screen
    // tile of it, leaving out the tiles where its picture shows nothing.
    void QueueTiledSprite(const DrawState& state, int first, int count, const Matrix3& toDevice);
    // Where the draw's picture shows anything, when it has parts that show nothing and the draw
    // samples it plainly (looked at once per texture); else null.
    const TextureCoverage* CoverageOf(const DrawState& state);
    // The texel coordinates over the quad of the frame's vertices as a x + b y + c (u, then v).
    bool TexelMapping(int first, int count, const TextureCoverage& coverage, float toTexels[6]) const;
    // Drops the runs left undrawn and joins neighbouring tiles of a sprite that have the same set.
    void JoinTiles();
    void BindLightSet(int id);
    // The frame's whole lights and walls at the shader's storage bindings.
    void BindFrameLights();
    // The light counts of the draw's set (or of the frame) on the program in use.
    void SetLightCountsOn(const DrawState& state);
    void PlayCameraShake(Coordinator& coordinator);
    // The texture of a sprite: its spritesheet frame (filling in how the frame is sampled) when
    // it is animated and its clip has a sheet, else its own texture; 0 when it has none to show.
    std::uint32_t SpriteTexture(Coordinator& coordinator, Renderer& renderer, Entity entity, DrawState& state,
                                UvTransform& uv);
    const GlyphAtlas& AtlasOf(Coordinator& coordinator, const std::string& face);

    // GL bindings, each skipped while it is already in place.
    void BindVertexArray(std::uint32_t vertexArray);
    void BindTexture(std::uint32_t texture);
    void BindSampler(bool repeat);

    bool initialised = false;
    // "All" built again without the parts a draw cannot use: text alone, unlit sprites, and lit
    // sprites with or without ambient lights, spot lights and walls. A software rasteriser runs
    // every instruction of a shader for every fragment, so each draw takes the smallest. Built at
    // first use; one that fails to build leaves its draws to "All".
    struct ProgramVariant
    {
        ShaderProgram program;
        RendererUniforms uniforms;
        bool tried = false;
        // The frame whose camera the program's uniforms hold.
        std::uint32_t frame = 0;
    };
    // Text is one variant; sprites are 2 x (light) + (picks spritesheet frames ? 1 : 0), where
    // light is 0 unlit, else 1 + (ambient lights ? 1 : 0) + (spot lights ? 2 : 0) + (walls ? 4 : 0).
    static constexpr int VariantText = 18;
    static constexpr int VariantCount = 19;
    std::array<ProgramVariant, VariantCount> variants;
    std::uint32_t frameNumber = 0;
    Coordinator* frameCoordinator = nullptr;
    std::uint32_t usedProgram = 0;
    bool blending = true;
    // Draws come in ascending layers, so the depth test passes every fragment and is left out,
    // unless an instanced batch may be drawn after a higher layer or a layer is not a number.
    bool depthTested = true;
    struct TextureOpacity
    {
        int width = 0;
        int height = 0;
        bool opaque = false;
        // Every texel the same (and opaque): its colour, as stored.
        bool solid = false;
        unsigned char colour[4] = {0, 0, 0, 0};
    };
    std::map<std::uint32_t, TextureOpacity> textureOpacity;
    std::map<std::uint32_t, TextureCoverage> textureCoverage;
    // What lights each lit draw: a set per sprite, or per screen tile of a large one.
    LightSets lightSets;
    int boundLightSet = -1;
    int viewport[4] = {0, 0, 0, 0};
    // Where a row of the rasteriser's tiles starts, in the frame's window coordinates: a software
    // rasteriser bins the framebuffer in tiles of 64 pixels from its first row in memory, which
    // for the window is its top row (the window's y runs upward), for a texture its bottom one.
    int tileGridY = 0;
    // The side of a tile in pixels, the rasteriser's own.
    static constexpr int TilePixels = 64;
    // Draws between flushes within a frame (see SubmitRuns).
    static constexpr int DrawsPerFlush = 128;
    int drawsSinceFlush = 0;
    // Which cells of the screen the opaque draws paint whole (see OpaqueRunsFillScreen).
    std::vector<unsigned char> filledCells;
    // The opaque rectangles of the draws after the one being looked at (see SkipHiddenRuns).
    std::vector<PixelBox> coverRectangles;
    // While joining tiles: the runs that end where the row being joined begins, those the row
    // reaches up, and the row's own runs.
    std::vector<std::size_t> reachingRow;
    std::vector<std::size_t> touchedRow;
    std::vector<DrawRun> rowRuns;
    RendererUniforms* currentUniforms = nullptr;
    std::uint32_t boundVertexArray = 0;
    std::uint32_t boundTexture = 0;
    std::uint32_t boundSampler = 0;
    // Samplers for plain (clamped) and tiled (repeated) drawing; they override the textures'
    // own wrap, so tiling one entity never changes how another samples the same texture.
    std::uint32_t clampSampler = 0;
    std::uint32_t repeatSampler = 0;
    // The frame's vertices (x, y, u, v) in one stream buffer, read as positions and texture
    // coordinates by sprites and as text vertices by text.
    std::uint32_t streamBuffer = 0;
    std::size_t streamCapacity = 0;
    std::uint32_t spriteStream = 0;
    std::uint32_t textStream = 0;
    std::vector<float> frameVertices;
    std::vector<DrawRun> runs;
    // The meshes' client-side data, to place them on the CPU.
    std::vector<MeshGeometry> geometry;
    std::map<std::string, GlyphAtlas> atlases;
    // Last texture looked up by name this frame.
    std::string lastTextureName;
    std::uint32_t lastTexture = 0;
    // Whether this frame draws a level being played (a scene with game logic): the pictures it
    // draws are kept loaded across the menus up to the next level (see ImageResidency).
    bool drawingLevel = false;
    SpritesheetKey sheetKey;
    Vector2 camera;
    float viewHalfWidth = 0.0f;
    float viewHalfHeight = 0.0f;
};
