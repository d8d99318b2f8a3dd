#include "game/flow/GameProcessState.h"

#include "engine/core/GameRandom.h"
#include "game/flow/DoorButtonPool.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/TextFlash.h"
#include "game/flow/TransitionDoorGeometry.h"
#include "game/flow/TutorialProgress.h"
#include "game/squad/SoldierSharedState.h"
#include "game/squad/SpitterSharedState.h"
#include "game/squad/bGameController.h"

void ResetGameProcessState()
{
    ResetPublishedInstances();
    ResetSoldierSharedState();
    ResetSpitterSharedState();
    ResetDoorButtonPool();
    ResetTutorialClearedLocal();
    ResetTextFlash();
    ResetTransitionDoorGeometry();
    ResetGameRandom();
    bGameController::SquadPresent() = false;
}
