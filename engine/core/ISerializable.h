#pragma once
#include <rapidjson/document.h>

// Reads an object's fields from scene JSON and writes them back.
class ISerializable
{
public:
    virtual ~ISerializable() = default;
    virtual void Deserialize(const rapidjson::Value& object) = 0;
    virtual void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const = 0;
};
