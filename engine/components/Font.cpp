#include "engine/components/Font.h"
#include "engine/core/Json.h"

#include <imgui.h>
#include <imgui_stdlib.h>

void Font::Deserialize(const rapidjson::Value& object)
{
    message = Json::String(object, "message");
    screenXPos = Json::Float(object, "screenXPos");
    screenYPos = Json::Float(object, "screenYPos");
    worldXPos = Json::Float(object, "worldXPos");
    worldYPos = Json::Float(object, "worldYPos");
    xScale = Json::Float(object, "xScale");
    yScale = Json::Float(object, "yScale");
    color[0] = Json::Float(object, "colorR");
    color[1] = Json::Float(object, "colorG");
    color[2] = Json::Float(object, "colorB");
    layout = Json::String(object, "layout");
    type = Json::String(object, "type");
}

void Font::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto text = [&](const char* key, const std::string& value) {
        object.AddMember(rapidjson::StringRef(key), rapidjson::Value(value.c_str(), allocator), allocator);
    };
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    text("message", message);
    number("screenXPos", screenXPos);
    number("screenYPos", screenYPos);
    number("worldXPos", worldXPos);
    number("worldYPos", worldYPos);
    number("xScale", xScale);
    number("yScale", yScale);
    number("colorR", color[0]);
    number("colorG", color[1]);
    number("colorB", color[2]);
    text("layout", layout);
    text("type", type);
}

void Font::Inspect()
{
    if (!ImGui::CollapsingHeader("Font"))
        return;
    ImGui::InputText("Text", &message);
    ImGui::Text("Screen Position");
    ImGui::DragFloat("X##screen", &screenXPos);
    ImGui::DragFloat("Y##screen", &screenYPos);
    ImGui::Text("World Position");
    ImGui::DragFloat("X##world", &worldXPos);
    ImGui::DragFloat("Y##world", &worldYPos);
    ImGui::Text("Scale");
    ImGui::DragFloat("X##scale", &xScale, 0.01f, 0.0f, 0.0f, "%.3f");
    ImGui::DragFloat("Y##scale", &yScale, 0.01f);
    ImGui::ColorEdit3("Color", color);
}
