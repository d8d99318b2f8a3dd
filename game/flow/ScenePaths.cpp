#include "game/flow/ScenePaths.h"

#include "engine/core/Coordinator.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/bTransitionScreen.h"

void GoToScene(Coordinator& coordinator, const std::string& path)
{
    const std::set<Entity> transitions =
        coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "TRANSITION");
    if (!transitions.empty())
    {
        if (const auto screen = coordinator.GetBehaviourAs<bTransitionScreen>(*transitions.begin()))
        {
            screen->Begin(coordinator, bTransitionScreen::DoorsClosing, path);
            return;
        }
    }
    coordinator.PendingScene = path;
}
