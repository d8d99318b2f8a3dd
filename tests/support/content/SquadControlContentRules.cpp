#include "support/content/SquadControlContentRules.h"
#include "support/content/EngineContentRules.h"

#include "game/flow/bImageBehaviour.h"
#include "game/squad/bGameController.h"

#include <string>

namespace
{
// Markers whose display ends by itself.
void SelfHidingMarkersRule(ContentReport& report)
{
    for (const char* name : {"SelectionMovement", "Dir_ArrowBody", "Dir_ArrowHead"})
    {
        const DataEntity* prefab = report.Data().FindPrefab(name);
        const auto image = prefab == nullptr ? nullptr : prefab->Behaviour<bImageBehaviour>();
        if (image != nullptr && !(image->ShowTimer > 0.0f))
            report.Fault(*prefab, "Behaviour ShowTimer is not above 0: the squad controller shows this marker "
                                  "but never hides it");
    }
}

void OneControllerPerSquadRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        bool soldiers = false;
        int controllers = 0;
        for (const DataEntity& entity : scene->entities)
        {
            soldiers = soldiers || entity.HasTag("PLAYER");
            if (entity.Behaviour<bGameController>() != nullptr)
                ++controllers;
        }
        if (soldiers && controllers != 1)
            report.Fault(scene->label, "has soldiers (tag \"PLAYER\") and " + std::to_string(controllers) +
                                           " bGameController entities; it needs exactly one to command them");
    }
}
} // namespace

void AddSquadControlRules(ContentCheck& check)
{
    const std::string spawner = "bGameController";
    RequirePrefab(check, {"SelectionMarker", spawner, {"Transform", "Renderer"}, "", "", ""});
    RequirePrefab(check, {"selectionArea", spawner, {"Transform", "Renderer"}, "", "", ""});
    for (const char* shown : {"SelectionMovement", "Dir_ArrowBody", "Dir_ArrowHead", "Throw_Trajectory", "AOE_Indicator"})
        RequirePrefab(check, {shown, spawner, {"Transform", "Renderer"}, "bImageBehaviour", "", ""});
    check.AddDataRule(SelfHidingMarkersRule);
    check.AddDataRule(OneControllerPerSquadRule);
}
