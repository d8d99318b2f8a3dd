#pragma once
#include "engine/core/Coordinator.h"

#include <string>

// What must hold of any game world after a test has played in it: no transform or movement holds
// a NaN, and no entity id waits twice in the free-id queue (nor while it is alive). Failures are
// reported through GoogleTest with the entity and the field; `when` names the moment checked.
void ExpectSoundWorld(Coordinator& coordinator, const std::string& when = "after the test");
