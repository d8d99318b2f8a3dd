#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameRandom.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/WindowState.h"
#include "engine/platform/native/FrameHeap.h"
#include "engine/systems/BufferUpload.h"
#include "engine/systems/CameraMatrices.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/TextLayout.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <vector>

// The renderer's frame: camera, queue, lights, the frame's vertices and draws, and the camera
// shake.

namespace
{
// A binding no GL object has, so the first bind of a frame always happens.
constexpr std::uint32_t Unbound = 0xFFFFFFFFu;
constexpr int TypeWorld = 2;
constexpr int TypeInterface = 5;
constexpr int TypeText = 6;
constexpr float ShakeHalfRange = 16383.5f;
constexpr float ShakeRotationDivisor = 1877410.9f;
constexpr float FullTurn = 6.28319f;

sFontSystem* FindFontSystem(Coordinator& coordinator)
{
    return dynamic_cast<sFontSystem*>(coordinator.SystemManager.FindSystemByName(TypeName<sFontSystem>()));
}

// The entity's behaviour, or null; never asserts when no behaviour system is registered.
IBehaviour* BehaviourOf(Coordinator& coordinator, Entity entity, std::shared_ptr<IBehaviour>& holder)
{
    sBehaviourSystem* behaviours = coordinator.BehaviourSystem;
    if (behaviours == nullptr)
        behaviours =
            dynamic_cast<sBehaviourSystem*>(coordinator.SystemManager.FindSystemByName(TypeName<sBehaviourSystem>()));
    if (behaviours == nullptr || !behaviours->GetBehaviour(entity, holder))
        return nullptr;
    return holder.get();
}

// Images, buttons and texts set to BindToCamera live in screen space.
bool BoundToCamera(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> holder;
    IBehaviour* behaviour = BehaviourOf(coordinator, entity, holder);
    if (behaviour == nullptr)
        return false;
    if (dynamic_cast<bImageBehaviour*>(behaviour) == nullptr && dynamic_cast<bUIButtonBehaviour*>(behaviour) == nullptr &&
        dynamic_cast<bFontBehaviour*>(behaviour) == nullptr)
        return false;
    return behaviour->BindToCamera;
}

// Text follows the camera only for a camera-bound text behaviour; any other text, with or without
// a behaviour, stands in the world.
bool TextBoundToCamera(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> holder;
    const auto* text = dynamic_cast<bFontBehaviour*>(BehaviourOf(coordinator, entity, holder));
    return text != nullptr && text->BindToCamera;
}
}

void sRendererSystem::Update(Coordinator& coordinator)
{
    if (!Ready())
    {
        ShowLastFrame(0);
        return;
    }
    BeginFrame();
    frameCoordinator = &coordinator;
    SetUpCamera(coordinator);

    maxLayer = 0.0f;
    for (InstanceBatch& batch : batches)
        batch.drawn = false;
    BuildDrawQueue(coordinator);
    SortDrawQueue(drawQueue);
    UploadVisibleLights(coordinator);
    lightSets.Begin(ambientBlock, ambientCount, spotBlock, spotCount, wallBlock, wallCount);
    glGetIntegerv(GL_VIEWPORT, viewport);
    tileGridY = 0;
    GLint drawFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    if (drawFramebuffer == 0 && WindowState::window != nullptr)
    {
        int width = 0;
        int height = 0;
        glfwGetFramebufferSize(WindowState::window, &width, &height);
        tileGridY = height % TilePixels;
    }

    uniforms.SetMat3(Uniform::CamMtxWorldToNDC, coordinator.WorldViewProjection.m);
    uniforms.SetMat3(Uniform::CamUIMtxWorldToNDC, coordinator.ScreenViewProjection.m);
    if (const sFontSystem* fonts = FindFontSystem(coordinator))
    {
        uniforms.SetMat4(Uniform::ScreenProjection, fonts->screenProjection);
        uniforms.SetMat4(Uniform::WorldProjection, fonts->worldProjection);
    }
    BuildRuns(coordinator);
    // Sorted by layer, every draw lies on or above everything drawn before it: the depth test
    // would pass every fragment. It is kept (and its buffer cleared) only when a batch can be
    // drawn out of that order or a layer is not a number.
    depthTested = drawPlainly ||
                  std::any_of(runs.begin(), runs.end(), [](const DrawRun& run) { return run.kind == DrawRun::Batch; }) ||
                  std::any_of(drawQueue.begin(), drawQueue.end(),
                              [](const DrawEntry& entry) { return std::isnan(entry.renderer->layer); });
    if (!depthTested)
        SkipHiddenRuns(coordinator);
    JoinTiles();
    ShowLastFrame(drawFramebuffer);
    if (depthTested)
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    else
    {
        glDisable(GL_DEPTH_TEST);
        const bool clearPaintsFirstRun = ClearWithFirstRun(coordinator);
        if (clearPaintsFirstRun)
            runs.front().count = 0;
        if (clearPaintsFirstRun || !OpaqueRunsFillScreen(coordinator))
            glClear(GL_COLOR_BUFFER_BIT);
    }
    SubmitRuns(coordinator);
    // Shading starts on what is left of the frame now, not at the swap.
    glFlush();
    PlayCameraShake(coordinator);
}

void sRendererSystem::ShowLastFrame(int drawFramebuffer)
{
    if (WindowState::showLastFrame != nullptr && WindowState::window != nullptr && drawFramebuffer == 0)
        WindowState::showLastFrame(WindowState::window);
}

void sRendererSystem::BeginFrame()
{
    KeepHeapForFrames();
    // Anything may have touched the GL state since the last frame; the caches start afresh.
    if (uniforms.Program() != 0)
        glUseProgram(uniforms.Program());
    usedProgram = uniforms.Program();
    uniforms.Forget();
    for (ProgramVariant& variant : variants)
        variant.uniforms.Forget();
    ++frameNumber;
    blending = true;
    boundVertexArray = Unbound;
    boundTexture = Unbound;
    boundSampler = Unbound;
    lastTextureName.clear();
    lastTexture = 0;
    drawingLevel = GameLogicInstance() != nullptr;
    ApplyFixedState();
    glActiveTexture(GL_TEXTURE0);
    BindFrameLights();
}

void sRendererSystem::SetUpCamera(Coordinator& coordinator)
{
    const Transform* view = CameraTransform(coordinator);
    camera = CameraPosition(coordinator);
    const float rotation = view != nullptr ? view->rotation : 0.0f;
    coordinator.AspectRatio = WindowAspectRatio();
    const CameraMatrices matrices = ComputeCameraMatrices(camera, rotation, coordinator.ViewHeight, coordinator.AspectRatio);
    coordinator.CameraRotation = matrices.rotation;
    coordinator.ViewMatrix = matrices.view;
    coordinator.WorldProjection = matrices.worldScale;
    coordinator.WorldViewProjection = matrices.worldToScreen;
    coordinator.ScreenViewProjection = matrices.interfaceToScreen;
    viewHalfWidth = coordinator.ViewHeight * coordinator.AspectRatio * 0.5f;
    viewHalfHeight = coordinator.ViewHeight * 0.5f;
}

void sRendererSystem::BuildDrawQueue(Coordinator& coordinator)
{
    drawQueue.clear();
    drawQueue.reserve(entities.size());
    cComponentContainer<Renderer>& renderers = coordinator.ComponentManager.GetContainer<Renderer>();
    cComponentContainer<Identifier>& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    for (Entity entity : entities)
    {
        Renderer* renderer = renderers.Find(entity);
        if (renderer == nullptr)
            continue;
        // Joined after the last refresh (shown later): its kind is read now, or a text would be
        // drawn as an empty sprite.
        if (!renderer->renderKindAssigned)
            if (const Identifier* identifier = identifiers.Find(entity))
                AssignRenderKind(*renderer, *identifier);
        if (!instancedTextures.empty() &&
            std::find(instancedTextures.begin(), instancedTextures.end(), renderer->textureName) !=
                instancedTextures.end())
            continue;
        drawQueue.push_back({renderer, entity});
    }
}

void sRendererSystem::BuildRuns(Coordinator& coordinator)
{
    frameVertices.clear();
    runs.clear();
    for (const DrawEntry& entry : drawQueue)
    {
        Renderer& renderer = *entry.renderer;
        maxLayer = std::max(maxLayer, renderer.layer);
        if (renderer.tintFlashActive)
        {
            if (renderer.tintFlashTime > 0.0f)
            {
                renderer.tintFlashTime -= coordinator.DeltaTime;
            }
            else
            {
                renderer.tintFlashActive = false;
                std::copy(std::begin(renderer.baseTint), std::end(renderer.baseTint), renderer.tint);
            }
        }
        if (QueueEntity(coordinator, renderer, entry.entity))
            QueueDueBatches();
    }
}

bool sRendererSystem::QueueEntity(Coordinator& coordinator, Renderer& renderer, Entity entity)
{
    if (renderer.renderKind == 2)
    {
        QueueText(coordinator, renderer, entity);
        return true;
    }
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    if (transform == nullptr)
        return false;
    const bool bound = BoundToCamera(coordinator, entity);
    // A camera-bound element is drawn over the fixed reference view, whatever the zoom.
    const float halfWidth = bound ? ReferenceViewWidth * 0.5f : viewHalfWidth;
    const float halfHeight = bound ? ReferenceViewHeight * 0.5f : viewHalfHeight;
    if (OutsideView(transform->position, transform->rotation, renderer.scaleX, renderer.scaleY, camera, halfWidth,
                    halfHeight))
        return false;
    QueueSprite(coordinator, renderer, entity, *transform, bound);
    return true;
}

void sRendererSystem::QueueSprite(Coordinator& coordinator, Renderer& renderer, Entity entity,
                                  const Transform& transform, bool boundToCamera)
{
    if (renderer.textureName.empty())
        return;
    // Scene data is checked when read; a mesh id set later by code is still not trusted.
    if (renderer.modelID < 0 || static_cast<std::size_t>(renderer.modelID) >= geometry.size())
        return;
    DrawState state;
    UvTransform uv;
    state.texture = SpriteTexture(coordinator, renderer, entity, state, uv);
    if (state.texture == 0)
        return;
    state.type = renderer.renderKind == 1 ? TypeInterface : TypeWorld;
    state.bindToCamera = boundToCamera ? 1 : 0;
    state.opacity = renderer.opacity;
    state.lightingFactor = renderer.lightingFactor;
    state.ignoreLighting = renderer.ignoreLighting ? 1 : 0;
    state.depth = renderer.layer;
    std::copy(std::begin(renderer.tint), std::end(renderer.tint), state.tint);
    state.repeat = renderer.tileMode;
    if (renderer.tileMode)
    {
        if (state.animation > 0.5f)
        {
            // Tiles repeat within the frame: the shader does that.
            state.tileEnabled = 1;
            state.tileSize[0] = renderer.tileSizeX;
            state.tileSize[1] = renderer.tileSizeY;
        }
        else
        {
            uv.scaleU *= renderer.tileSizeX;
            uv.scaleV *= renderer.tileSizeY;
        }
    }

    // The mesh's -1 to 1 extent becomes the half sizes, then the model matrix places it.
    Matrix3 toWorld = transform.modelMatrix;
    for (int row = 0; row < 3; ++row)
    {
        toWorld.m[row] *= renderer.scaleX;
        toWorld.m[3 + row] *= renderer.scaleY;
    }
    // A draw of a fully opaque picture at full opacity covers what lies below exactly as its
    // blend would: it is drawn without one. (Draws smaller than a tile are not worth looking at.)
    const bool large = CoversATileOfTheScreen(toWorld, renderer.modelID, boundToCamera, coordinator.ViewHeight);
    state.blend = drawPlainly || !(renderer.opacity == 1.0f && large && TextureOpaque(state.texture));
    const MeshGeometry& mesh = geometry[static_cast<std::size_t>(renderer.modelID)];
    const int first = static_cast<int>(frameVertices.size() / 4);
    const int count = AppendMeshTriangles(mesh, FillIndexCount(static_cast<int>(mesh.indices.size()), renderer.fillPercent),
                                          toWorld, uv, frameVertices);
    if (count > 0 && !drawPlainly)
        QueueTiledSprite(state, first, count, boundToCamera ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection);
    else
        AddRun(DrawRun::Sprites, state, first, count);
}

std::uint32_t sRendererSystem::SpriteTexture(Coordinator& coordinator, Renderer& renderer, Entity entity,
                                             DrawState& state, UvTransform& uv)
{
    ResourceManager& resources = coordinator.ResourceManager;
    if (renderer.animated)
    {
        if (Animation* animation = coordinator.GetComponent<Animation>(entity))
        {
            sheetKey.first = animation->AnimationTag;
            sheetKey.second = animation->StateNameText();
            const SpritesheetResult* sheet = resources.GetSpritesheet(sheetKey, animation->frameIndex,
                                                                      animation->finished, animation->HoldState);
            if (sheet->found)
            {
                const int frames = static_cast<int>(sheet->data.frames.size());
                if (animation->frameIndex < 0 || animation->frameIndex >= frames)
                    animation->frameIndex = frames - 1;
                const FrameRect& frame = sheet->data.frames[static_cast<std::size_t>(animation->frameIndex)];
                if (frame.width > 0.0f && frame.height > 0.0f)
                {
                    const float frameWidth = frame.width / sheet->data.ssWidth;
                    const float frameHeight = frame.height / sheet->data.ssHeight;
                    const float columns = sheet->data.ssWidth / frame.width;
                    if (renderer.tileMode)
                    {
                        state.animation = 1.0f;
                        state.frameIndex = animation->frameIndex;
                        state.sheet[0] = frameWidth;
                        state.sheet[1] = frameHeight;
                        state.sheet[2] = columns;
                    }
                    else
                    {
                        uv = SheetFrame(animation->frameIndex, frameWidth, frameHeight,
                                        std::max(static_cast<int>(columns + 0.5f), 1));
                    }
                    return sheet->texture;
                }
            }
        }
        // No sheet for the current clip: the sprite's own picture when there is one, rather than
        // whatever sheet was drawn before it.
        const auto own = resources.Textures().find(renderer.textureName);
        return own == resources.Textures().end() ? 0 : resources.TextureToDraw(own->second.texture, drawingLevel);
    }
    if (renderer.textureName != lastTextureName)
    {
        lastTexture = resources.TextureToDraw(resources.GetTexture(renderer.textureName).texture, drawingLevel);
        lastTextureName = renderer.textureName;
    }
    return lastTexture;
}

void sRendererSystem::QueueText(Coordinator& coordinator, const Renderer& renderer, Entity entity)
{
    const Font* font = coordinator.GetComponent<Font>(entity);
    if (font == nullptr)
        return;
    const FontInfo& face = coordinator.ResourceManager.GetFont(font->type);
    const GlyphAtlas& atlas = AtlasOf(coordinator, font->type);
    DrawState state;
    state.texture = atlas.Texture();
    state.type = TypeText;
    state.depth = renderer.layer;
    std::copy(std::begin(font->color), std::end(font->color), state.textColour);
    state.fontType = TextBoundToCamera(coordinator, entity) ? 1 : 0;

    const Vector2 origin = TextOrigin(*font, camera, static_cast<float>(WindowState::width),
                                      static_cast<float>(WindowState::height));
    Vector2 pen;
    const int first = static_cast<int>(frameVertices.size() / 4);
    float quad[24];
    for (char character : font->message)
    {
        const auto found = face.glyphs.find(character);
        GlyphAtlas::Region region;
        // A character the font has no glyph for is left out.
        if (found == face.glyphs.end() || !atlas.Find(character, region))
            continue;
        const Glyph& glyph = found->second;
        GlyphQuad(glyph, origin, pen, font->xScale, font->yScale, quad);
        for (int v = 0; v < 6; ++v)
        {
            quad[4 * v + 2] = region.u + quad[4 * v + 2] * region.width;
            quad[4 * v + 3] = region.v + quad[4 * v + 3] * region.height;
        }
        frameVertices.insert(frameVertices.end(), std::begin(quad), std::end(quad));
        AdvancePen(glyph, *font, pen);
    }
    AddRun(DrawRun::Text, state, first, static_cast<int>(frameVertices.size() / 4) - first);
}

const GlyphAtlas& sRendererSystem::AtlasOf(Coordinator& coordinator, const std::string& face)
{
    auto found = atlases.find(face);
    if (found != atlases.end())
        return found->second;
    GlyphAtlas& atlas = atlases[face];
    atlas.Build(coordinator.ResourceManager.GetFont(face));
    return atlas;
}

void sRendererSystem::QueueDueBatches()
{
    for (std::size_t i = 0; i < batches.size(); ++i)
    {
        if (!batches[i].drawn && maxLayer >= batches[i].depth)
        {
            DrawRun run;
            run.kind = DrawRun::Batch;
            run.batch = static_cast<int>(i);
            runs.push_back(run);
            batches[i].drawn = true;
        }
    }
}

void sRendererSystem::AddRun(DrawRun::Kind kind, const DrawState& state, int first, int count)
{
    if (count <= 0)
        return;
    if (!runs.empty())
    {
        DrawRun& last = runs.back();
        if (last.kind == kind && !last.scissored && last.first + last.count == first && last.state == state)
        {
            last.count += count;
            return;
        }
    }
    DrawRun run;
    run.kind = kind;
    run.state = state;
    run.first = first;
    run.count = count;
    runs.push_back(run);
}

void sRendererSystem::SubmitRuns(Coordinator& coordinator)
{
    if (runs.empty())
        return;
    // One upload for the whole frame, into storage kept from frame to frame.
    UploadGrowing(streamBuffer, streamCapacity, frameVertices.data(), frameVertices.size() * sizeof(float));
    lightSets.Upload();
    boundLightSet = -1;
    bool scissoring = false;
    for (const DrawRun& run : runs)
    {
        // A run the clear has painted already, or one a later draw paints over.
        if (run.kind != DrawRun::Batch && run.count == 0)
            continue;
        switch (run.kind)
        {
        case DrawRun::Sprites:
            ApplySpriteState(run.state, UseProgramFor(run.kind, run.state));
            BindVertexArray(spriteStream);
            break;
        case DrawRun::Text:
            ApplyTextState(run.state, UseProgramFor(run.kind, run.state));
            BindVertexArray(textStream);
            break;
        case DrawRun::Batch:
            UseProgram(uniforms);
            SetBlending(true);
            DrawInstanceBatch(coordinator, static_cast<std::size_t>(run.batch));
            continue;
        }
        SetBlending(run.state.blend);
        if (run.state.lightSet >= 0)
            BindLightSet(run.state.lightSet);
        if (run.state.Lit() && run.kind == DrawRun::Sprites)
            SetLightCountsOn(run.state);
        if (run.scissored != scissoring)
        {
            if (run.scissored)
                glEnable(GL_SCISSOR_TEST);
            else
                glDisable(GL_SCISSOR_TEST);
            scissoring = run.scissored;
        }
        if (run.scissored)
            glScissor(run.scissor[0], run.scissor[1], run.scissor[2], run.scissor[3]);
        BindTexture(run.state.texture);
        BindSampler(run.state.repeat);
        glDrawArrays(GL_TRIANGLES, run.first, run.count);
        // A software rasteriser shades nothing until the commands are flushed: every so many
        // draws it is handed what it has, and shades those while the rest are being set up.
        if (++drawsSinceFlush == DrawsPerFlush)
        {
            glFlush();
            drawsSinceFlush = 0;
        }
    }
    if (scissoring)
        glDisable(GL_SCISSOR_TEST);
    // The whole frame's lights at their bindings again, as anything drawing after the frame
    // expects them.
    if (boundLightSet >= 0)
    {
        BindFrameLights();
        SetLightCounts();
        boundLightSet = -1;
    }
}

void sRendererSystem::ApplySpriteState(const DrawState& state, RendererUniforms& to)
{
    // The vertices are in world units already.
    static const Matrix3 identity;
    to.SetInt(Uniform::Type, state.type);
    to.SetInt(Uniform::BindToCam, state.bindToCamera);
    to.SetFloat(Uniform::Opacity, state.opacity);
    to.SetFloat(Uniform::BaseLighting, state.lightingFactor);
    to.SetInt(Uniform::IgnoreLighting, state.ignoreLighting);
    to.SetFloat(Uniform::Depth, state.depth);
    to.SetVec3(Uniform::Tint, state.tint);
    to.SetMat3(Uniform::VaoToWorld, identity.m);
    to.SetVec3(Uniform::Color, 0.0f, 0.0f, 0.0f);
    to.SetFloat(Uniform::TextureLoaded, 1.0f);
    to.SetFloat(Uniform::Animation, state.animation);
    if (state.animation > 0.5f)
    {
        to.SetInt(Uniform::Index, state.frameIndex);
        to.SetVec3(Uniform::SpriteSheetData, state.sheet);
    }
    to.SetInt(Uniform::TileEnabled, state.tileEnabled);
    if (state.tileEnabled != 0)
        to.SetVec2(Uniform::TileSize, state.tileSize[0], state.tileSize[1]);
}

void sRendererSystem::ApplyTextState(const DrawState& state, RendererUniforms& to)
{
    to.SetInt(Uniform::Type, state.type);
    to.SetFloat(Uniform::Depth, state.depth);
    to.SetVec3(Uniform::TextColor, state.textColour);
    to.SetInt(Uniform::FontType, state.fontType);
}

void sRendererSystem::PlayCameraShake(Coordinator& coordinator)
{
    Transform* view = CameraTransform(coordinator);
    Vector2 textOffset;
    if (shakeElapsed < shakeDuration)
    {
        const float left = shakeDuration - shakeElapsed;
        const float r1 = static_cast<float>(GameRandom());
        const float r2 = static_cast<float>(GameRandom());
        const float r3 = static_cast<float>(GameRandom());
        const float x = shakeOrigin.x + left * (r1 / ShakeHalfRange - 1.0f) * shakeMagnitude;
        const float y = shakeOrigin.y + left * (r2 / ShakeHalfRange - 1.0f) * shakeMagnitude;
        if (view != nullptr)
        {
            view->previousPosition = view->position;
            view->position = {x, y};
            view->rotation = std::clamp(r3 / ShakeRotationDivisor * shakeRotation, 0.0f, FullTurn);
        }
        textOffset = {10.0f * (x - shakeOrigin.x), 10.0f * (y - shakeOrigin.y)};
        shakeElapsed += coordinator.DeltaTime;
    }
    else if (shakeElapsed != 0.0f && shakeDuration != 0.0f)
    {
        // The shake has just ended: the camera goes back where it started.
        if (view != nullptr)
        {
            view->previousPosition = view->position;
            view->position = shakeOrigin;
            view->rotation = 0.0f;
        }
        shakeElapsed = 0.0f;
        shakeDuration = 0.0f;
    }
    else if (view != nullptr)
    {
        // At rest the camera never turns.
        view->rotation = 0.0f;
    }
    if (sFontSystem* fonts = FindFontSystem(coordinator))
        fonts->textOffset = textOffset;
}
