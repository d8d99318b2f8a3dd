#pragma once
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>
#include <vector>

// An entity's name and tags: how all code finds entities. Texts compare byte for byte.
class Identifier : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Identifier";

    // "type" (required string) replaces the name; "tags" (optional string) appends its comma
    // pieces to the tags already held.
    void Deserialize(const rapidjson::Value& object) override;
    // "type", then "tags" joined with "," when there are tags.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Erases the first tag equal to the text; later tags keep their order.
    void RemoveTag(const std::string& tag);
    bool HasTag(const std::string& tag) const;

    std::string name = "GameObject";
    std::vector<std::string> tags;
    bool nameEdited = false;
};
