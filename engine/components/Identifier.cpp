#include "engine/components/Identifier.h"
#include "engine/core/CommaList.h"
#include "engine/core/Json.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>

void Identifier::Deserialize(const rapidjson::Value& object)
{
    name = Json::String(object, "type");
    if (const rapidjson::Value* list = Json::Find(object, "tags"))
        SplitCommaList(Json::AsString(*list, "tags"), tags);
}

void Identifier::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("type", rapidjson::Value(name.c_str(), allocator), allocator);
    if (tags.empty())
        return;
    std::string joined;
    for (std::size_t i = 0; i < tags.size(); ++i)
        joined += (i == 0 ? "" : ",") + tags[i];
    object.AddMember("tags", rapidjson::Value(joined.c_str(), allocator), allocator);
}

void Identifier::RemoveTag(const std::string& tag)
{
    auto it = std::find(tags.begin(), tags.end(), tag);
    if (it != tags.end())
        tags.erase(it);
}

bool Identifier::HasTag(const std::string& tag) const
{
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

void Identifier::Inspect()
{
    if (!ImGui::CollapsingHeader("Identifier", ImGuiTreeNodeFlags_DefaultOpen))
        return;
    ImGui::Text("Name");
    if (ImGui::InputText("##Name", &name, ImGuiInputTextFlags_EnterReturnsTrue))
        nameEdited = true;
    ImGui::Text("Tags");
    for (std::size_t i = 0; i < tags.size(); ++i)
        ImGui::InputText(("##Tags" + std::to_string(i)).c_str(), &tags[i]);
}
