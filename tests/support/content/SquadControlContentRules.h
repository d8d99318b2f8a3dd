#pragma once
#include "support/content/ContentCheck.h"

// What the squad controller needs of the data:
// - the markers it spawns ("SelectionMarker", "SelectionMovement", "Dir_ArrowBody",
//   "Dir_ArrowHead", "Throw_Trajectory", "AOE_Indicator", "selectionArea") exist with the
//   Transform and Renderer it places and scales, and those it shows and hides through their
//   behaviour carry a bImageBehaviour;
// - the move markers and the arrow end their own display (a "ShowTimer" above 0): the controller
//   never hides them, so without it a move marker is never freed and the arrow never goes;
// - a scene with soldiers (entities tagged "PLAYER") has exactly one bGameController, or nobody
//   could command them.
void AddSquadControlRules(ContentCheck& check);
