#include "engine/systems/OneShotEffects.h"
#include "engine/components/Animation.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"

namespace
{
const char* PrefabOf(int animationState)
{
    switch (animationState)
    {
    case 7:
        return "OneshotExplosion";
    case 12:
        return "OneshotEnemyDamage";
    case 13:
        return "OneshotEnemyDeath";
    case 15:
        return "OneshotSparks";
    default:
        return nullptr;
    }
}

constexpr int SparksState = 15;
}

Entity SpawnOneShot(const int& animationState, Coordinator& coordinator, Vector2 position)
{
    const char* prefab = PrefabOf(animationState);
    if (prefab == nullptr)
        return NO_ENTITY;
    const int state = animationState;
    const Entity effect = InstantiatePrefab(coordinator, prefab);

    Renderer* renderer = coordinator.GetComponent<Renderer>(effect);
    Vector2 target = position;
    if (state == SparksState && renderer != nullptr)
        target.y += renderer->scaleY * 0.5f;
    if (Transform* transform = coordinator.GetComponent<Transform>(effect))
    {
        transform->previousPosition = transform->position;
        transform->position = target;
    }
    if (Animation* animation = coordinator.GetComponent<Animation>(effect))
    {
        animation->AnimationState = state;
        animation->oneShotSpawned = true;
    }
    if (renderer != nullptr)
        renderer->animated = true;
    return effect;
}
