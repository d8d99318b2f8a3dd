#pragma once
#include "engine/components/Animation.h"
#include "engine/components/ComponentRegistration.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/AssetScan.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sAnimationSystem.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sLightingSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "engine/systems/sTransformSystem.h"

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

// A Coordinator with the eight components and the systems that draw, registered and signed as
// the entry does (identifier, behaviour, sound for the resource manager's audio, transform,
// animation, lighting, font, renderer). Assets are loaded from the working directory's
// Resources folder. The GL context must be current before Load. Header-only, so the benchmarks
// use it too.
struct RenderWorld
{
    Coordinator coordinator;
    sIdentifierSystem* names = nullptr;
    sBehaviourSystem* behaviours = nullptr;
    sTransformSystem* transforms = nullptr;
    sAnimationSystem* animation = nullptr;
    sLightingSystem* lighting = nullptr;
    sFontSystem* fonts = nullptr;
    sRendererSystem* renderer = nullptr;
    Entity camera = NO_ENTITY;

    RenderWorld()
    {
        RegisterComponents(coordinator);
        SystemManager& systems = coordinator.SystemManager;
        ComponentManager& components = coordinator.ComponentManager;
        names = systems.RegisterSystem<sIdentifierSystem>();
        behaviours = systems.RegisterSystem<sBehaviourSystem>();
        transforms = systems.RegisterSystem<sTransformSystem>();
        systems.RegisterSystem<sSoundSystem>();
        animation = systems.RegisterSystem<sAnimationSystem>();
        lighting = systems.RegisterSystem<sLightingSystem>();
        fonts = systems.RegisterSystem<sFontSystem>();
        renderer = systems.RegisterSystem<sRendererSystem>();
        systems.SetSignature<sIdentifierSystem>(components.GetComponentType<Identifier>());
        systems.SetSignature<sTransformSystem>(components.GetComponentType<Transform>());
        systems.SetSignature<sAnimationSystem>(components.GetComponentType<Animation>());
        systems.SetSignature<sLightingSystem>(components.GetComponentType<Transform>());
        systems.SetSignature<sFontSystem>(components.GetComponentType<Font>());
        systems.SetSignature<sRendererSystem>(components.GetComponentType<Renderer>());
        systems.SetSignature<sRendererSystem>(components.GetComponentType<Transform>());
        coordinator.ResolveBehaviourSystem();
        camera = Thing("Camera", {960.0f, 540.0f});
        coordinator.CameraEntity = camera;
    }

    ~RenderWorld()
    {
        if (loaded)
        {
            coordinator.ResourceManager.ReleaseAll();
            renderer->Exit();
        }
    }

    // Scans Resources, loads every stage, and sets the renderer up (after the scene's entities
    // exist, as at start-up).
    void Load()
    {
        ScanAssets(coordinator.ResourceManager);
        coordinator.ResourceManager.InitSoundAndLoad(coordinator);
        coordinator.ResourceManager.LoadStage3(coordinator);
        loaded = true;
        renderer->Init(coordinator);
        Refresh();
    }

    // What a scene swap or a destruction pass does for drawing.
    void Refresh()
    {
        lighting->RebuildOccluders(true, coordinator);
        renderer->RefreshLightsAndBatches(coordinator);
        lighting->RefreshLightLists(coordinator);
    }

    // The drawing systems in their update order.
    void Frame()
    {
        transforms->Update(coordinator);
        animation->Update(coordinator);
        lighting->Update(coordinator);
        fonts->Update(coordinator);
        renderer->Update(coordinator);
    }

    // An entity with a name, tags and a Transform, in the identifier, transform and lighting
    // systems.
    Entity Thing(const std::string& name, Vector2 position, const std::vector<std::string>& tags = {})
    {
        const Entity entity = coordinator.CreateEntity();
        Identifier* identifier = coordinator.AddComponent<Identifier>(entity);
        identifier->name = name;
        identifier->tags = tags;
        Transform* transform = coordinator.AddComponent<Transform>(entity);
        transform->position = position;
        transform->previousPosition = position;
        transform->scale = {1.0f, 1.0f};
        coordinator.AddEntityToSystem<sIdentifierSystem>(entity);
        coordinator.AddEntityToSystem<sTransformSystem>(entity);
        coordinator.AddEntityToSystem<sLightingSystem>(entity);
        return entity;
    }

    // A sprite of half size (halfX, halfY) on the square mesh, drawn by the renderer.
    Entity Sprite(const std::string& texture, Vector2 position, Vector2 half, float layer,
                  const std::vector<std::string>& tags = {})
    {
        const Entity entity = Thing("Sprite", position, tags);
        Renderer* drawn = coordinator.AddComponent<Renderer>(entity);
        drawn->shaderName = "All";
        drawn->modelID = 1;
        drawn->textureName = texture;
        drawn->layer = layer;
        drawn->scaleX = half.x;
        drawn->scaleY = half.y;
        coordinator.AddEntityToSystem<sRendererSystem>(entity);
        return entity;
    }

    // A text entity (tag "TEXT") at a world position in the font face.
    Entity Text(const std::string& message, Vector2 world, float scale, const float (&colour)[3], float layer,
                const std::string& face)
    {
        const Entity entity = Sprite("", {0.0f, 0.0f}, {1.0f, 1.0f}, layer, {"TEXT"});
        Font* font = coordinator.AddComponent<Font>(entity);
        font->message = message;
        font->worldXPos = world.x;
        font->worldYPos = world.y;
        font->xScale = scale;
        font->yScale = scale;
        std::copy(std::begin(colour), std::end(colour), font->color);
        font->layout = "Horizontal";
        font->type = face;
        coordinator.AddEntityToSystem<sFontSystem>(entity);
        return entity;
    }

    // A light tagged "AMBIENTLIGHT" or "SPOTLIGHT".
    Entity Light(const std::string& tag, Vector2 position, float radius, float intensity = 1.0f)
    {
        const Entity entity = Thing("Light", position, {tag});
        Lighting* light = coordinator.AddComponent<Lighting>(entity);
        light->radius = radius;
        for (int i = 0; i < 3; ++i)
            light->intensity[i] = light->baseIntensity[i] = intensity;
        return entity;
    }

    // A wall box (tag "WALL") that is not drawn: its Renderer only gives the box.
    Entity Wall(Vector2 position, Vector2 half)
    {
        const Entity entity = Thing("Wall", position, {"WALL"});
        Renderer* box = coordinator.AddComponent<Renderer>(entity);
        box->scaleX = half.x;
        box->scaleY = half.y;
        return entity;
    }

    Transform& TransformOf(Entity entity) { return *coordinator.GetComponent<Transform>(entity); }
    Renderer& RendererOf(Entity entity) { return *coordinator.GetComponent<Renderer>(entity); }

private:
    bool loaded = false;
};

// A small 16:9 colour and depth target that the renderer draws into instead of the window:
// 320 by 180 pixels, so with the camera at (960, 540) and the reference zoom one pixel covers
// 6 by 6 world units, and world (x, y) falls on pixel (x / 6, y / 6).
struct OffscreenTarget
{
    static constexpr int Width = 320;
    static constexpr int Height = 180;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};

    OffscreenTarget()
    {
        glCreateFramebuffers(1, &framebuffer);
        glCreateRenderbuffers(2, renderbuffers);
        glNamedRenderbufferStorage(renderbuffers[0], GL_RGBA8, Width, Height);
        glNamedRenderbufferStorage(renderbuffers[1], GL_DEPTH_COMPONENT24, Width, Height);
        glNamedFramebufferRenderbuffer(framebuffer, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        Bind();
    }
    ~OffscreenTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(2, renderbuffers);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    bool Complete() const
    {
        return glCheckNamedFramebufferStatus(framebuffer, GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    void Bind() const
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, Width, Height);
    }

    struct Colour
    {
        int r = 0;
        int g = 0;
        int b = 0;
    };
    Colour Pixel(int x, int y) const
    {
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
    // The pixel under a world point when the camera is at (960, 540) at the reference zoom.
    Colour At(float worldX, float worldY) const
    {
        return Pixel(static_cast<int>(worldX / 6.0f), static_cast<int>(worldY / 6.0f));
    }
    // Every pixel, row by row from the bottom, as RGBA.
    std::vector<unsigned char> ReadAll() const
    {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(Width * Height * 4));
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};
