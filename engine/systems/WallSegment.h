#pragma once

// One edge of a wall's or door's box, in world units: the occluders that block light.
struct WallSegment
{
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
};
