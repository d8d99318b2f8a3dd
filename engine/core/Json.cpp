#include "engine/core/Json.h"
#include "engine/core/Assert.h"

#include <rapidjson/error/en.h>

#include <algorithm>
#include <cmath>
#include <limits>
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
    // Converting a double beyond float range is undefined and would read as infinity.
    const double number = value.GetDouble();
    if (!(std::fabs(number) <= static_cast<double>(std::numeric_limits<float>::max())))
        Error(key, "is beyond the range of a float");
    return static_cast<float>(number);
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
    const double number = value.GetDouble();
    if (!std::isfinite(number))
        Error(key, "must be finite");
    return number;
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

// The deepest nesting of arrays and objects in the text, counted outside strings; stops
// counting once `limit` is passed.
static int NestingDepth(const std::string& text, int limit)
{
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (inString)
        {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        }
        else if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
        {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit)
                return deepest;
        }
        else if ((c == ']' || c == '}') && depth > 0)
            --depth;
    }
    return deepest;
}

std::string ParseText(const std::string& text, rapidjson::Document& document)
{
    // The parser takes a NUL outside a string for the end of the text and would ignore the rest.
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos)
    {
        document.SetNull();
        return "holds a NUL byte at offset " + std::to_string(nul);
    }
    if (NestingDepth(text, MostNesting) > MostNesting)
    {
        document.SetNull();
        return "nests arrays and objects deeper than " + std::to_string(MostNesting) + " levels";
    }
    document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (document.HasParseError())
        return std::string("does not parse: ") + rapidjson::GetParseError_En(document.GetParseError()) +
               " at offset " + std::to_string(document.GetErrorOffset());
    return {};
}

void ParseFile(const std::string& path, rapidjson::Document& document)
{
    JsonFileScope scope(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        Error(path, "cannot be opened");
    std::stringstream text;
    text << file.rdbuf();
    if (file.bad())
        Error(path, "cannot be read");
    const std::string problem = ParseText(text.str(), document);
    if (!problem.empty())
        Error(path, problem);
}
}
