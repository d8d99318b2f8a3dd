#include "game/flow/bLogoDisplay.h"

#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/systems/CameraView.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bCameraBehaviour.h"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace
{
// Presses in the first tenth of a second are the ones that started the game; they are ignored.
constexpr float IgnoreInputFor = 0.1f;
constexpr float GrowthPerFrame = 0.1f;
constexpr int KeyHeld = 2;
constexpr int KeyReleased = 3;
// The camera's slow zoom after the logo.
constexpr float ZoomHeight = 900.0f;
constexpr float ZoomSeconds = 2.5f;
constexpr int SpawnPrefab = 1;
constexpr int RequestScene = 2;

bool AnyKeyHeldOrReleased(const Coordinator& coordinator)
{
    for (const int code : Coordinator::KeyCodes)
    {
        const int state = coordinator.GetKeyState(code);
        if (state == KeyHeld || state == KeyReleased)
            return true;
    }
    return false;
}
}

void bLogoDisplay::Awake(Coordinator&)
{
}

void bLogoDisplay::Start(Coordinator&)
{
}

void bLogoDisplay::Update(Coordinator& coordinator)
{
    LogoTimer += coordinator.DeltaTime;
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
    {
        transform->scale.x += GrowthPerFrame;
        transform->scale.y += GrowthPerFrame;
    }
    if (LogoTimer < IgnoreInputFor)
        return;
    if (LogoTimer >= MaxDisplayTime || AnyKeyHeldOrReleased(coordinator))
        Change(coordinator);
}

void bLogoDisplay::OnSceneUnload(Coordinator&)
{
}

void bLogoDisplay::Change(Coordinator& coordinator)
{
    if (ChangeType == SpawnPrefab)
        InstantiatePrefab(coordinator, ChangeTarget);
    else if (ChangeType == RequestScene)
        coordinator.PendingScene = ChangeTarget;
    coordinator.DestroyEntity(entity);

    const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    Transform* view = CameraTransform(coordinator);
    if (camera == nullptr || view == nullptr)
        return;
    // A camera that saved no view (height 0) leaves the view as it is rather than collapse it.
    if (camera->SavedHeight > 0.0f)
        coordinator.ViewHeight = camera->SavedHeight;
    MoveByHand(*view, camera->SavedPosition);
    camera->ZoomTo(coordinator, camera->SavedPosition, ZoomHeight, ZoomSeconds);
}

// --- JSON and inspector -------------------------------------------------------------------------

void bLogoDisplay::Deserialize(const rapidjson::Value& object)
{
    ChangeType = Json::Int(object, "ChangeType", ChangeType);
    MaxDisplayTime = Json::Float(object, "MaxDisplayTime", MaxDisplayTime);
    ChangeTarget = Json::String(object, "ChangeTarget", ChangeTarget);
}

void bLogoDisplay::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    if (MaxDisplayTime != 2.0f)
        object.AddMember("MaxDisplayTime", static_cast<double>(MaxDisplayTime), allocator);
    object.AddMember("ChangeType", ChangeType, allocator);
    if (!ChangeTarget.empty())
        object.AddMember("ChangeTarget", rapidjson::Value(ChangeTarget.c_str(), allocator), allocator);
}

void bLogoDisplay::Inspect()
{
    if (!ImGui::CollapsingHeader("Logo Display Behaviour"))
        return;
    ImGui::InputInt("Change Type", &ChangeType);
    ImGui::InputFloat("Max Display Time", &MaxDisplayTime, 0.0f, 0.0f, "%.3f");
    ImGui::InputText("Change Target", &ChangeTarget);
}
