#include "engine/components/PhysicsCollision.h"
#include "engine/core/Json.h"

#include <imgui.h>

namespace
{
// The quarter turns at which the collision system exchanges width and height.
constexpr float QuarterTurn = 1.5707964f;
constexpr float ThreeQuarterTurn = 4.712389f;
constexpr int ColliderTypeCount = 3;
}

void PhysicsCollision::Deserialize(const rapidjson::Value& object)
{
    PhysicsCollision fresh;
    fresh.isMovable = Json::RequiredBool(object, "IsMovable");
    fresh.isTrigger = Json::RequiredBool(object, "IsTrigger");
    fresh.shapeData.layer = Json::Int(object, "cLayer");
    const float height = Json::Float(object, "cHeight");
    const float width = Json::Float(object, "cWidth");
    fresh.colliderType = Json::Int(object, "ColliderType");
    // The collision system's shape tests know only the three kinds.
    if (fresh.colliderType < 0 || fresh.colliderType >= ColliderTypeCount)
        Json::Error("ColliderType", "is out of range 0 to 2");
    fresh.shapeData.size = {width, height};
    fresh.shapeData.radius = width * 0.5f;
    fresh.isReflective = Json::Bool(object, "IsReflective");
    fresh.offset = {Json::Float(object, "Offset_X", 0.0f), Json::Float(object, "Offset_Y", 0.0f)};
    fresh.ignoreTag = Json::String(object, "Ignore", "");
    *this = std::move(fresh);
}

void PhysicsCollision::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    Vector2 size = shapeData.size;
    if (shapeData.angle == QuarterTurn || shapeData.angle == ThreeQuarterTurn)
        size = {size.y, size.x};
    object.AddMember("ColliderType", colliderType, allocator);
    object.AddMember("cWidth", static_cast<double>(size.x), allocator);
    object.AddMember("cHeight", static_cast<double>(size.y), allocator);
    object.AddMember("cLayer", shapeData.layer, allocator);
    object.AddMember("IsTrigger", isTrigger, allocator);
    object.AddMember("IsMovable", isMovable, allocator);
    object.AddMember("Offset_X", static_cast<double>(offset.x), allocator);
    object.AddMember("Offset_Y", static_cast<double>(offset.y), allocator);
    object.AddMember("Ignore", rapidjson::Value(ignoreTag.c_str(), allocator), allocator);
}

void PhysicsCollision::Inspect()
{
    if (!ImGui::CollapsingHeader("Physics Collision"))
        return;
    static const char* const kinds[ColliderTypeCount] = {"Rectangle", "Circle", "Line Segment"};
    ImGui::Combo("Collider Type", &colliderType, kinds, ColliderTypeCount);
    ImGui::DragFloat("Width", &shapeData.size.x);
    ImGui::DragFloat("Height", &shapeData.size.y);
    ImGui::DragFloat("Offset_X", &offset.x, 1.0f, -1000.0f, 1000.0f);
    ImGui::DragFloat("Offset_Y", &offset.y, 1.0f, -1000.0f, 1000.0f);
    ImGui::InputInt("Layer", &shapeData.layer);
    ImGui::Checkbox("Is Trigger", &isTrigger);
    ImGui::Checkbox("Is Movable", &isMovable);
}
