#pragma once
#include "engine/core/Assert.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A constant table from the words that scene files and menus use to a code of the game.
// Keys compare byte for byte: case, blanks and path separators all count. Keys are unique and
// codes are unique, so the lookup works both ways. Built once and never changed.
template <class Code>
class NameTable
{
public:
    struct Entry
    {
        std::string key;
        Code code;
    };

    // A repeated key or code is a programming error and raises the assert "NAME TABLE NOT UNIQUE".
    NameTable(std::initializer_list<Entry> entries) : entries(entries)
    {
        const std::vector<Entry>& all = this->entries;
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = i + 1; j < all.size(); ++j)
                AssertFail(all[i].key == all[j].key || all[i].code == all[j].code, "NAME TABLE NOT UNIQUE");
    }

    // The code of the key, or nothing when the text is not a key.
    [[nodiscard]] std::optional<Code> Find(std::string_view key) const
    {
        for (const Entry& entry : entries)
            if (entry.key == key)
                return entry.code;
        return std::nullopt;
    }

    // The key whose code equals the code, or nothing when no key has it.
    [[nodiscard]] std::optional<std::string> KeyOf(Code code) const
    {
        for (const Entry& entry : entries)
            if (entry.code == code)
                return entry.key;
        return std::nullopt;
    }

    // Every entry, in the order the table lists them (for the inspector panels' choice lists).
    [[nodiscard]] const std::vector<Entry>& Walk() const { return entries; }

private:
    std::vector<Entry> entries;
};
