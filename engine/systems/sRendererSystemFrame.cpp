#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameRandom.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/WindowState.h"
#include "engine/systems/CameraMatrices.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/TextLayout.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <GL/glew.h>

#include <algorithm>

// The renderer's frame: camera, queue, lights, sprites, text and the camera shake.

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
        return;
    BeginFrame();
    SetUpCamera(coordinator);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    maxLayer = 0.0f;
    for (InstanceBatch& batch : batches)
        batch.drawn = false;
    BuildDrawQueue(coordinator);
    SortDrawQueue(drawQueue);
    UploadVisibleLights(coordinator);

    uniforms.SetMat3(Uniform::CamMtxWorldToNDC, coordinator.WorldViewProjection.m);
    uniforms.SetMat3(Uniform::CamUIMtxWorldToNDC, coordinator.ScreenViewProjection.m);
    if (const sFontSystem* fonts = FindFontSystem(coordinator))
    {
        uniforms.SetMat4(Uniform::ScreenProjection, fonts->screenProjection);
        uniforms.SetMat4(Uniform::WorldProjection, fonts->worldProjection);
    }
    DrawQueued(coordinator);
    PlayCameraShake(coordinator);
}

void sRendererSystem::BeginFrame()
{
    // Anything may have touched the GL state since the last frame; the caches start afresh.
    if (uniforms.Program() != 0)
        glUseProgram(uniforms.Program());
    uniforms.Forget();
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

void sRendererSystem::DrawQueued(Coordinator& coordinator)
{
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
        if (DrawEntity(coordinator, renderer, entry.entity))
            DrawDueBatches(coordinator);
    }
}

bool sRendererSystem::DrawEntity(Coordinator& coordinator, Renderer& renderer, Entity entity)
{
    if (renderer.renderKind == 2)
    {
        uniforms.SetInt(Uniform::Type, TypeText);
        DrawText(coordinator, renderer, entity);
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
    uniforms.SetInt(Uniform::Type, renderer.renderKind == 1 ? TypeInterface : TypeWorld);
    DrawSprite(coordinator, renderer, entity, *transform, bound);
    return true;
}

void sRendererSystem::DrawSprite(Coordinator& coordinator, Renderer& renderer, Entity entity,
                                 const Transform& transform, bool boundToCamera)
{
    uniforms.SetInt(Uniform::BindToCam, boundToCamera ? 1 : 0);
    uniforms.SetFloat(Uniform::Opacity, renderer.opacity);
    uniforms.SetFloat(Uniform::BaseLighting, renderer.lightingFactor);
    uniforms.SetInt(Uniform::IgnoreLighting, renderer.ignoreLighting ? 1 : 0);
    uniforms.SetFloat(Uniform::Depth, renderer.layer);
    uniforms.SetVec3(Uniform::Tint, renderer.tint);
    Matrix3 toWorld = transform.modelMatrix;
    for (int row = 0; row < 3; ++row)
    {
        toWorld.m[row] *= renderer.scaleX;
        toWorld.m[3 + row] *= renderer.scaleY;
    }
    uniforms.SetMat3(Uniform::VaoToWorld, toWorld.m);

    if (renderer.textureName.empty())
        return;
    // Scene data is checked when read; a mesh id set later by code is still not trusted.
    if (renderer.modelID < 0 || static_cast<std::size_t>(renderer.modelID) >= meshes.size())
        return;
    const MeshRecord& mesh = meshes[static_cast<std::size_t>(renderer.modelID)];
    bool animationFrame = false;
    const std::uint32_t texture = SpriteTexture(coordinator, renderer, entity, animationFrame);
    if (texture == 0)
        return;

    BindVertexArray(mesh.vertexArray);
    uniforms.SetVec3(Uniform::Color, 0.0f, 0.0f, 0.0f);
    uniforms.SetFloat(Uniform::TextureLoaded, 1.0f);
    uniforms.SetFloat(Uniform::Animation, animationFrame ? 1.0f : 0.0f);
    uniforms.SetInt(Uniform::TileEnabled, renderer.tileMode ? 1 : 0);
    if (renderer.tileMode)
        uniforms.SetVec2(Uniform::TileSize, renderer.tileSizeX, renderer.tileSizeY);
    BindTexture(texture);
    BindSampler(renderer.tileMode);

    const unsigned int count = FillIndexCount(mesh.indexCount, renderer.fillPercent);
    if (count == 0)
        return;
    if (mesh.primitive == GL_TRIANGLES)
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT, nullptr);
    else if (mesh.primitive == GL_TRIANGLE_FAN)
        glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(count));
}

std::uint32_t sRendererSystem::SpriteTexture(Coordinator& coordinator, Renderer& renderer, Entity entity,
                                             bool& animationFrame)
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
                    uniforms.SetInt(Uniform::Index, animation->frameIndex);
                    uniforms.SetVec3(Uniform::SpriteSheetData, frame.width / sheet->data.ssWidth,
                                     frame.height / sheet->data.ssHeight, sheet->data.ssWidth / frame.width);
                    animationFrame = true;
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

void sRendererSystem::DrawText(Coordinator& coordinator, const Renderer& renderer, Entity entity)
{
    const Font* font = coordinator.GetComponent<Font>(entity);
    if (font == nullptr)
        return;
    const FontInfo& face = coordinator.ResourceManager.GetFont(font->type);
    uniforms.SetFloat(Uniform::Depth, renderer.layer);
    uniforms.SetVec3(Uniform::TextColor, font->color);
    uniforms.SetInt(Uniform::FontType, TextBoundToCamera(coordinator, entity) ? 1 : 0);

    const Vector2 origin = TextOrigin(*font, camera, static_cast<float>(WindowState::width),
                                      static_cast<float>(WindowState::height));
    Vector2 pen;
    textVertices.clear();
    textGlyphTextures.clear();
    float quad[24];
    for (char character : font->message)
    {
        const auto found = face.glyphs.find(character);
        // A character the font has no glyph for is left out.
        if (found == face.glyphs.end())
            continue;
        const Glyph& glyph = found->second;
        GlyphQuad(glyph, origin, pen, font->xScale, font->yScale, quad);
        textVertices.insert(textVertices.end(), std::begin(quad), std::end(quad));
        textGlyphTextures.push_back(glyph.texture);
        AdvancePen(glyph, *font, pen);
    }
    if (textGlyphTextures.empty())
        return;

    glNamedBufferData(textVertexBuffer, static_cast<GLsizeiptr>(textVertices.size() * sizeof(float)),
                      textVertices.data(), GL_STREAM_DRAW);
    BindVertexArray(textVertexArray);
    BindSampler(false);
    for (std::size_t i = 0; i < textGlyphTextures.size(); ++i)
    {
        BindTexture(textGlyphTextures[i]);
        glDrawArrays(GL_TRIANGLES, static_cast<GLint>(i * 6), 6);
    }
}

void sRendererSystem::DrawDueBatches(Coordinator& coordinator)
{
    for (std::size_t i = 0; i < batches.size(); ++i)
    {
        if (!batches[i].drawn && maxLayer >= batches[i].depth)
        {
            DrawInstanceBatch(coordinator, i);
            batches[i].drawn = true;
        }
    }
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
