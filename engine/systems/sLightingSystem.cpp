#include "engine/systems/sLightingSystem.h"
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/TaggedEntities.h"
#include "engine/systems/sIdentifierSystem.h"

#include <algorithm>
#include <cmath>

namespace
{
const std::string SpotLightTag = "SPOTLIGHT";
const std::string AmbientLightTag = "AMBIENTLIGHT";
const std::string WallTag = "WALL";
const std::string DoorTag = "DOOR";

// The entity that the transform names as its parent, by Identifier name.
bool FindParent(Coordinator& coordinator, const Transform& light, Entity& parent)
{
    if (light.parentName.empty())
        return false;
    const auto* names =
        dynamic_cast<const sIdentifierSystem*>(coordinator.SystemManager.FindSystemByName(TypeName<sIdentifierSystem>()));
    if (names == nullptr)
        return false;
    const auto [found, entity] = names->FindEntityByName(coordinator, light.parentName);
    parent = entity;
    return found;
}
}

void sLightingSystem::Update(Coordinator& coordinator)
{
    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    for (Entity light : spotLights)
    {
        Transform* transform = transforms.Find(light);
        Entity parent = NO_ENTITY;
        if (transform == nullptr || !FindParent(coordinator, *transform, parent))
            continue;
        if (const Transform* followed = transforms.Find(parent))
        {
            transform->previousPosition = transform->position;
            transform->position = followed->position;
        }
    }

    cComponentContainer<Lighting>& lights = coordinator.ComponentManager.GetContainer<Lighting>();
    bool expired = false;
    for (Entity light : ambientLights)
    {
        Lighting* lighting = lights.Find(light);
        if (lighting == nullptr)
            continue;
        std::copy(std::begin(lighting->baseIntensity), std::end(lighting->baseIntensity), lighting->intensity);
        if (lighting->lifeSpan == 0.0f)
            continue;
        lighting->age += coordinator.DeltaTime;
        if (lighting->age >= lighting->lifeSpan)
        {
            coordinator.DestroyEntity(light);
            expired = true;
        }
    }
    // The lists are refreshed after the pass, not in the middle of it; they hold the same ids,
    // since an expired light is only queued for destruction.
    if (expired)
        RefreshLightLists(coordinator);

    rebuildTimer += coordinator.DeltaTime;
    if (rebuildTimer >= RebuildInterval)
    {
        rebuildTimer = 0.0f;
        RebuildOccluders(true, coordinator);
    }
}

void sLightingSystem::RebuildOccluders(const bool& clearFirst, Coordinator& coordinator)
{
    if (clearFirst)
        occluders.clear();
    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    cComponentContainer<Renderer>& renderers = coordinator.ComponentManager.GetContainer<Renderer>();
    for (Entity entity : entities)
    {
        if (FirstTagOf(coordinator, entity, WallTag, DoorTag) == 0)
            continue;
        const Transform* transform = transforms.Find(entity);
        const Renderer* renderer = renderers.Find(entity);
        if (transform == nullptr || renderer == nullptr)
            continue;
        const float hx = std::trunc(renderer->scaleX);
        const float hy = std::trunc(renderer->scaleY);
        const float c = std::cos(transform->rotation);
        const float s = std::sin(transform->rotation);
        const float local[4][2] = {{-hx, -hy}, {hx, -hy}, {hx, hy}, {-hx, hy}};
        float corner[4][2];
        for (int i = 0; i < 4; ++i)
        {
            corner[i][0] = local[i][0] * c - local[i][1] * s + transform->position.x;
            corner[i][1] = local[i][0] * s + local[i][1] * c + transform->position.y;
        }
        for (int i = 0; i < 4; ++i)
        {
            const int next = (i + 1) % 4;
            occluders.push_back({corner[i][0], corner[i][1], corner[next][0], corner[next][1]});
        }
    }
    const float cameraX = CameraPosition(coordinator).x;
    std::sort(occluders.begin(), occluders.end(), [cameraX](const WallSegment& a, const WallSegment& b) {
        return std::fabs(a.x0 - cameraX) < std::fabs(b.x0 - cameraX);
    });
}

void sLightingSystem::RefreshLightLists(Coordinator& coordinator)
{
    CollectTaggedEntities(coordinator, SpotLightTag, spotLights);
    CollectTaggedEntities(coordinator, AmbientLightTag, ambientLights);
}
