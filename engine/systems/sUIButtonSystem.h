#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/sSystemBase.h"

#include <cstdint>
#include <map>
#include <vector>

// Finds, once per frame, the one entity under the cursor that reacts to it (a button, a soldier
// or a destructible target: tags "UIBUTTON", "PLAYER", "TARGETABLE") and calls its behaviour's
// OnHover. The highest collider layer wins; among equal layers the first candidate found
// (world-cursor cell in ascending id order, then screen-cursor cell). Candidates come from the
// broadphase grid, not from the system's own members. Nothing is hovered while the squad
// controller has used the mouse this frame.
// Signature: Transform, Identifier, PhysicsCollision.
class sUIButtonSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sUIButtonSystem";

    void Update(Coordinator& coordinator) override;

    // The screen cursor (window pixels, y up) in units of the 1920 by 1080 reference view, the
    // units in which screen-space colliders are placed.
    static Vector2 ScreenCursorInReferenceUnits(const Coordinator& coordinator);

    std::map<std::int32_t, Entity> hits;
    Vector2 testedCursor;
    std::vector<Entity> worldCandidates;
    std::vector<Entity> screenCandidates;

private:
    // Whether the entity takes part and its collider lies under the cursor it is tested with.
    bool IsHit(Coordinator& coordinator, Entity entity, const Vector2& worldCursor, const Vector2& screenCursor);
    // The renderer rebuilds its light and batch lists after a hover may have changed looks.
    void RefreshRendererLists(Coordinator& coordinator);
};
