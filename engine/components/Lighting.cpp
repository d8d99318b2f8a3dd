#include "engine/components/Lighting.h"
#include "engine/core/Json.h"

#include <imgui.h>

void Lighting::Deserialize(const rapidjson::Value& object)
{
    radius = Json::Float(object, "radius");
    if (Json::Find(object, "colorR") != nullptr)
    {
        color[0] = Json::Float(object, "colorR");
        color[1] = Json::Float(object, "colorG");
        color[2] = Json::Float(object, "colorB");
    }
    if (Json::Find(object, "intensityR") != nullptr)
    {
        intensity[0] = baseIntensity[0] = Json::Float(object, "intensityR");
        intensity[1] = baseIntensity[1] = Json::Float(object, "intensityG");
        intensity[2] = baseIntensity[2] = Json::Float(object, "intensityB");
    }
    enabled = Json::Bool(object, "enabled", enabled);
    lifeSpan = Json::Float(object, "lifeSpan", lifeSpan);
}

void Lighting::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    number("radius", radius);
    number("colorR", color[0]);
    number("colorG", color[1]);
    number("colorB", color[2]);
    number("intensityR", intensity[0]);
    number("intensityG", intensity[1]);
    number("intensityB", intensity[2]);
    object.AddMember("enabled", enabled, allocator);
    number("lifeSpan", lifeSpan);
}

void Lighting::Inspect()
{
    if (!ImGui::CollapsingHeader("Lighting"))
        return;
    ImGui::Checkbox("Enabled", &enabled);
    if (!enabled)
        return;
    ImGui::Text("Direction Position");
    ImGui::DragFloat("X", &direction.x);
    ImGui::DragFloat("Y", &direction.y);
    ImGui::DragFloat("Radius", &radius);
    ImGui::DragFloat3("Color", color, 0.01f, 0.0f, 1.0f);
    if (ImGui::DragFloat3("Intensity", intensity, 0.01f, 0.0f, 1.0f))
        for (int i = 0; i < 3; ++i)
            baseIntensity[i] = intensity[i];
    ImGui::DragFloat("lifeSpan (seconds)", &lifeSpan);
}
