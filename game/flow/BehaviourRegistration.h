#pragma once

class sBehaviourSystem;

// Registers the game's twenty-four behaviour classes with their factories, in the entry's
// order (bCameraBehaviour first, bCutsceneAudio last). Scene files name them without the
// "class " prefix.
void RegisterBehaviours(sBehaviourSystem& behaviours);
