#include "game/flow/BehaviourRegistration.h"
#include "engine/core/sBehaviourSystem.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bCutsceneAudio.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bHUD.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bLevelSelect.h"
#include "game/flow/bLogoDisplay.h"
#include "game/flow/bOneShot.h"
#include "game/flow/bSmokeEmitter.h"
#include "game/flow/bSmokeFill.h"
#include "game/flow/bTransitionScreen.h"
#include "game/flow/bTutorialLogic.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/bAOEdamage.h"
#include "game/squad/bChargerZombie.h"
#include "game/squad/bExplosives.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bSpitterZombie.h"
#include "game/squad/bTargetableObjects.h"
#include "game/squad/bUniqueGrid.h"
#include "game/squad/bZombieBehaviour.h"

void RegisterBehaviours(sBehaviourSystem& behaviours)
{
    behaviours.RegisterBehaviour<bCameraBehaviour>();
    behaviours.RegisterBehaviour<bUniqueGrid>();
    behaviours.RegisterBehaviour<bTutorialLogic>();
    behaviours.RegisterBehaviour<bLevelSelect>();
    behaviours.RegisterBehaviour<bGameLogic>();
    behaviours.RegisterBehaviour<bGameController>();
    behaviours.RegisterBehaviour<bHUD>();
    behaviours.RegisterBehaviour<bTargetableObjects>();
    behaviours.RegisterBehaviour<bAOEdamage>();
    behaviours.RegisterBehaviour<bDoorBehaviour>();
    behaviours.RegisterBehaviour<bPlayerBehaviour>();
    behaviours.RegisterBehaviour<bExplosives>();
    behaviours.RegisterBehaviour<bUIButtonBehaviour>();
    behaviours.RegisterBehaviour<bFontBehaviour>();
    behaviours.RegisterBehaviour<bImageBehaviour>();
    behaviours.RegisterBehaviour<bZombieBehaviour>();
    behaviours.RegisterBehaviour<bSpitterZombie>();
    behaviours.RegisterBehaviour<bChargerZombie>();
    behaviours.RegisterBehaviour<bOneShot>();
    behaviours.RegisterBehaviour<bLogoDisplay>();
    behaviours.RegisterBehaviour<bTransitionScreen>();
    behaviours.RegisterBehaviour<bSmokeEmitter>();
    behaviours.RegisterBehaviour<bSmokeFill>();
    behaviours.RegisterBehaviour<bCutsceneAudio>();
}
