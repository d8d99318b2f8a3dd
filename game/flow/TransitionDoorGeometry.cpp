#include "game/flow/TransitionDoorGeometry.h"

namespace
{
// At view height 1080 a door is half the 1920-wide view and slides 1060 units, 100 past the
// view's edge, so nothing of it shows while the doors stand open.
constexpr float ReferenceHeight = 1080.0f;
constexpr float ClosedHalfWidth = 480.0f;
constexpr float Travel = 1060.0f;
}

DoorGeometry& TransitionDoorGeometry()
{
    static DoorGeometry geometry;
    return geometry;
}

DoorGeometry DoorGeometryFor(Vector2 camera, float viewHeight)
{
    DoorGeometry doors;
    doors.scale = viewHeight / ReferenceHeight;
    doors.centreY = camera.y;
    doors.closedLeftX = camera.x - ClosedHalfWidth * doors.scale;
    doors.closedRightX = camera.x + ClosedHalfWidth * doors.scale;
    doors.travel = Travel * doors.scale;
    doors.openLeftX = doors.closedLeftX - doors.travel;
    doors.openRightX = doors.closedRightX + doors.travel;
    return doors;
}

void ResetTransitionDoorGeometry()
{
    TransitionDoorGeometry() = DoorGeometry{};
}
