#pragma once
#include "engine/components/Vector2.h"

// One scripted camera move: linear, or sine-eased when Eased is set.
struct CameraMove
{
    float Duration = 0.0f; // seconds
    Vector2 Velocity;      // world units per second (the peak of an eased move)
    float ZoomRate = 0.0f; // view-height units per second; 0 keeps the zoom
    bool Eased = false;
};
