#include "engine/systems/sIdentifierSystem.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"

#include <deque>

namespace
{
// Names numbered above this keep their name when duplicated.
constexpr unsigned long long KeepNumberedAbove = 1000;

struct NumberedName
{
    std::string base;
    unsigned long long number = 1; // saturates just above KeepNumberedAbove
};

// Splits off the trailing run of decimal digits. Long runs are read with saturation, so any
// length of digits is safe.
NumberedName SplitTrailingNumber(const std::string& name)
{
    std::size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9')
        --start;
    NumberedName result;
    result.base = name.substr(0, start);
    if (start == name.size())
        return result;
    unsigned long long value = 0;
    for (std::size_t i = start; i < name.size(); ++i)
    {
        value = value * 10 + static_cast<unsigned long long>(name[i] - '0');
        if (value > KeepNumberedAbove)
        {
            value = KeepNumberedAbove + 1;
            break;
        }
    }
    result.number = value;
    return result;
}
}

std::pair<bool, Entity> sIdentifierSystem::FindEntityByName(Coordinator& coordinator, const std::string& name) const
{
    for (Entity entity : entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        if (identifier != nullptr && identifier->name == name)
            return {true, entity};
    }
    return {false, 0};
}

std::set<Entity> sIdentifierSystem::FindEntitiesWithTag(Coordinator& coordinator, const std::string& tag) const
{
    std::set<Entity> found;
    for (Entity entity : entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        if (identifier != nullptr && identifier->HasTag(tag))
            found.insert(found.end(), entity);
    }
    return found;
}

void sIdentifierSystem::MakeNamesUnique(Coordinator& coordinator)
{
    std::set<std::string> used;
    std::deque<Entity> duplicates;
    for (Entity entity : entities)
    {
        const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        if (identifier != nullptr && !used.insert(identifier->name).second)
            duplicates.push_back(entity);
    }
    for (Entity entity : duplicates)
    {
        Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
        const NumberedName parts = SplitTrailingNumber(identifier->name);
        if (parts.number > KeepNumberedAbove)
            continue;
        // At most MAX_ENTITIES names are in use, so this search always ends; it may go past
        // 1000 (two "Box999" give Box999 and Box1000).
        for (unsigned long long i = parts.number;; ++i)
        {
            std::string candidate = parts.base + std::to_string(i);
            if (used.insert(candidate).second)
            {
                identifier->name = std::move(candidate);
                break;
            }
        }
    }
}
