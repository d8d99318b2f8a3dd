#pragma once
#include "engine/components/Vector2.h"

// Where the transition doors stand, worked out when a door motion begins and used while it runs
// (one set for the process). k is the view height over 1080.
struct DoorGeometry
{
    float scale = 0.0f; // k
    float centreY = 0.0f;
    float closedLeftX = 0.0f;
    float closedRightX = 0.0f;
    float travel = 0.0f;
    float openLeftX = 0.0f;
    float openRightX = 0.0f;
};

DoorGeometry& TransitionDoorGeometry();

// The doors for a view of this height centred on the camera: closed, they meet at the camera;
// open, each has slid one door width (and a little more) out of the view.
DoorGeometry DoorGeometryFor(Vector2 camera, float viewHeight);

// All zero (for tests).
void ResetTransitionDoorGeometry();
