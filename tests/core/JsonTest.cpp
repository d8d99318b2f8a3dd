#include "engine/core/Json.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>

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
