#include "game/squad/SquadControlHelpers.h"
#include "engine/core/Coordinator.h"
#include "engine/core/IBehaviour.h"
#include "engine/platform/sSoundSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"

#include <limits>

Vector2 CursorWorldPoint(const Coordinator& coordinator)
{
    return {static_cast<float>(coordinator.WorldCursor->x), static_cast<float>(coordinator.WorldCursor->y)};
}

Vector2 CursorWindowPoint(const Coordinator& coordinator)
{
    return {static_cast<float>(coordinator.ScreenCursor->x), static_cast<float>(coordinator.ScreenCursor->y)};
}

void SetBehaviourActive(Coordinator& coordinator, Entity entity, bool active)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(entity, behaviour))
        behaviour->active = active;
}

bool IsBehaviourActive(Coordinator& coordinator, Entity entity)
{
    std::shared_ptr<IBehaviour> behaviour;
    return coordinator.GetBehaviour(entity, behaviour) && behaviour->active;
}

void HideByPosition(Coordinator& coordinator, Entity entity)
{
    const float lowest = std::numeric_limits<float>::lowest();
    PlaceEntityAt(coordinator, entity, {lowest, lowest});
}

void PlaySound(Coordinator& coordinator, const std::string& id)
{
    if (sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>())
        sound->PlaySfx(id, coordinator);
}

void AdvanceTutorial(Coordinator& coordinator)
{
    if (bTutorialLogic* tutorial = TutorialLogicInstance())
        tutorial->Advance(coordinator);
}

bool LevelInDeploy()
{
    const bGameLogic* rules = GameLogicInstance();
    return rules != nullptr && rules->CurrentState == GameState::Deploy;
}
