#pragma once
#include <map>

// Tutorial number -> cleared, for the tutorials 1 and 2. It mirrors the saved progress and
// outlives scenes; {1: false, 2: false} at program start.
std::map<int, bool>& TutorialClearedLocal();

// Back to {1: false, 2: false} (for tests).
void ResetTutorialClearedLocal();
