#pragma once
#include <rapidjson/document.h>

#include <string>

// Checked reads of JSON data. Every file format of the engine goes through these:
// - float fields take any number; integer fields need a JSON integer;
// - a bool is true only for the literal true (anything else reads as false);
// - a missing optional key keeps its default; an optional key of the wrong type is an error;
// - a missing or wrongly typed required key is the JSON error: the file (see JsonFileScope) and
//   the key are written to stderr and the assert "JSON ERROR" is raised.
namespace Json
{
[[noreturn]] void Error(const std::string& key, const std::string& problem);

// The object's member, or null when it is missing or `object` is not an object.
const rapidjson::Value* Find(const rapidjson::Value& object, const char* key);

float Float(const rapidjson::Value& object, const char* key);
// A required number kept in double precision (for values scaled before rounding to float).
double Double(const rapidjson::Value& object, const char* key);
float Float(const rapidjson::Value& object, const char* key, float fallback);
int Int(const rapidjson::Value& object, const char* key);
int Int(const rapidjson::Value& object, const char* key, int fallback);
// Integer in [low, high]; out of range is the JSON error.
int IntInRange(const rapidjson::Value& object, const char* key, int fallback, int low, int high);
unsigned Unsigned(const rapidjson::Value& object, const char* key, unsigned fallback);
bool Bool(const rapidjson::Value& object, const char* key, bool fallback = false);
// A required flag: missing is the JSON error; present, it is true only for the literal true.
bool RequiredBool(const rapidjson::Value& object, const char* key);
std::string String(const rapidjson::Value& object, const char* key);
std::string String(const rapidjson::Value& object, const char* key, const std::string& fallback);
const rapidjson::Value& Object(const rapidjson::Value& object, const char* key);
const rapidjson::Value& Array(const rapidjson::Value& object, const char* key);
// The optional array member, or null when it is missing; any other type is the JSON error.
const rapidjson::Value* OptionalArray(const rapidjson::Value& object, const char* key);
// The element as a number (float) or string, for arrays.
float AsFloat(const rapidjson::Value& value, const char* what);
std::string AsString(const rapidjson::Value& value, const char* what);

// Deepest nesting of arrays and objects a document may have: deeper text is refused before it
// is parsed, so hostile input can neither exhaust the stack nor reach code that walks values.
inline constexpr int MostNesting = 256;

// Parses the whole text (bytes after a NUL included, so such a text fails to parse) without
// recursion. Returns an empty string on success, else the reason it is unusable.
std::string ParseText(const std::string& text, rapidjson::Document& document);

// Reads a whole file and parses it; a file that cannot be opened or parsed is the JSON error.
void ParseFile(const std::string& path, rapidjson::Document& document);
}

// The JSON error for a file that is unusable as a whole (it cannot be opened, read or written,
// or has the wrong shape): names the file (see JsonFileScope) and the reason on stderr and
// raises the assert "JSON ERROR".
[[noreturn]] void JsonAssertFail(const std::string& reason = "cannot be used");

// Names the file being read, for the JSON error's message; scopes nest.
class JsonFileScope
{
public:
    explicit JsonFileScope(std::string path);
    ~JsonFileScope();
    JsonFileScope(const JsonFileScope&) = delete;
    JsonFileScope& operator=(const JsonFileScope&) = delete;

    static const std::string& Current();

private:
    std::string previous;
};
