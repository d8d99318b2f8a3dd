#include "engine/core/Json.h"
#include "engine/core/Assert.h"

#include <rapidjson/error/en.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

static std::string& CurrentJsonFile()
{
    static std::string file;
    return file;
}

JsonFileScope::JsonFileScope(std::string path) : previous(CurrentJsonFile())
{
    CurrentJsonFile() = std::move(path);
}

JsonFileScope::~JsonFileScope()
{
    CurrentJsonFile() = previous;
}

const std::string& JsonFileScope::Current()
{
    return CurrentJsonFile();
}

void JsonAssertFail(const std::string& reason)
{
    const std::string& file = CurrentJsonFile();
    std::fprintf(stderr, "JSON ERROR in %s: %s\n", file.empty() ? "(data)" : file.c_str(), reason.c_str());
    std::fflush(stderr);
    Assert("JSON ERROR");
}

namespace Json
{
void Error(const std::string& key, const std::string& problem)
{
    const std::string& file = CurrentJsonFile();
    std::fprintf(stderr, "JSON ERROR in %s: \"%s\" %s\n", file.empty() ? "(data)" : file.c_str(), key.c_str(),
                 problem.c_str());
    std::fflush(stderr);
    Assert("JSON ERROR");
}

const rapidjson::Value* Find(const rapidjson::Value& object, const char* key)
{
    if (!object.IsObject())
        return nullptr;
    auto it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

static const rapidjson::Value& Required(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Find(object, key);
    if (value == nullptr)
        Error(key, "is missing");
    return *value;
}

static float NumberOf(const rapidjson::Value& value, const char* key)
{
    if (!value.IsNumber())
        Error(key, "must be a number");
    return value.GetFloat();
}

static int IntegerOf(const rapidjson::Value& value, const char* key)
{
    if (!value.IsInt())
        Error(key, "must be an integer");
    return value.GetInt();
}

float Float(const rapidjson::Value& object, const char* key)
{
    return NumberOf(Required(object, key), key);
}

double Double(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value& value = Required(object, key);
    if (!value.IsNumber())
        Error(key, "must be a number");
    return value.GetDouble();
}

float Float(const rapidjson::Value& object, const char* key, float fallback)
{
    const rapidjson::Value* value = Find(object, key);
    return value == nullptr ? fallback : NumberOf(*value, key);
}

int Int(const rapidjson::Value& object, const char* key)
{
    return IntegerOf(Required(object, key), key);
}

int Int(const rapidjson::Value& object, const char* key, int fallback)
{
    const rapidjson::Value* value = Find(object, key);
    return value == nullptr ? fallback : IntegerOf(*value, key);
}

int IntInRange(const rapidjson::Value& object, const char* key, int fallback, int low, int high)
{
    const int value = Int(object, key, fallback);
    if (value < low || value > high)
        Error(key, "is out of range " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

unsigned Unsigned(const rapidjson::Value& object, const char* key, unsigned fallback)
{
    const rapidjson::Value* value = Find(object, key);
    if (value == nullptr)
        return fallback;
    if (!value->IsUint())
        Error(key, "must be a non-negative integer");
    return value->GetUint();
}

bool Bool(const rapidjson::Value& object, const char* key, bool fallback)
{
    const rapidjson::Value* value = Find(object, key);
    return value == nullptr ? fallback : value->IsTrue();
}

bool RequiredBool(const rapidjson::Value& object, const char* key)
{
    return Required(object, key).IsTrue();
}

std::string String(const rapidjson::Value& object, const char* key)
{
    return AsString(Required(object, key), key);
}

std::string String(const rapidjson::Value& object, const char* key, const std::string& fallback)
{
    const rapidjson::Value* value = Find(object, key);
    return value == nullptr ? fallback : AsString(*value, key);
}

const rapidjson::Value& Object(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value& value = Required(object, key);
    if (!value.IsObject())
        Error(key, "must be an object");
    return value;
}

const rapidjson::Value& Array(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value& value = Required(object, key);
    if (!value.IsArray())
        Error(key, "must be an array");
    return value;
}

const rapidjson::Value* OptionalArray(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Find(object, key);
    if (value != nullptr && !value->IsArray())
        Error(key, "must be an array");
    return value;
}

float AsFloat(const rapidjson::Value& value, const char* what)
{
    return NumberOf(value, what);
}

std::string AsString(const rapidjson::Value& value, const char* what)
{
    if (!value.IsString())
        Error(what, "must be a string");
    return std::string(value.GetString(), value.GetStringLength());
}

void ParseFile(const std::string& path, rapidjson::Document& document)
{
    JsonFileScope scope(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        Error(path, "cannot be opened");
    std::stringstream text;
    text << file.rdbuf();
    document.Parse(text.str().c_str());
    if (document.HasParseError())
        Error(path, std::string("does not parse: ") + rapidjson::GetParseError_En(document.GetParseError()) +
                        " at offset " + std::to_string(document.GetErrorOffset()));
}
}
