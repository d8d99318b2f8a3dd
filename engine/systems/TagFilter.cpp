#include "engine/systems/TagFilter.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"

std::vector<Entity> FilterEntitiesByTag(Coordinator& coordinator, const std::vector<Entity>& entities,
                                        const std::string& tag)
{
    std::vector<Entity> kept;
    for (Entity entity : entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        if (identifier != nullptr && identifier->HasTag(tag))
            kept.push_back(entity);
    }
    return kept;
}
