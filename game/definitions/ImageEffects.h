#pragma once
#include "game/definitions/NameTable.h"

#include <cstdint>

// The effect of an image or button ("ImageFX", "QueueToFX").
enum class ImageEffect : std::int32_t
{
    NoFX = 0,
    Flicker = 1,
    UpAndDown = 2,
    ZoomInAndOut = 3,
    FadeTo = 4,
    FadeUp = 5,
    VerticalSlide = 6,
    FadeToAndOut = 7,
    GoMainMenu = 8,
    GoCredits = 9,
    Delay = 10,
};

// The words for each ImageEffect: one shared table, never changed.
const NameTable<ImageEffect>& ImageEffects();
