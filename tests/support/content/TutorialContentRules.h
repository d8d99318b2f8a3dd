#pragma once
#include "support/content/ContentCheck.h"

// What the tutorial, the doors, smoke, fog and one-shot effects need of the data:
// - the prefabs they spawn exist with what they touch: "Door_Button" and "SkipTutorial_Button"
//   are buttons acting "Breach" and "SkipTutorial", "Circle_Indicator" is drawn and placed,
//   "pSmoke" is placed, "FogEdge" and "FogEdgeV" have a positive length along their edge;
// - the tutorial panels ("Lvl1Tutorial_" ten, "Lvl2Tutorial_" four, in teaching order) are
//   images hidden at first that switch themselves off after a show time;
// - a tutorial names tutorial 1 or 2;
// - a door carries the tag "DOOR" (soldiers and lights find it by it);
// - a one-shot effect has the Animation whose end removes it.
void AddTutorialRules(ContentCheck& check);
