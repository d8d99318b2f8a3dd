#include "game/flow/bTransitionScreen.h"

#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/CameraView.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScenePaths.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/TransitionDoorGeometry.h"
#include "game/flow/bCameraBehaviour.h"

#include <imgui.h>

#include <cmath>
#include <numbers>

// The doors: how a scene opens, how a scene request closes them, and which resource stage the
// destination is given before it is requested.

namespace
{
const std::string SlidingShutSound = "Sliding_false_SFX_";
const std::string SlidingOpenSound = "SlidingReverse_false_SFX_";
const std::string SlamSound = "Slam_false_SFX_";

// The doors stay shut this long at the start of an opening, and after a closing before the
// scene is requested; each slide takes one second.
constexpr float HeldShut = 0.4f;
constexpr float SlideSeconds = 1.0f;
constexpr float MotionSeconds = HeldShut + SlideSeconds;
constexpr float HalfPi = std::numbers::pi_v<float> * 0.5f;

void PlaceDoor(Coordinator& coordinator, Entity door, float x)
{
    if (Transform* transform = coordinator.GetComponent<Transform>(door))
        MoveByHand(*transform, {x, TransitionDoorGeometry().centreY});
}

void SizeDoor(Coordinator& coordinator, Entity door, Vector2 scale)
{
    if (Renderer* renderer = coordinator.GetComponent<Renderer>(door))
    {
        renderer->scaleX = scale.x;
        renderer->scaleY = scale.y;
    }
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The level select and the first cutscene need the second stage; anything named a level (the
// levels and the later cutscenes) the third, which brings the second with it.
void LoadStageFor(Coordinator& coordinator, const std::string& destination)
{
    if (destination == LevelSelectScene || destination == FirstCutsceneScene)
        coordinator.ResourceManager.LoadStage2(coordinator);
    else if (Contains(destination, "Level"))
        coordinator.ResourceManager.LoadStage3(coordinator);
}
}

bTransitionScreen::~bTransitionScreen()
{
    // Only this behaviour's own publication is withdrawn.
    if (TransitionScreenInstance() == this)
        TransitionScreenInstance() = nullptr;
}

// --- Life cycle -------------------------------------------------------------------------------

void bTransitionScreen::Awake(Coordinator& coordinator)
{
    // The logo and the cutscenes end on a screen of their own; the doors would only repeat it.
    if (coordinator.CurrentScene == LogoScene || Contains(coordinator.CurrentScene, "Cutscene"))
        OpenAnim = false;
}

void bTransitionScreen::Start(Coordinator& coordinator)
{
    // A camera that saved no view (height 0) leaves the view as it is rather than collapse it.
    if (const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
        camera != nullptr && camera->SavedHeight > 0.0f)
    {
        coordinator.ViewHeight = camera->SavedHeight;
        if (Transform* view = CameraTransform(coordinator))
            MoveByHand(*view, camera->SavedPosition);
    }
    LeftDoor = InstantiatePrefab(coordinator, "ScreenLeftDoor");
    RightDoor = InstantiatePrefab(coordinator, "ScreenRightDoor");
    if (const Renderer* renderer = coordinator.GetComponent<Renderer>(LeftDoor))
        DoorScale = {renderer->scaleX, renderer->scaleY};
    if (OpenAnim)
    {
        Begin(coordinator, DoorsOpening, "");
    }
    else
    {
        DoorMode = DoorsIdle;
        coordinator.PauseQueue.Deactivate(LeftDoor, coordinator);
        coordinator.PauseQueue.Deactivate(RightDoor, coordinator);
    }
    TransitionScreenInstance() = this;
}

void bTransitionScreen::Update(Coordinator& coordinator)
{
    const DoorGeometry& doors = TransitionDoorGeometry();
    const float dt = coordinator.DeltaTime;
    DoorsMoving = false;

    if (DoorMode == DoorsOpening)
    {
        DoorTimer += dt;
        if (DoorTimer >= MotionSeconds)
        {
            DoorMode = DoorsIdle;
            coordinator.PauseQueue.Deactivate(LeftDoor, coordinator);
            coordinator.PauseQueue.Deactivate(RightDoor, coordinator);
        }
        else if (DoorTimer > HeldShut)
        {
            const float slid = std::sin((DoorTimer - HeldShut) * HalfPi);
            PlaceDoor(coordinator, LeftDoor, doors.closedLeftX - slid * doors.travel);
            PlaceDoor(coordinator, RightDoor, doors.closedRightX + slid * doors.travel);
            DoorsMoving = true;
        }
        else
        {
            DoorsMoving = true;
        }
    }

    if (DoorMode == DoorsClosing)
    {
        DoorTimer += dt;
        if (SceneRequestDue)
        {
            SceneRequestDue = false;
            DoorMode = DoorsIdle;
            LoadStageFor(coordinator, Destination);
            coordinator.PendingScene = Destination;
        }
        if (DoorTimer > SlideSeconds)
        {
            // Asked every frame: the slam sounds again only once the last one has ended.
            coordinator.GetSystem<sSoundSystem>()->PlaySfxIfNotPlaying(SlamSound, coordinator);
            DoorsMoving = true;
            PlaceDoor(coordinator, LeftDoor, doors.closedLeftX);
            PlaceDoor(coordinator, RightDoor, doors.closedRightX);
            if (DoorTimer > MotionSeconds)
                SceneRequestDue = true;
        }
        else
        {
            const float slid = std::sin(DoorTimer * HalfPi);
            PlaceDoor(coordinator, LeftDoor, doors.openLeftX + slid * doors.travel);
            PlaceDoor(coordinator, RightDoor, doors.openRightX - slid * doors.travel);
            DoorsMoving = true;
        }
    }
}

void bTransitionScreen::OnSceneUnload(Coordinator&)
{
}

// --- Door motions -------------------------------------------------------------------------------

void bTransitionScreen::Begin(Coordinator& coordinator, int mode, const std::string& destination)
{
    if (mode == DoorMode)
        return;
    if (mode == DoorsClosing && !CloseAnim)
    {
        coordinator.PendingScene = destination;
        return;
    }
    // A second request while the doors move is dropped: the first one wins.
    if (DoorMode != DoorsIdle)
        return;

    Destination = destination;
    DoorMode = mode;
    DoorTimer = 0.0f;
    DoorGeometry& doors = TransitionDoorGeometry();
    doors = DoorGeometryFor(CameraPosition(coordinator), coordinator.ViewHeight);
    const Vector2 size = {doors.scale * DoorScale.x, doors.scale * DoorScale.y};
    SizeDoor(coordinator, LeftDoor, size);
    SizeDoor(coordinator, RightDoor, size);
    coordinator.PauseQueue.Reactivate(LeftDoor);
    coordinator.PauseQueue.Reactivate(RightDoor);

    sSoundSystem& sound = *coordinator.GetSystem<sSoundSystem>();
    if (mode == DoorsClosing)
    {
        PlaceDoor(coordinator, LeftDoor, doors.openLeftX);
        PlaceDoor(coordinator, RightDoor, doors.openRightX);
        sound.PlaySfx(SlidingShutSound, coordinator);
    }
    else
    {
        PlaceDoor(coordinator, LeftDoor, doors.closedLeftX);
        PlaceDoor(coordinator, RightDoor, doors.closedRightX);
        sound.PlaySfx(SlidingOpenSound, coordinator);
    }
}

// --- JSON and inspector -------------------------------------------------------------------------

void bTransitionScreen::Deserialize(const rapidjson::Value& object)
{
    OpenAnim = Json::Bool(object, "OpenAnim", OpenAnim);
    CloseAnim = Json::Bool(object, "CloseAnim", CloseAnim);
}

void bTransitionScreen::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("OpenAnim", OpenAnim, allocator);
    object.AddMember("CloseAnim", CloseAnim, allocator);
}

void bTransitionScreen::Inspect()
{
    if (!ImGui::CollapsingHeader("Transition Screen"))
        return;
    ImGui::Checkbox("Opening Animation", &OpenAnim);
    ImGui::Checkbox("ClosingAnimation", &CloseAnim);
}
