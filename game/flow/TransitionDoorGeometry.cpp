#include "game/flow/TransitionDoorGeometry.h"

DoorGeometry& TransitionDoorGeometry()
{
    static DoorGeometry geometry;
    return geometry;
}

void ResetTransitionDoorGeometry()
{
    TransitionDoorGeometry() = DoorGeometry{};
}
