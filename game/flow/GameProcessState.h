#pragma once

// Every process-wide value of the game (published instances, shared soldier and spitter state,
// the door button pool, tutorial progress, the text flash, the transition's door geometry, the
// game's random sequence) back to a fresh program's. For tests, which start many games in one
// process; each new process-wide value of the game adds its reset here.
void ResetGameProcessState();
