#include "engine/core/SystemManager.h"

#include <chrono>
#include <iomanip>
#include <sstream>

void SystemManager::ShutDownSystems()
{
    while (!updateOrder.empty())
    {
        const std::string* key = updateOrder.front();
        Log("DELETED");
        systems.at(key)->Exit();
        systems.erase(key);
        systemSignatures.erase(key);
        updateOrder.erase(updateOrder.begin());
    }
}

sSystemBase& SystemManager::FindOrAssert(const std::string* key) const
{
    auto it = systems.find(key);
    if (it == systems.end())
    {
        std::string message;
        ComposeMessage(message, {"NO SYSTEM ", *key, "EXISTS"});
        Assert(message);
    }
    return *it->second;
}

Signature SystemManager::SignatureOf(const std::string* key) const
{
    auto it = systemSignatures.find(key);
    return it == systemSignatures.end() ? Signature{} : it->second;
}

sSystemBase* SystemManager::FindSystemByName(const std::string& typeName) const
{
    for (const std::string* key : updateOrder)
        if (*key == typeName)
            return systems.at(key).get();
    return nullptr;
}

void SystemManager::RemoveEntityFromSystem(Entity entity, const std::string& typeName)
{
    sSystemBase* system = FindSystemByName(typeName);
    if (system == nullptr)
    {
        std::string message;
        ComposeMessage(message, {"NO SYSTEM ", typeName, "EXISTS"});
        Assert(message);
    }
    if (system->entities.erase(entity) == 0)
        Log("ENTITY " + std::to_string(entity) + " NOT FOUND INSIDE " + typeName);
}

void SystemManager::AddEntityToSystemByName(Entity entity, const std::string& typeName)
{
    sSystemBase* system = FindSystemByName(typeName);
    if (system == nullptr)
    {
        Log("SYSTEM " + typeName + " NOT FOUND");
        return;
    }
    system->entities.insert(entity);
}

Signature SystemManager::GetSignatureByName(const std::string& typeName)
{
    for (const std::string* key : updateOrder)
        if (*key == typeName)
            return systemSignatures[key];
    Log("SYSTEM " + typeName + " NOT FOUND");
    return Signature{};
}

void SystemManager::UpdateSystems(Coordinator& coordinator, bool timing)
{
    if (!timing)
    {
        for (const std::string* key : updateOrder)
            systems.at(key)->Update(coordinator);
        return;
    }
    using Clock = std::chrono::steady_clock;
    for (const std::string* key : updateOrder)
    {
        const auto before = Clock::now();
        systems.at(key)->Update(coordinator);
        const auto after = Clock::now();
        const double seconds =
            static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(after - before).count()) / 1e9;
        std::ostringstream line;
        line << std::fixed << std::setprecision(5) << *key << " took " << seconds * 1000.0 << "ms" << ", "
             << std::setprecision(2) << seconds / 0.00016666 << "% of 60fps used";
        Log(line.str());
    }
    Log("\n");
}
