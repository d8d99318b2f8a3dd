#include "engine/systems/TaggedEntities.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/sIdentifierSystem.h"

void CollectTaggedEntities(Coordinator& coordinator, const std::string& tag, std::vector<Entity>& out)
{
    out.clear();
    const sSystemBase* names = coordinator.SystemManager.FindSystemByName(TypeName<sIdentifierSystem>());
    if (names == nullptr)
        return;
    cComponentContainer<Identifier>& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    for (Entity entity : names->entities)
    {
        const Identifier* identifier = identifiers.Find(entity);
        if (identifier != nullptr && identifier->HasTag(tag))
            out.push_back(entity);
    }
}

int FirstTagOf(Coordinator& coordinator, Entity entity, const std::string& first, const std::string& second)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (identifier == nullptr)
        return 0;
    for (const std::string& tag : identifier->tags)
    {
        if (tag == first)
            return 1;
        if (tag == second)
            return 2;
    }
    return 0;
}
