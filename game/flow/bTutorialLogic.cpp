#include "game/flow/bTutorialLogic.h"

#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/SettingsFile.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/TutorialProgress.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

// The steps: tutorial 1 teaches selecting by box (1) and by key (2), moving into a marked circle
// (3), the windows (4), facing (5), reaching a door (6), breaching it (7), the supplies (8),
// healing (9) and reloading (10); tutorial 2 the crowd ahead (11), aiming a throw (12), bouncing
// it (13) and throwing or putting it away (14). Step 15 means finished or skipped.

namespace
{
constexpr int FirstTutorial = 1;
constexpr int SecondTutorial = 2;
constexpr int FirstStepOfFirst = 1;
constexpr int FirstStepOfSecond = 11;
constexpr int LastStepOfFirst = 10;
// Ending the door lesson is the soldier's to report, however long its panel showed.
constexpr int DoorReachStep = 6;
constexpr int SuppliesStep = 8;
constexpr int HealStep = 9;
// The steps that place hint markers.
constexpr int SquadStep = 1;
constexpr int MoveStep = 3;
constexpr int WindowStep = 4;
// Names of the panels hold these; shorter names are not panels.
const char* const FirstPanels = "Lvl1Tutorial_";
const char* const SecondPanels = "Lvl2Tutorial_";
constexpr std::size_t ShortestPanelName = 13;
const char* const SkipButtonPrefab = "SkipTutorial_Button";
const char* const MarkerPrefab = "Circle_Indicator";
const char* const WindowName = "Glass";
const std::string SoldierTag = "PLAYER";
const std::string PickupTag = "PICKUP";
// Where the move lesson's circle stands from the squad, and how fast the camera goes there.
constexpr Vector2 MoveCircleOffset = {100.0f, -330.0f};
constexpr float MoveCircleSize = 120.0f;
constexpr float MovePanSpeed = 350.0f;
constexpr float WindowMarkerSize = 100.0f;
constexpr float WindowPanSeconds = 0.5f;
constexpr float PickupMarkerSize = 60.0f;
// The tour of the supplies speeds up by this much with each stop.
constexpr float SupplyTourSpeed = 250.0f;
constexpr float SupplyTourSpeedUp = 50.0f;

std::shared_ptr<bCameraBehaviour> SceneCamera(Coordinator& coordinator)
{
    return coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
}

// The mean of the positions; false for a set of no positions, which has no mean.
bool MeanOf(const std::vector<Vector2>& points, Vector2& mean)
{
    if (points.empty())
        return false;
    double x = 0.0;
    double y = 0.0;
    for (const Vector2& point : points)
    {
        x += point.x;
        y += point.y;
    }
    mean = {static_cast<float>(x / static_cast<double>(points.size())), static_cast<float>(y / static_cast<double>(points.size()))};
    return true;
}
}

bTutorialLogic::~bTutorialLogic()
{
    // Only this behaviour's own publication is withdrawn.
    if (TutorialLogicInstance() == this)
        TutorialLogicInstance() = nullptr;
}

void bTutorialLogic::Awake(Coordinator&)
{
}

// --- Start and Update ------------------------------------------------------------------------

void bTutorialLogic::Start(Coordinator& coordinator)
{
    const auto* names = coordinator.GetSystem<sIdentifierSystem>();
    TutorialPlayers = names->FindEntitiesWithTag(coordinator, SoldierTag);
    TutorialClearedLocal()[FirstTutorial] = coordinator.TutorialCleared[FirstTutorial];
    TutorialClearedLocal()[SecondTutorial] = coordinator.TutorialCleared[SecondTutorial];

    if (const auto known = TutorialClearedLocal().find(TutorialLevel); known != TutorialClearedLocal().end())
    {
        if (known->second)
        {
            TutorialLogicInstance() = nullptr;
            return;
        }
        TutorialLogicInstance() = this;
    }

    const char* panelName = nullptr;
    if (TutorialLevel == FirstTutorial)
    {
        Advance(coordinator);
        panelName = FirstPanels;
    }
    else if (TutorialLevel == SecondTutorial)
    {
        TutorialStep = FirstStepOfSecond;
        panelName = SecondPanels;
    }
    if (panelName != nullptr)
        for (const std::string& name : GetPrefabNames(coordinator))
            if (name.size() >= ShortestPanelName && name.find(panelName) != std::string::npos)
                Panels.push_back(InstantiatePrefab(coordinator, name));
    SkipButton = InstantiatePrefab(coordinator, SkipButtonPrefab);
}

void bTutorialLogic::Update(Coordinator& coordinator)
{
    if (const bGameLogic* logic = GameLogicInstance())
    {
        if (logic->CurrentState == GameState::Deploy || logic->CurrentState == GameState::Paused)
            return;
        // The frame in which play begins: the opening kept the panels still.
        if (logic->CurrentState == GameState::Playing && logic->LastSeenState == GameState::Deploy)
            for (Entity panel : Panels)
                coordinator.PauseQueue.Unfreeze(panel);
    }

    const int first = TutorialLevel == SecondTutorial ? FirstStepOfSecond : FirstStepOfFirst;
    const long long index = static_cast<long long>(TutorialStep) - first;
    if (TutorialStep != DoorReachStep && index >= 0 && index < static_cast<long long>(Panels.size()))
    {
        const auto panel = coordinator.GetBehaviourAs<bImageBehaviour>(Panels[static_cast<std::size_t>(index)]);
        if (panel != nullptr && !panel->active && panel->ShowTimerStarted)
        {
            // The supplies' panel only ends the tour; the heal panel waits for a heal.
            if (TutorialStep == SuppliesStep)
                ClearHintMarkers(coordinator);
            else if (TutorialStep != HealStep)
                Advance(coordinator);
        }
    }

    int step = first;
    for (Entity panelEntity : Panels)
    {
        if (const auto panel = coordinator.GetBehaviourAs<bImageBehaviour>(panelEntity))
        {
            if (step != TutorialStep)
                panel->active = false;
            else if (!panel->active && !panel->ShowTimerStarted)
                panel->active = true;
        }
        ++step;
    }

    if (TutorialStep == FinishedStep)
    {
        if (const auto known = TutorialClearedLocal().find(TutorialLevel); known != TutorialClearedLocal().end())
            known->second = true;
        TutorialLogicInstance() = nullptr;
    }
}

void bTutorialLogic::OnSceneUnload(Coordinator&)
{
}

// --- JSON ------------------------------------------------------------------------------------

void bTutorialLogic::Deserialize(const rapidjson::Value& object)
{
    TutorialLevel = Json::Int(object, "TutorialLevel", TutorialLevel);
}

void bTutorialLogic::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("TutorialLevel", TutorialLevel, allocator);
}

void bTutorialLogic::Inspect()
{
}

// --- Steps -----------------------------------------------------------------------------------

void bTutorialLogic::Advance(Coordinator& coordinator)
{
    if (TutorialStep == LastStepOfFirst && TutorialLevel == FirstTutorial)
    {
        TutorialStep = FinishedStep;
        End(coordinator);
    }
    ++TutorialStep;
    if (TutorialStep == FinishedStep)
    {
        End(coordinator);
        TutorialStep = 0;
    }
    ClearHintMarkers(coordinator);
    PlaceHintMarkers(coordinator);
}

void bTutorialLogic::End(Coordinator& coordinator)
{
    if (const auto known = TutorialClearedLocal().find(TutorialLevel); known != TutorialClearedLocal().end())
        known->second = true;
    for (Entity panel : Panels)
        coordinator.DestroyEntity(panel);
    Panels.clear();
    ClearHintMarkers(coordinator);
    if (SkipButton != NO_ENTITY)
    {
        coordinator.DestroyEntity(SkipButton);
        SkipButton = NO_ENTITY;
    }
    TutorialLogicInstance() = nullptr;
    coordinator.TutorialCleared[FirstTutorial] = TutorialClearedLocal()[FirstTutorial];
    coordinator.TutorialCleared[SecondTutorial] = TutorialClearedLocal()[SecondTutorial];
    SaveConfig(coordinator);
}

// --- Hint markers ----------------------------------------------------------------------------

void bTutorialLogic::PlaceHintMarkers(Coordinator& coordinator)
{
    auto place = [&](Vector2 point, float size) {
        const Entity marker = InstantiatePrefab(coordinator, MarkerPrefab);
        HintMarkers.push_back(marker);
        if (Transform* transform = coordinator.GetComponent<Transform>(marker))
            MoveByHand(*transform, point);
        if (Renderer* renderer = coordinator.GetComponent<Renderer>(marker); renderer != nullptr && size > 0.0f)
        {
            renderer->scaleX = size;
            renderer->scaleY = size;
        }
    };
    const auto camera = SceneCamera(coordinator);
    const auto* names = coordinator.GetSystem<sIdentifierSystem>();

    if (TutorialStep == SquadStep)
    {
        // A squad of no one has no centre: no marker, and the centre stays where it was.
        std::vector<Vector2> soldiers;
        for (Entity soldier : TutorialPlayers)
            if (Vector2 point; PositionOf(coordinator, soldier, point))
                soldiers.push_back(point);
        if (MeanOf(soldiers, SquadCentre))
            place(SquadCentre, 0.0f);
    }
    else if (TutorialStep == MoveStep)
    {
        const Vector2 circle = Offset(SquadCentre, MoveCircleOffset.x, MoveCircleOffset.y);
        place(circle, MoveCircleSize);
        if (camera != nullptr)
            camera->QueueMoveAtSpeed(coordinator, circle, MovePanSpeed);
    }
    else if (TutorialStep == WindowStep)
    {
        std::vector<Vector2> windows;
        for (Entity entity : names->entities)
        {
            const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
            Vector2 point;
            if (identifier == nullptr || identifier->name.find(WindowName) == std::string::npos ||
                !PositionOf(coordinator, entity, point))
                continue;
            windows.push_back(point);
        }
        // Placed after the walk: the markers join the entities walked.
        for (const Vector2& window : windows)
            place(window, WindowMarkerSize);
        // Without windows there is nowhere to look.
        if (Vector2 centre; camera != nullptr && MeanOf(windows, centre))
            camera->QueueMove(coordinator, WindowPanSeconds, centre);
    }
    else if (TutorialStep == SuppliesStep)
    {
        float speed = SupplyTourSpeed;
        for (Entity pickup : names->FindEntitiesWithTag(coordinator, PickupTag))
        {
            Vector2 point;
            if (!PositionOf(coordinator, pickup, point))
                continue;
            place(point, PickupMarkerSize);
            if (camera != nullptr)
                camera->QueueMoveAtSpeed(coordinator, point, speed);
            speed += SupplyTourSpeedUp;
        }
        // The tour returns to where the camera stood; with no supplies there was no tour.
        Vector2 home;
        if (camera != nullptr && !HintMarkers.empty() && PositionOf(coordinator, coordinator.CameraEntity, home))
            camera->QueueMoveAtSpeed(coordinator, home, speed);
        if (bGameController* squad = GameControllerInstance())
            squad->ForEachSelectedPlayer(coordinator, &bPlayerBehaviour::StopPath);
    }
}

void bTutorialLogic::ClearHintMarkers(Coordinator& coordinator)
{
    for (Entity marker : HintMarkers)
        coordinator.DestroyEntity(marker);
    HintMarkers.clear();
}

// --- Hiding with the level's screens ---------------------------------------------------------

void bTutorialLogic::HideAll(Coordinator& coordinator)
{
    bTutorialLogic* tutorial = TutorialLogicInstance();
    if (tutorial == nullptr)
        return;
    for (Entity marker : tutorial->HintMarkers)
        coordinator.PauseQueue.Deactivate(marker, coordinator);
    for (Entity panel : tutorial->Panels)
        coordinator.PauseQueue.Deactivate(panel, coordinator);
    DeactivateBehaviour(coordinator, tutorial->SkipButton);
}

void bTutorialLogic::ShowAll(Coordinator& coordinator)
{
    bTutorialLogic* tutorial = TutorialLogicInstance();
    if (tutorial == nullptr)
        return;
    for (Entity marker : tutorial->HintMarkers)
        coordinator.PauseQueue.Reactivate(marker);
    for (Entity panel : tutorial->Panels)
        coordinator.PauseQueue.Reactivate(panel);
    ActivateBehaviour(coordinator, tutorial->SkipButton);
}
