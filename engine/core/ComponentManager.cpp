#include "engine/core/ComponentManager.h"

ComponentType ComponentManager::GetComponentType(const std::string& typeName) const
{
    auto it = typeIds.find(typeName);
    if (it == typeIds.end())
        Assert("FINDING COMPONENT " + typeName + " WITHOUT REGISTERING");
    return it->second;
}

cComponentContainerBase* ComponentManager::FindContainer(const std::string& typeName) const
{
    auto it = containers.find(typeName);
    return it == containers.end() ? nullptr : it->second.get();
}
