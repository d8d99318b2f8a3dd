#include "engine/components/Renderer.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <utility>

void Renderer::Deserialize(const rapidjson::Value& object)
{
    *this = Renderer{};
    shaderName = Json::String(object, "shaderName");
    modelID = Json::Int(object, "modelID");
    // The renderer indexes its mesh table with this.
    if (modelID < 0 || modelID >= MeshCount)
        Json::Error("modelID", "is out of range 0 to 8");
    textureName = Json::String(object, "textureName");
    layer = Json::Float(object, "layer");
    fillPercent = Json::Float(object, "fillPercent", fillPercent);
    opacity = Json::Float(object, "opacity", opacity);
    if (Json::Find(object, "tintR") != nullptr)
    {
        tint[0] = baseTint[0] = Json::Float(object, "tintR");
        tint[1] = baseTint[1] = Json::Float(object, "tintG");
        tint[2] = baseTint[2] = Json::Float(object, "tintB");
    }
    lightingFactor = Json::Float(object, "lightingFactor", lightingFactor);
    ignoreLighting = Json::Bool(object, "ignoreLighting", ignoreLighting);
    scaleX = Json::Float(object, "scaleX", scaleX);
    scaleY = Json::Float(object, "scaleY", scaleY);
    tileMode = Json::Bool(object, "tileMode", tileMode);
    tileSizeX = Json::Float(object, "tileSizeX", tileSizeX);
    tileSizeY = Json::Float(object, "tileSizeY", tileSizeY);
}

void Renderer::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    object.AddMember("shaderName", rapidjson::Value(shaderName.c_str(), allocator), allocator);
    object.AddMember("modelID", modelID, allocator);
    object.AddMember("textureName", rapidjson::Value(textureName.c_str(), allocator), allocator);
    number("layer", layer);
    number("fillPercent", fillPercent);
    number("opacity", opacity);
    number("tintR", tint[0]);
    number("tintG", tint[1]);
    number("tintB", tint[2]);
    number("lightingFactor", lightingFactor);
    object.AddMember("ignoreLighting", ignoreLighting, allocator);
    number("scaleX", scaleX);
    number("scaleY", scaleY);
    object.AddMember("tileMode", tileMode, allocator);
    number("tileSizeX", tileSizeX);
    number("tileSizeY", tileSizeY);
}

void Renderer::SetTexture(Coordinator& coordinator, std::string name)
{
    textureName = std::move(name);
    const TextureInfo& texture = coordinator.ResourceManager.GetTexture(textureName);
    textureSize = {texture.halfWidth, texture.halfHeight};
}

void Renderer::Inspect()
{
    if (!ImGui::CollapsingHeader("Renderer", ImGuiTreeNodeFlags_DefaultOpen))
        return;
    static const char* const meshes[MeshCount] = {"Triangle",        "Square",           "Circle",
                                                  "Debug Square",    "Debug Circle",     "Velocity Vector",
                                                  "Translation Axis", "Rotation Axis",   "Scale Axis"};
    ImGui::InputText("Shader Name", &shaderName);
    ImGui::Combo("Model ID", &modelID, meshes, MeshCount);
    ImGui::InputText("Texture Name:", &textureName);
    ImGui::DragFloat("Layer", &layer, 1.0f, 0.0f, 0.0f, "%.2f");
    ImGui::DragFloat("Fill %", &fillPercent, 1.0f, 0.0f, 100.0f, "%.1f");
    ImGui::DragFloat("Lighting Factor (0.0~1.0)", &lightingFactor, 0.01f, 0.0f, 1.0f, "%.1f");
    ImGui::Checkbox("Ignore Lighting", &ignoreLighting);
    ImGui::Checkbox("Tile Mode", &tileMode);
    ImGui::DragFloat("Scale X", &scaleX, 5.0f, 0.0f, 3000.0f);
    ImGui::DragFloat("Scale Y", &scaleY, 5.0f, 0.0f, 3000.0f);
}
