#pragma once
#include "engine/core/EngineTypes.h"

#include <string>
#include <vector>

class Coordinator;

// The given entities, in the given order and with repeats kept, whose Identifier carries the
// tag. Works on any list (not only members of the identifier system); an entity without an
// Identifier is left out.
std::vector<Entity> FilterEntitiesByTag(Coordinator& coordinator, const std::vector<Entity>& entities,
                                        const std::string& tag);
