#include "game/flow/TextFlash.h"

Entity& FlashOwner()
{
    static Entity owner = NO_ENTITY;
    return owner;
}

float& FlashClock()
{
    static float clock = 0.0f;
    return clock;
}

bool& FlashPhase()
{
    static bool phase = false;
    return phase;
}

void ResetTextFlash()
{
    FlashOwner() = NO_ENTITY;
    FlashClock() = 0.0f;
    FlashPhase() = false;
}
