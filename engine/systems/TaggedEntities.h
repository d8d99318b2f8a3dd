#pragma once
#include "engine/core/EngineTypes.h"

#include <string>
#include <vector>

class Coordinator;

// The members of the identifier system carrying the tag, in ascending id order, written into
// `out` (emptied first). Reuses out's storage, so a refresh every frame allocates nothing once
// the list has grown to its size. Without an identifier system the list is empty.
void CollectTaggedEntities(Coordinator& coordinator, const std::string& tag, std::vector<Entity>& out);

// The first of the entity's tags that equals one of the two (whole and case-sensitive), as 1 or
// 2; 0 when it has neither or no Identifier.
int FirstTagOf(Coordinator& coordinator, Entity entity, const std::string& first, const std::string& second);
