#pragma once
#include "support/content/ContentCheck.h"

// The front end's demands on the data, each finding naming the file, the entity and the reason:
// - the "Camera" is the first entity of a scene (its behaviour starts first, and the transition
//   screen restores the view it saved), and one entity of a scene has that name;
// - a scene holds at most one transition screen, tagged "TRANSITION", and nothing else carries
//   that tag; its doors ("ScreenLeftDoor", "ScreenRightDoor") exist as prefabs and draw above
//   every other element (the cursor aside);
// - a menu scene (the logo, main menu, level select, cutscenes, credits) holds no level rules;
// - every scene a button, a logo or an image effect leads to is a scene file (matched as the
//   engine matches paths, without regard to case), the level files aside, which come with the
//   levels;
// - the level select's arrow, buttons and overlays are there once each; the arrow is a world
//   image placed after it by the level select's entity; each button has the collider the arrow
//   is placed by;
// - a slider knob binds to the camera, starts hidden, sits at its track's start in the file
//   (its collider is placed there once and then moved with the knob), has a track of some
//   width and, when it names a fill, a camera-bound image; plus, minus and reset buttons name
//   slider knobs only (plus and minus at least one);
// - a cutscene's sound follows texts: its "ATRIG" entities are texts, as many as its form needs;
//   every image of a cutscene runs an effect with a length (a click in a cutscene hides the
//   others), and every text hands over to an entity of the scene.
void AddFrontEndRules(ContentCheck& check);
