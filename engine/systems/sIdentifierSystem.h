#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/sSystemBase.h"

#include <set>
#include <string>
#include <utility>

// Entity lookup by name and tag over the entities joined to this system (an entity with an
// Identifier that is not a member is invisible here). Its frame pass does nothing.
class sIdentifierSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sIdentifierSystem";

    void Update(Coordinator&) override {}

    // The first member, in ascending id order, named exactly name; {false, 0} when none.
    std::pair<bool, Entity> FindEntityByName(Coordinator& coordinator, const std::string& name) const;
    // Every member carrying the tag exactly, ascending.
    std::set<Entity> FindEntitiesWithTag(Coordinator& coordinator, const std::string& tag) const;
    // Renames duplicate names: the lowest id keeps a contested name; the others get the name's
    // base with the first free number from its trailing number on (1 without one). Names
    // numbered above 1000 keep their name.
    void MakeNamesUnique(Coordinator& coordinator);
};
