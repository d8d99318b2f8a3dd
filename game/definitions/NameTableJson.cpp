#include "game/definitions/NameTableJson.h"
#include "engine/core/Json.h"

std::optional<std::string> OptionalKeyText(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Json::Find(object, key);
    if (value == nullptr)
        return std::nullopt;
    return Json::AsString(*value, key);
}

std::vector<std::string> KeyTextList(const rapidjson::Value& object, const char* key)
{
    std::vector<std::string> texts;
    const rapidjson::Value* array = Json::OptionalArray(object, key);
    if (array == nullptr)
        return texts;
    for (const rapidjson::Value& element : array->GetArray())
        texts.push_back(Json::AsString(element, key));
    return texts;
}

void WriteKeyText(rapidjson::Value& object, const char* key, const std::string& text,
                  rapidjson::Document::AllocatorType& allocator)
{
    object.AddMember(rapidjson::Value(key, allocator), rapidjson::Value(text.c_str(), allocator), allocator);
}
