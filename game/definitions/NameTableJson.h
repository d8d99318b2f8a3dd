#pragma once
#include "game/definitions/NameTable.h"

#include <rapidjson/document.h>

#include <optional>
#include <string>
#include <vector>

// Scene-file members that name an entry of a name table, read through the checked accessors:
// a present member whose text is a key gives that key's code; a missing member, or a text that is
// not a key (other case, extra blanks, another table's word), gives nothing and is not reported.
// A member of the wrong JSON type is the JSON error, as for every other key.

// The member's text when present; a member that is not a string is the JSON error.
std::optional<std::string> OptionalKeyText(const rapidjson::Value& object, const char* key);
// The texts of an array member, in order (empty when missing); a member that is not an array,
// or an element that is not a string, is the JSON error.
std::vector<std::string> KeyTextList(const rapidjson::Value& object, const char* key);
// Adds the member with the text as its string value.
void WriteKeyText(rapidjson::Value& object, const char* key, const std::string& text,
                  rapidjson::Document::AllocatorType& allocator);

// The code named by the member, or nothing (missing, or not a key).
template <class Code>
std::optional<Code> FindTableKey(const rapidjson::Value& object, const char* key, const NameTable<Code>& table)
{
    const std::optional<std::string> text = OptionalKeyText(object, key);
    if (!text)
        return std::nullopt;
    return table.Find(*text);
}

// Sets the field to the code named by the member; leaves it as it was when there is none.
template <class Code>
void ReadTableKey(const rapidjson::Value& object, const char* key, const NameTable<Code>& table, Code& field)
{
    if (const std::optional<Code> code = FindTableKey(object, key, table))
        field = *code;
}

// Appends, in array order, the code of every element that is a key; other elements are skipped.
template <class Code>
void ReadTableKeyList(const rapidjson::Value& object, const char* key, const NameTable<Code>& table,
                      std::vector<Code>& codes)
{
    for (const std::string& text : KeyTextList(object, key))
        if (const std::optional<Code> code = table.Find(text))
            codes.push_back(*code);
}

// Writes the member with the key of the code. A code without a key (an unarmed weapon, the state
// none) is written as the empty text: in the tables where the empty text is no key, reading it
// back leaves the field at its default.
template <class Code>
void WriteTableKey(rapidjson::Value& object, const char* key, const NameTable<Code>& table, Code code,
                   rapidjson::Document::AllocatorType& allocator)
{
    WriteKeyText(object, key, table.KeyOf(code).value_or(std::string()), allocator);
}
