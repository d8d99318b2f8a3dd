#pragma once
#include "support/content/ContentCheck.h"

// The HUD's demands on the data, each finding naming the file, the entity and the reason:
// - every prefab the HUD spawns in a level exists, for soldiers 1 to 4 and every titled level,
//   with what the HUD reads or writes of it: texts (the pop-ups, the five stat texts) carry a
//   bFontBehaviour, the health bar and the fade overlay a bImageBehaviour, portraits and the
//   off-screen icons and marker a Renderer (their sizes set the row and the markers);
// - the pause menu, the confirmations, the how-to-play and settings pages and the end pop-ups
//   start hidden: the HUD never hides them, so one shown at start would stand over the level;
// - the screens and queues those elements name are elements the HUD spawns (a level has no
//   others by those names, so any other name is a dead link);
// - in a scene with both, the level rules come before the HUD (the HUD reads them in its Awake;
//   after it, a level gets only the pop-up texts and never leaves its opening).
void AddHUDRules(ContentCheck& check);
