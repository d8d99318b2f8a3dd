#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/systems/sIdentifierSystem.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double RotationLimit = 6.28319;
constexpr float RotationLimitFloat = 6.28319f; // 6.2831898
constexpr double DegreesToRadians = 0.017453292519943295;
constexpr double RadiansToDegrees = 57.29577951308232;
constexpr double TwoPi = 6.283185307179586;
}

Matrix3 Transform::ZeroMatrix()
{
    Matrix3 zero;
    std::fill(std::begin(zero.m), std::end(zero.m), 0.0f);
    return zero;
}

void Transform::Deserialize(const rapidjson::Value& object)
{
    position.y = Json::Float(object, "yPos");
    position.x = Json::Float(object, "xPos");
    scale.y = Json::Float(object, "yScale");
    scale.x = Json::Float(object, "xScale");
    // Clamped in double first: a huge angle must not be narrowed to float beyond its range.
    const double radians = Json::Double(object, "rot") * DegreesToRadians;
    rotation = radians > RotationLimit ? RotationLimitFloat : radians < 0.0 ? 0.0f : static_cast<float>(radians);
    if (static_cast<double>(rotation) > RotationLimit)
        rotation = RotationLimitFloat;
    previousPosition = position;
    if (Json::Find(object, "ParentID") != nullptr)
        parentName = Json::String(object, "ParentID");
    if (const rapidjson::Value* children = Json::OptionalArray(object, "Children"))
        for (const rapidjson::Value& child : children->GetArray())
        {
            std::string name = Json::AsString(child, "Children");
            if (std::find(childNames.begin(), childNames.end(), name) == childNames.end())
                childNames.push_back(std::move(name));
        }
}

void Transform::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("xPos", static_cast<double>(position.x), allocator);
    object.AddMember("yPos", static_cast<double>(position.y), allocator);
    object.AddMember("xScale", static_cast<double>(scale.x), allocator);
    object.AddMember("yScale", static_cast<double>(scale.y), allocator);
    object.AddMember("rot", static_cast<double>(static_cast<float>(rotation * RadiansToDegrees)), allocator);
    object.AddMember("ParentID", rapidjson::Value(parentName.c_str(), allocator), allocator);
    if (childNames.empty())
        return;
    rapidjson::Value children(rapidjson::kArrayType);
    for (const std::string& name : childNames)
        children.PushBack(rapidjson::Value(name.c_str(), allocator), allocator);
    object.AddMember("Children", children, allocator);
}

std::vector<Transform*> Transform::Children(Coordinator& coordinator, Visited& visited)
{
    std::vector<Transform*> children;
    const sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    for (const std::string& name : childNames)
    {
        const auto [found, entity] = names->FindEntityByName(coordinator, name);
        if (!found)
            continue;
        Transform* child = coordinator.GetComponent<Transform>(entity);
        if (child != nullptr && visited.insert(child).second)
            children.push_back(child);
    }
    return children;
}

void Transform::SetPosition(const Vector2& p, Coordinator& coordinator)
{
    Visited visited{this};
    SetPositionWalk(p, coordinator, visited);
}

void Transform::SetPositionWalk(const Vector2& p, Coordinator& coordinator, Visited& visited)
{
    for (Transform* child : Children(coordinator, visited))
        child->SetPositionWalk({child->position.x - position.x + p.x, child->position.y - position.y + p.y},
                               coordinator, visited);
    position = p;
}

void Transform::SetScale(const Vector2& s, Coordinator& coordinator)
{
    Visited visited{this};
    SetScaleWalk(s, coordinator, visited);
}

void Transform::SetScaleWalk(const Vector2& s, Coordinator& coordinator, Visited& visited)
{
    for (Transform* child : Children(coordinator, visited))
        child->SetScaleWalk({child->scale.x - scale.x + s.x, child->scale.y - scale.y + s.y}, coordinator, visited);
    scale = s;
}

void Transform::SetRotation(float r, Coordinator& coordinator)
{
    Visited visited{this};
    SetRotationWalk(r, coordinator, visited);
}

void Transform::SetRotationWalk(float r, Coordinator& coordinator, Visited& visited)
{
    for (Transform* child : Children(coordinator, visited))
        child->SetRotationWalk(child->rotation - rotation + r, coordinator, visited);
    // Angles too large for the stepwise wrap to finish (or infinite) are reduced first.
    if (!std::isfinite(r))
        r = 0.0f;
    else if (r > 1.0e6f)
        r = std::fmod(r, RotationLimitFloat);
    while (static_cast<double>(r) > RotationLimit)
        r = r - RotationLimitFloat;
    rotation = r;
}

void Transform::SetRotationFromDirection(const Vector2& d)
{
    const double x = d.x;
    const double y = d.y;
    const double length = std::sqrt(x * x + y * y);
    // A zero (or non-finite) direction has no angle; the rotation stays as it is.
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    const double angle = std::acos(x / length);
    rotation = static_cast<float>(d.y < 0.0f ? TwoPi - angle : angle);
}

void Transform::SetRotationFromDirectionRecursive(const Vector2& d, Coordinator& coordinator)
{
    Visited visited{this};
    SetDirectionWalk(d, coordinator, visited);
}

void Transform::SetDirectionWalk(const Vector2& d, Coordinator& coordinator, Visited& visited)
{
    for (Transform* child : Children(coordinator, visited))
        child->SetDirectionWalk(d, coordinator, visited);
    SetRotationFromDirection(d);
}

std::vector<std::string> Transform::GetAllChildren(Coordinator& coordinator)
{
    Visited visited{this};
    std::vector<std::string> names;
    CollectChildren(coordinator, visited, names);
    return names;
}

void Transform::CollectChildren(Coordinator& coordinator, Visited& visited, std::vector<std::string>& out)
{
    const sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    for (const std::string& name : childNames)
    {
        const auto [found, entity] = names->FindEntityByName(coordinator, name);
        Transform* child = found ? coordinator.GetComponent<Transform>(entity) : nullptr;
        if (child == nullptr || !visited.insert(child).second)
            continue;
        out.push_back(name);
        child->CollectChildren(coordinator, visited, out);
    }
}

void Transform::Inspect()
{
    if (!ImGui::CollapsingHeader("Transform", ImGuiTreeNodeFlags_DefaultOpen))
        return;
    ImGui::Text("Position");
    ImGui::DragFloat("##X Pos", &position.x, 1.0f, -1000.0f, 4000.0f);
    ImGui::DragFloat("##Y Pos", &position.y, 1.0f, -1000.0f, 3000.0f);
    ImGui::Text("Scale");
    ImGui::DragFloat("##X Scale_T", &scale.x, 1.0f, -1000.0f, 3000.0f);
    ImGui::DragFloat("##Y Scale_T", &scale.y, 1.0f, -1000.0f, 3000.0f);
    ImGui::Text("Parent Name: %s", parentName.c_str());
}
