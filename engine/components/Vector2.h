#pragma once

// Two 32-bit floats; all other vector arithmetic is written out where it is used.
struct Vector2
{
    float x = 0.0f;
    float y = 0.0f;
};
