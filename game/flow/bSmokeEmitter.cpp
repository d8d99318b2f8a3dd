#include "game/flow/bSmokeEmitter.h"

#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/GameRandom.h"
#include "engine/platform/PrefabFile.h"
#include "game/flow/ScreenElements.h"

namespace
{
constexpr int PuffCount = 25;
const char* const PuffPrefab = "pSmoke";
// The band the puffs are scattered over, beside the emitter.
constexpr int BandWidth = 2400;
constexpr int BandHeight = 200;
// Per frame, not per second: the drift is a look, not a simulation.
constexpr float DriftPerFrame = 0.5f;
// A fixed world coordinate, not relative to the emitter.
constexpr float WrapX = 2400.0f;
}

void bSmokeEmitter::Awake(Coordinator&)
{
}

void bSmokeEmitter::Start(Coordinator& coordinator)
{
    // Reseeded at every start, so the smoke lands in the same places each time a scene opens.
    SeedGameRandom(0);
    Puffs.assign(PuffCount, NO_ENTITY);
    Vector2 origin;
    PositionOf(coordinator, entity, origin);
    for (Entity& puff : Puffs)
    {
        puff = InstantiatePrefab(coordinator, PuffPrefab);
        const int down = GameRandom();
        const int across = GameRandom();
        if (Transform* transform = coordinator.GetComponent<Transform>(puff))
            MoveByHand(*transform, Offset(origin, static_cast<float>(across % BandWidth),
                                          static_cast<float>(down % BandHeight)));
    }
}

void bSmokeEmitter::Update(Coordinator& coordinator)
{
    Vector2 origin;
    if (!PositionOf(coordinator, entity, origin))
        return;
    for (Entity puff : Puffs)
    {
        Transform* transform = coordinator.GetComponent<Transform>(puff);
        if (transform == nullptr)
            continue;
        MoveByHand(*transform, Offset(transform->position, DriftPerFrame, 0.0f));
        if (transform->position.x > WrapX)
            MoveByHand(*transform, {origin.x, transform->position.y});
    }
}

void bSmokeEmitter::OnSceneUnload(Coordinator&)
{
}

void bSmokeEmitter::Deserialize(const rapidjson::Value&)
{
}

void bSmokeEmitter::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bSmokeEmitter::Inspect()
{
}
