#include "engine/components/Animation.h"
#include "engine/core/Json.h"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace
{
const char* const StateNames[] = {"Idle",      "Idle",     "RunDown",    "RunLeft",          "RunRight",
                                  "Shooting",  "blank",    "Explosion",  "Hitmarker",        "TakeDamage",
                                  "Non_Hover", "Hover",    "GreenBloodDamage", "GreenBloodDeath", "Death",
                                  "Sparks",    "Block",    "Aim",        "Throwing",         "Melee"};
constexpr int StateCount = sizeof(StateNames) / sizeof(StateNames[0]);

// Scene files number a few clips differently from the clip table.
bool TranslateSceneState(int fileValue, int& state)
{
    switch (fileValue)
    {
    case 0:
    case 6:
    case 7:
    case 10:
        state = fileValue;
        return true;
    case 11:
        state = 12;
        return true;
    case 12:
        state = 13;
        return true;
    default:
        return false;
    }
}
}

std::string Animation::GetStateName() const
{
    return StateNameText();
}

const char* Animation::StateNameText() const
{
    if (AnimationState < 0 || AnimationState >= StateCount)
        return "Idle";
    return StateNames[AnimationState];
}

void Animation::Deserialize(const rapidjson::Value& object)
{
    AnimationTag = Json::String(object, "AnimationTag", AnimationTag);
    AnimationSpeed = Json::Float(object, "AnimationSpeed", AnimationSpeed);
    if (Json::Find(object, "AnimationState") != nullptr)
    {
        int translated = AnimationState;
        if (TranslateSceneState(Json::Int(object, "AnimationState"), translated))
            AnimationState = translated;
    }
    HoldState = Json::Bool(object, "HoldState", HoldState);
}

void Animation::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("AnimationTag", rapidjson::Value(AnimationTag.c_str(), allocator), allocator);
    object.AddMember("AnimationSpeed", static_cast<double>(AnimationSpeed), allocator);
    object.AddMember("AnimationState", AnimationState, allocator);
    object.AddMember("HoldState", HoldState, allocator);
}

void Animation::Inspect()
{
    if (!ImGui::CollapsingHeader("Animation"))
        return;
    ImGui::DragFloat("Animation Speed", &AnimationSpeed, 0.01f, 0.0f, 0.0f, "%.3f");
    ImGui::Text("Animation State %s", GetStateName().c_str());
    ImGui::InputText("Animation Tag", &AnimationTag);
    ImGui::Text("Timer %f", static_cast<double>(timer));
    ImGui::Text("Index %d", frameIndex);
}
