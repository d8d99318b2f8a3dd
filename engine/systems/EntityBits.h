#pragma once
#include "engine/core/EngineTypes.h"

#include <array>
#include <bit>
#include <cstdint>

// A set of entity ids as one bit per possible id (MAX_ENTITIES bits in 16 words of 64 bits,
// bit e in word e / 64 at position e mod 64). Grid bands, grid cells and the collision pass's
// handled pairs are all sets of this kind: forming a cell is one 16-word AND, walking a set
// visits its ids in ascending order, and nothing here allocates. The members are defined here
// because they sit on the hottest paths of collision and picking.
class EntityBits
{
public:
    static constexpr std::size_t WordCount = (MAX_ENTITIES + 63) / 64;

    // Ids of MAX_ENTITIES and above are the caller's to reject; these do not check.
    void Set(Entity entity) { words[entity >> 6] |= Bit(entity); }
    void Reset(Entity entity) { words[entity >> 6] &= ~Bit(entity); }
    bool Test(Entity entity) const { return (words[entity >> 6] & Bit(entity)) != 0; }

    void Clear() { words.fill(0); }
    bool Any() const
    {
        std::uint64_t any = 0;
        for (std::uint64_t word : words)
            any |= word;
        return any != 0;
    }
    bool None() const { return !Any(); }
    std::size_t Count() const
    {
        std::size_t count = 0;
        for (std::uint64_t word : words)
            count += static_cast<std::size_t>(std::popcount(word));
        return count;
    }

    EntityBits& operator&=(const EntityBits& other)
    {
        for (std::size_t i = 0; i < WordCount; ++i)
            words[i] &= other.words[i];
        return *this;
    }
    EntityBits& operator|=(const EntityBits& other)
    {
        for (std::size_t i = 0; i < WordCount; ++i)
            words[i] |= other.words[i];
        return *this;
    }
    // Removes every id of the other set.
    EntityBits& Subtract(const EntityBits& other)
    {
        for (std::size_t i = 0; i < WordCount; ++i)
            words[i] &= ~other.words[i];
        return *this;
    }
    friend EntityBits operator&(EntityBits a, const EntityBits& b) { return a &= b; }
    friend EntityBits operator|(EntityBits a, const EntityBits& b) { return a |= b; }
    friend bool operator==(const EntityBits& a, const EntityBits& b) { return a.words == b.words; }

    // Calls visit(id) for every set id in ascending order.
    template <class Visit>
    void ForEach(Visit&& visit) const
    {
        for (std::size_t i = 0; i < WordCount; ++i)
        {
            std::uint64_t word = words[i];
            while (word != 0)
            {
                const int bit = std::countr_zero(word);
                visit(static_cast<Entity>(i * 64 + static_cast<std::size_t>(bit)));
                word &= word - 1;
            }
        }
    }

private:
    static std::uint64_t Bit(Entity entity) { return std::uint64_t{1} << (entity & 63); }

    std::array<std::uint64_t, WordCount> words{};
};
