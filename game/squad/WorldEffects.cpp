#include "game/squad/WorldEffects.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/sRendererSystem.h"
#include "game/squad/EntityPlacement.h"

Entity SpawnPrefabAt(Coordinator& coordinator, const std::string& prefab, Vector2 point)
{
    const Entity entity = InstantiatePrefab(coordinator, prefab);
    PlaceEntityAt(coordinator, entity, point);
    return entity;
}

void StartScreenShake(Coordinator& coordinator)
{
    auto* renderer = dynamic_cast<sRendererSystem*>(coordinator.SystemManager.FindSystemByName(TypeName<sRendererSystem>()));
    if (renderer == nullptr)
        return;
    const Transform* camera = coordinator.GetComponent<Transform>(coordinator.CameraEntity);
    renderer->shakeElapsed = 0.0f;
    renderer->shakeDuration = 1.0f;
    renderer->shakeMagnitude = 1.0f;
    renderer->shakeRotation = 1.0f;
    renderer->shakeOrigin = camera != nullptr ? camera->position : Vector2{};
}
