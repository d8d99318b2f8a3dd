#include "engine/components/Animation.h"
#include "engine/components/Font.h"
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
#include "engine/systems/ShaderVariant.h"
#include "engine/systems/TextLayout.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <limits>
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

// Whether the viewport is the whole of the framebuffer drawn into, so that a clear paints no
// pixel a draw could not.
bool ViewportFillsTarget()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    GLint width = 0;
    GLint height = 0;
    if (framebuffer == 0)
    {
        if (WindowState::window == nullptr)
            return false;
        glfwGetFramebufferSize(WindowState::window, &width, &height);
    }
    else
    {
        GLint type = GL_NONE;
        GLint name = 0;
        const GLuint target = static_cast<GLuint>(framebuffer);
        glGetNamedFramebufferAttachmentParameteriv(target, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
        glGetNamedFramebufferAttachmentParameteriv(target, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        if (type == GL_RENDERBUFFER)
        {
            glGetNamedRenderbufferParameteriv(static_cast<GLuint>(name), GL_RENDERBUFFER_WIDTH, &width);
            glGetNamedRenderbufferParameteriv(static_cast<GLuint>(name), GL_RENDERBUFFER_HEIGHT, &height);
        }
        else if (type == GL_TEXTURE)
        {
            glGetTextureLevelParameteriv(static_cast<GLuint>(name), 0, GL_TEXTURE_WIDTH, &width);
            glGetTextureLevelParameteriv(static_cast<GLuint>(name), 0, GL_TEXTURE_HEIGHT, &height);
        }
    }
    return viewport[0] == 0 && viewport[1] == 0 && viewport[2] == width && viewport[3] == height && width > 0;
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
        return;
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
    if (depthTested)
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    else
    {
        glDisable(GL_DEPTH_TEST);
        if (ClearWithFirstRun(coordinator))
            runs.front().count = 0;
        glClear(GL_COLOR_BUFFER_BIT);
    }
    SubmitRuns(coordinator);
    PlayCameraShake(coordinator);
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
    ApplyFixedState();
    glActiveTexture(GL_TEXTURE0);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 5, ambientLightBuffer);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 6, spotLightBuffer);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 7, wallBuffer);
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
    for (Entity entity : entities)
    {
        Renderer* renderer = renderers.Find(entity);
        if (renderer == nullptr)
            continue;
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
    // A large draw of a fully opaque picture at full opacity covers what lies below exactly as
    // its blend would: it is drawn without one. (Small draws are not worth looking at.)
    const bool large = CoversMuchOfTheScreen(toWorld, renderer.modelID, boundToCamera, coordinator.ViewHeight);
    state.blend = drawPlainly || !(renderer.opacity == 1.0f && large && TextureOpaque(state.texture));
    const MeshGeometry& mesh = geometry[static_cast<std::size_t>(renderer.modelID)];
    const int first = static_cast<int>(frameVertices.size() / 4);
    const int count = AppendMeshTriangles(mesh, FillIndexCount(static_cast<int>(mesh.indices.size()), renderer.fillPercent),
                                          toWorld, uv, frameVertices);
    if (state.Lit() && count > 0 && !drawPlainly)
        QueueLitSprite(state, first, count, large,
                       boundToCamera ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection);
    else
        AddRun(DrawRun::Sprites, state, first, count);
}

void sRendererSystem::QueueLitSprite(const DrawState& base, int first, int count, bool large, const Matrix3& toDevice)
{
    // The sprite's extent in the space of its vertices, where the shader finds each fragment.
    LightSets::Region extent{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                             std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (int v = first; v < first + count; ++v)
    {
        const float x = frameVertices[static_cast<std::size_t>(4 * v)];
        const float y = frameVertices[static_cast<std::size_t>(4 * v + 1)];
        extent = {std::min(extent.minX, x), std::min(extent.minY, y), std::max(extent.maxX, x), std::max(extent.maxY, y)};
    }
    DrawState state = base;
    const float a = toDevice.m[0];
    const float b = toDevice.m[1];
    const float c = toDevice.m[3];
    const float d = toDevice.m[4];
    const float determinant = a * d - b * c;
    const bool finite = std::isfinite(extent.minX) && std::isfinite(extent.minY) && std::isfinite(extent.maxX) &&
                        std::isfinite(extent.maxY);
    if (!large || !finite || determinant == 0.0f || !std::isfinite(determinant) || viewport[2] <= 0 || viewport[3] <= 0)
    {
        state.lightSet = finite ? lightSets.SetFor(extent) : -1;
        AddRun(DrawRun::Sprites, state, first, count);
        return;
    }
    // A large sprite is drawn tile by tile over the screen, each tile (a scissor) with the set of
    // the part of the sprite under it. Every pixel is still drawn once, from the same triangles.
    auto toScreen = [&](float x, float y, float& px, float& py) {
        const float nx = a * x + c * y + toDevice.m[6];
        const float ny = b * x + d * y + toDevice.m[7];
        px = static_cast<float>(viewport[0]) + (nx + 1.0f) * 0.5f * static_cast<float>(viewport[2]);
        py = static_cast<float>(viewport[1]) + (ny + 1.0f) * 0.5f * static_cast<float>(viewport[3]);
    };
    auto toSpace = [&](float px, float py, float& x, float& y) {
        const float nx = (px - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) * 2.0f - 1.0f - toDevice.m[6];
        const float ny = (py - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) * 2.0f - 1.0f - toDevice.m[7];
        x = (d * nx - c * ny) / determinant;
        y = (-b * nx + a * ny) / determinant;
    };
    float left = std::numeric_limits<float>::max();
    float bottom = left;
    float right = std::numeric_limits<float>::lowest();
    float top = right;
    for (int v = first; v < first + count; ++v)
    {
        float px = 0.0f;
        float py = 0.0f;
        toScreen(frameVertices[static_cast<std::size_t>(4 * v)], frameVertices[static_cast<std::size_t>(4 * v + 1)], px, py);
        left = std::min(left, px);
        bottom = std::min(bottom, py);
        right = std::max(right, px);
        top = std::max(top, py);
    }
    const int x0 = std::max(viewport[0], static_cast<int>(std::floor(left)) - 1);
    const int y0 = std::max(viewport[1], static_cast<int>(std::floor(bottom)) - 1);
    const int x1 = std::min(viewport[0] + viewport[2], static_cast<int>(std::ceil(right)) + 1);
    const int y1 = std::min(viewport[1] + viewport[3], static_cast<int>(std::ceil(top)) + 1);
    constexpr int TilePixels = 128;
    for (int ty = y0; ty < y1; ty += TilePixels)
        for (int tx = x0; tx < x1; tx += TilePixels)
        {
            const int tw = std::min(TilePixels, x1 - tx);
            const int th = std::min(TilePixels, y1 - ty);
            // The tile's corners back in the sprite's space, and their box within the sprite's.
            LightSets::Region tile{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                                   std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
            for (const auto& corner : {std::pair{tx, ty}, std::pair{tx + tw, ty}, std::pair{tx, ty + th},
                                       std::pair{tx + tw, ty + th}})
            {
                float x = 0.0f;
                float y = 0.0f;
                toSpace(static_cast<float>(corner.first), static_cast<float>(corner.second), x, y);
                tile = {std::min(tile.minX, x), std::min(tile.minY, y), std::max(tile.maxX, x), std::max(tile.maxY, y)};
            }
            tile = {std::max(tile.minX, extent.minX), std::max(tile.minY, extent.minY), std::min(tile.maxX, extent.maxX),
                    std::min(tile.maxY, extent.maxY)};
            if (tile.minX > tile.maxX || tile.minY > tile.maxY)
                continue;
            state.lightSet = lightSets.SetFor(tile);
            DrawRun run;
            run.kind = DrawRun::Sprites;
            run.state = state;
            run.first = first;
            run.count = count;
            run.scissored = true;
            run.scissor[0] = tx;
            run.scissor[1] = ty;
            run.scissor[2] = tw;
            run.scissor[3] = th;
            runs.push_back(run);
        }
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
        return own == resources.Textures().end() ? 0 : own->second.texture;
    }
    if (renderer.textureName != lastTextureName)
    {
        lastTexture = resources.GetTexture(renderer.textureName).texture;
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
        // A run the clear has painted already.
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
    }
    if (scissoring)
        glDisable(GL_SCISSOR_TEST);
    // The whole frame's lights at their bindings again, as anything drawing after the frame
    // expects them.
    if (boundLightSet >= 0)
    {
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 5, ambientLightBuffer);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 6, spotLightBuffer);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 7, wallBuffer);
        SetLightCounts();
        boundLightSet = -1;
    }
}

void sRendererSystem::BindLightSet(int id)
{
    if (id == boundLightSet)
        return;
    lightSets.Bind(id);
    boundLightSet = id;
}

void sRendererSystem::SetLightCountsOn(const DrawState& state)
{
    // The counts of the set bound for the draw, or of the whole frame's lights.
    RendererUniforms& to = *currentUniforms;
    float ambient = static_cast<float>(ambientCount);
    float spot = static_cast<float>(spotCount);
    float walls = static_cast<float>(wallCount);
    if (state.lightSet >= 0)
    {
        const LightSets::Set& set = lightSets[state.lightSet];
        ambient = static_cast<float>(set.ambientCount);
        spot = static_cast<float>(set.spotCount);
        walls = static_cast<float>(set.wallCount);
    }
    to.SetFloat(Uniform::NumAmbientLights, ambient);
    to.SetFloat(Uniform::NumDirectionalLights, spot);
    to.SetFloat(Uniform::NumWallSegments, walls);
}

RendererUniforms& sRendererSystem::UseProgramFor(DrawRun::Kind kind, const DrawState& state)
{
    if (drawPlainly)
    {
        UseProgram(uniforms);
        return uniforms;
    }
    int key = VariantText;
    if (kind != DrawRun::Text)
    {
        int light = 0;
        if (state.Lit())
        {
            int ambient = ambientCount;
            int spot = spotCount;
            int walls = wallCount;
            if (state.lightSet >= 0)
            {
                const LightSets::Set& set = lightSets[state.lightSet];
                ambient = set.ambientCount;
                spot = set.spotCount;
                walls = set.wallCount;
            }
            // Without a light there is nothing for walls to block.
            light = 1 + (ambient > 0 ? 1 : 0) + (spot > 0 ? 2 : 0);
            if (light != 1 && walls > 0)
                light += 4;
        }
        key = 2 * light + (state.animation > 0.5f ? 1 : 0);
    }
    RendererUniforms& chosen = Variant(key);
    UseProgram(chosen);
    return chosen;
}

RendererUniforms& sRendererSystem::Variant(int key)
{
    ProgramVariant& variant = variants[static_cast<std::size_t>(key)];
    if (!variant.tried && frameCoordinator != nullptr && uniforms.Program() != 0)
    {
        variant.tried = true;
        std::string definitions;
        if (key == VariantText)
            definitions = "#define NO_SPRITES\n#define NO_LIGHTS";
        else
        {
            // Sprite runs always have their texture.
            definitions = "#define NO_TEXT\n#define NO_UNTEXTURED";
            if (key % 2 == 0)
                definitions += "\n#define NO_FRAMES";
            const int light = key / 2;
            if (light == 0)
                definitions += "\n#define NO_LIGHTS";
            else
            {
                const int lit = light - 1;
                if ((lit & 1) == 0)
                    definitions += "\n#define NO_AMBIENT";
                if ((lit & 2) == 0)
                    definitions += "\n#define NO_SPOTS";
                if ((lit & 4) == 0)
                    definitions += "\n#define NO_WALLS";
            }
        }
        variant.program = BuildShaderVariant(frameCoordinator->ResourceManager, "All", definitions);
        variant.uniforms.Locate(variant.program.linked ? variant.program.handle : 0);
    }
    if (variant.uniforms.Program() == 0)
        return uniforms;
    if (variant.frame != frameNumber && frameCoordinator != nullptr)
    {
        // The camera of this frame, as "All" has it.
        variant.frame = frameNumber;
        Coordinator& coordinator = *frameCoordinator;
        variant.uniforms.SetMat3(Uniform::CamMtxWorldToNDC, coordinator.WorldViewProjection.m);
        variant.uniforms.SetMat3(Uniform::CamUIMtxWorldToNDC, coordinator.ScreenViewProjection.m);
        if (const sFontSystem* fonts = FindFontSystem(coordinator))
        {
            variant.uniforms.SetMat4(Uniform::ScreenProjection, fonts->screenProjection);
            variant.uniforms.SetMat4(Uniform::WorldProjection, fonts->worldProjection);
        }
    }
    return variant.uniforms;
}

void sRendererSystem::UseProgram(RendererUniforms& chosen)
{
    currentUniforms = &chosen;
    if (chosen.Program() == usedProgram || chosen.Program() == 0)
        return;
    glUseProgram(chosen.Program());
    usedProgram = chosen.Program();
}

void sRendererSystem::SetBlending(bool on)
{
    if (on == blending)
        return;
    if (on)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    blending = on;
}

bool sRendererSystem::CoversMuchOfTheScreen(const Matrix3& toWorld, int modelID, bool boundToCamera,
                                            float viewHeight) const
{
    // Only the two-triangle square is worth it: its area is four units of its mesh.
    if (modelID != 1)
        return false;
    const float meshArea = 4.0f * std::abs(toWorld.m[0] * toWorld.m[4] - toWorld.m[1] * toWorld.m[3]);
    const float visibleHeight = boundToCamera ? ReferenceViewHeight : viewHeight;
    const float visibleArea = visibleHeight * visibleHeight * (static_cast<float>(WindowState::width) /
                                                               static_cast<float>(std::max(WindowState::height, 1)));
    return meshArea >= 0.25f * visibleArea;
}

bool sRendererSystem::TextureOpaque(std::uint32_t texture)
{
    return OpacityOf(texture).opaque;
}

const sRendererSystem::TextureOpacity& sRendererSystem::OpacityOf(std::uint32_t texture)
{
    GLint width = 0;
    GLint height = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_HEIGHT, &height);
    TextureOpacity& known = textureOpacity[texture];
    if (known.width == width && known.height == height)
        return known;
    known = TextureOpacity{};
    known.width = width;
    known.height = height;
    if (width <= 0 || height <= 0)
        return known;
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glGetTextureImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(texels.size()), texels.data());
    known.opaque = true;
    known.solid = true;
    for (std::size_t i = 0; i < texels.size(); i += 4)
    {
        known.opaque = known.opaque && texels[i + 3] == 255;
        known.solid = known.solid && std::equal(texels.begin() + static_cast<std::ptrdiff_t>(i),
                                                texels.begin() + static_cast<std::ptrdiff_t>(i + 4), texels.begin());
        if (!known.opaque)
            break;
    }
    known.solid = known.solid && known.opaque;
    std::copy(texels.begin(), texels.begin() + 4, known.colour);
    return known;
}

bool sRendererSystem::ClearWithFirstRun(Coordinator& coordinator)
{
    // Only an untinted, unlit, opaque picture of one colour, drawn first as one quad without the
    // depth test, paints every pixel it covers that colour exactly; if it covers the screen, the
    // clear can paint it instead.
    if (depthTested || runs.empty())
        return false;
    const DrawRun& first = runs.front();
    const DrawState& state = first.state;
    if (first.kind != DrawRun::Sprites || first.count != 6 || state.blend || state.Lit() ||
        state.tint[0] != 1.0f || state.tint[1] != 1.0f || state.tint[2] != 1.0f || state.opacity != 1.0f)
        return false;
    const TextureOpacity& picture = OpacityOf(state.texture);
    if (!picture.solid || !ViewportFillsTarget())
        return false;
    // The quad in device coordinates must hold the whole of -1 to 1 (and so every pixel centre).
    const Matrix3& toDevice = state.bindToCamera != 0 ? coordinator.ScreenViewProjection : coordinator.WorldViewProjection;
    Vector2 corners[6];
    for (int v = 0; v < 6; ++v)
    {
        const float* vertex = &frameVertices[static_cast<std::size_t>(4 * (first.first + v))];
        corners[v] = {toDevice.m[0] * vertex[0] + toDevice.m[3] * vertex[1] + toDevice.m[6],
                      toDevice.m[1] * vertex[0] + toDevice.m[4] * vertex[1] + toDevice.m[7]};
    }
    auto insideTriangle = [](const Vector2* t, float x, float y) {
        auto side = [&](const Vector2& a, const Vector2& b) { return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x); };
        const float s0 = side(t[0], t[1]);
        const float s1 = side(t[1], t[2]);
        const float s2 = side(t[2], t[0]);
        return (s0 > 0.0f && s1 > 0.0f && s2 > 0.0f) || (s0 < 0.0f && s1 < 0.0f && s2 < 0.0f);
    };
    // Each screen corner (a little beyond it) inside one of the two triangles, and the screen's
    // centre and edge middles too, so that the quad is not two triangles meeting off screen.
    const float reach = 1.001f;
    const float probes[][2] = {{-reach, -reach}, {reach, -reach}, {reach, reach}, {-reach, reach}, {0.0f, 0.0f},
                               {0.0f, -reach},   {reach, 0.0f},   {0.0f, reach},  {-reach, 0.0f}};
    for (const auto& probe : probes)
        if (!insideTriangle(corners, probe[0], probe[1]) && !insideTriangle(corners + 3, probe[0], probe[1]))
            return false;
    glClearColor(picture.colour[0] / 255.0f, picture.colour[1] / 255.0f, picture.colour[2] / 255.0f,
                 picture.colour[3] / 255.0f);
    return true;
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
