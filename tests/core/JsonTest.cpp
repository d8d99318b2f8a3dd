#include "engine/core/Json.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
rapidjson::Document Parse(const char* text)
{
    rapidjson::Document document;
    document.Parse(text);
    return document;
}
}

TEST(Json, ReadsByTheCheckedRules)
{
    const auto doc = Parse(R"({"f": 2, "g": 1.5, "i": 3, "b": true, "nb": 1, "s": "x"})");
    EXPECT_EQ(Json::Float(doc, "f"), 2.0f);
    EXPECT_EQ(Json::Float(doc, "g"), 1.5f);
    EXPECT_EQ(Json::Float(doc, "missing", 9.0f), 9.0f);
    EXPECT_EQ(Json::Int(doc, "i"), 3);
    EXPECT_TRUE(Json::Bool(doc, "b"));
    EXPECT_FALSE(Json::Bool(doc, "nb")) << "only the literal true is true";
    EXPECT_EQ(Json::String(doc, "s"), "x");
    EXPECT_EQ(Json::String(doc, "missing", "d"), "d");
}

TEST(Json, BadValuesAreTheJsonError)
{
    const auto doc = Parse(R"({"g": 1.5, "s": "x", "i": 12})");
    testing::internal::CaptureStderr();
    EXPECT_EQ(AssertMessageOf([&] { Json::Int(doc, "g"); }), "JSON ERROR");
    JsonFileScope scope("scene.json");
    EXPECT_EQ(AssertMessageOf([&] { Json::Float(doc, "nope"); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { Json::Float(doc, "s", 0.0f); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { Json::IntInRange(doc, "i", 0, 0, 8); }), "JSON ERROR");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("\"g\" must be an integer"), std::string::npos);
    EXPECT_NE(err.find("scene.json: \"nope\" is missing"), std::string::npos);
    EXPECT_NE(err.find("\"i\" is out of range 0 to 8"), std::string::npos);
}

TEST(Json, TextIsParsedWholeWithoutRecursionOrIsRefusedWithItsReason)
{
    struct Case
    {
        const char* name;
        std::string text;
        const char* problem; // empty: parses
    };
    const Case cases[] = {
        {"an object", R"({"a": [1, {"b": "[{"}]})", ""},
        {"256 levels", std::string(256, '[') + std::string(256, ']'), ""},
        {"257 levels", std::string(257, '[') + std::string(257, ']'), "deeper than 256 levels"},
        {"150,000 opening brackets", std::string(150000, '['), "deeper than 256 levels"},
        {"brackets inside a string do not nest", "[\"" + std::string(1000, '[') + "\"]", ""},
        {"bytes after a NUL", std::string("{}") + '\0' + "{\"a\": 1}", "NUL byte at offset 2"},
        {"two values", "{} {}", "does not parse"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        rapidjson::Document document;
        const std::string problem = Json::ParseText(c.text, document);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "");
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
}

TEST(Json, ANumberBeyondFloatRangeIsTheJsonError)
{
    const auto doc = Parse(R"({"big": 1e39, "small": -3.5e38, "near": 3.4e38})");
    testing::internal::CaptureStderr();
    EXPECT_EQ(AssertMessageOf([&] { Json::Float(doc, "big"); }), "JSON ERROR");
    EXPECT_EQ(AssertMessageOf([&] { Json::Float(doc, "small", 0.0f); }), "JSON ERROR");
    EXPECT_EQ(Json::Float(doc, "near"), 3.4e38f);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\"big\" is beyond the range of a float"), std::string::npos);
}
