#pragma once
#include "engine/core/EngineTypes.h"

// The one flash phase that every flashing text follows. The first flashing text to update while
// there is no owner drives the clock; only the owner gives it back. Never reset by a scene change.

// The text entity that drives the flash clock; NO_ENTITY when none.
Entity& FlashOwner();
// Seconds since the phase last flipped.
float& FlashClock();
// Whether flashing texts show their flash colour now.
bool& FlashPhase();

// No owner, clock 0, phase off (for tests).
void ResetTextFlash();
