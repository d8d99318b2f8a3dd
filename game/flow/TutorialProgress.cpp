#include "game/flow/TutorialProgress.h"

std::map<int, bool>& TutorialClearedLocal()
{
    static std::map<int, bool> cleared = {{1, false}, {2, false}};
    return cleared;
}

void ResetTutorialClearedLocal()
{
    TutorialClearedLocal() = {{1, false}, {2, false}};
}
