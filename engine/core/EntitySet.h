#pragma once
#include "engine/core/EngineTypes.h"

#include <cstdint>
#include <initializer_list>
#include <set>
#include <utility>

// A system's members: an ordered set of ids that also counts its changes, so that a system can
// keep something derived from its membership (a bit set, a count) and know when to remake it.
// Every way of adding or removing members the engine uses goes through here.
class EntitySet : public std::set<Entity>
{
    using Base = std::set<Entity>;

public:
    EntitySet() = default;
    EntitySet(std::initializer_list<Entity> ids) : Base(ids) {}
    EntitySet(const EntitySet&) = default;
    EntitySet(EntitySet&&) = default;
    // An assigned set keeps counting from its own revision, so it never repeats an old one.
    EntitySet& operator=(const EntitySet& other)
    {
        Base::operator=(other);
        ++revision;
        return *this;
    }
    EntitySet& operator=(EntitySet&& other) noexcept
    {
        Base::operator=(std::move(other));
        ++revision;
        return *this;
    }

    std::pair<iterator, bool> insert(Entity entity)
    {
        auto result = Base::insert(entity);
        if (result.second)
            ++revision;
        return result;
    }
    iterator insert(const_iterator hint, Entity entity)
    {
        const size_type before = size();
        iterator at = Base::insert(hint, entity);
        if (size() != before)
            ++revision;
        return at;
    }
    template <class Iterator>
    void insert(Iterator first, Iterator last)
    {
        Base::insert(first, last);
        ++revision;
    }
    template <class... Args>
    std::pair<iterator, bool> emplace(Args&&... args)
    {
        auto result = Base::emplace(std::forward<Args>(args)...);
        if (result.second)
            ++revision;
        return result;
    }
    size_type erase(Entity entity)
    {
        const size_type erased = Base::erase(entity);
        if (erased != 0)
            ++revision;
        return erased;
    }
    iterator erase(const_iterator at)
    {
        ++revision;
        return Base::erase(at);
    }
    iterator erase(const_iterator first, const_iterator last)
    {
        ++revision;
        return Base::erase(first, last);
    }
    void clear()
    {
        Base::clear();
        ++revision;
    }
    EntitySet& operator=(std::initializer_list<Entity> ids)
    {
        Base::operator=(ids);
        ++revision;
        return *this;
    }

    // Changes with every change of membership.
    std::uint64_t Revision() const { return revision; }

private:
    std::uint64_t revision = 0;
};
