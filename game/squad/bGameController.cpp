#include "game/squad/bGameController.h"
#include "engine/components/Font.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/EntityPlacement.h"
#include "game/squad/SceneMusic.h"
#include "game/squad/SquadControlHelpers.h"
#include "game/squad/bPlayerBehaviour.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace
{
constexpr const char* ClickSound = "Click9_false_SFX_";
constexpr int TrajectorySegmentCount = 3;
constexpr float CentringSeconds = 1.0f;
constexpr float DefaultViewHeight = 1080.0f;
constexpr float CentringMargin = 200.0f;

// The tutorial step from which an order key acts (0, no tutorial, always lets it act).
bool AllowedAt(int tutorialStep, int firstStep)
{
    return tutorialStep == 0 || tutorialStep >= firstStep;
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

bool CameraIsMoving(Coordinator& coordinator)
{
    const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    return camera != nullptr && (camera->MoveTimeLeft() > 0.0f || camera->QueuedMoveCount() > 0);
}
} // namespace

bGameController::~bGameController()
{
    // Only this behaviour's own publication is withdrawn.
    if (GameControllerInstance() == this)
        GameControllerInstance() = nullptr;
}

// --- Life cycle ---------------------------------------------------------------------------------

void bGameController::Awake(Coordinator& coordinator)
{
    world = &coordinator;
    for (Entity soldier : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "PLAYER"))
        Players.emplace(soldier, false);
    SquadPresent() = !Players.empty();
    if (!SquadPresent())
        return;
    SquadMarkers.clear();
    for (std::size_t i = 0; i < Players.size(); ++i)
        SquadMarkers.insert(InstantiatePrefab(coordinator, "SelectionMarker"));
    for (Entity& marker : MoveMarkers)
        marker = InstantiatePrefab(coordinator, "SelectionMovement");
    ArrowBody = InstantiatePrefab(coordinator, "Dir_ArrowBody");
    ArrowHead = InstantiatePrefab(coordinator, "Dir_ArrowHead");
}

void bGameController::Start(Coordinator& coordinator)
{
    world = &coordinator;
    if (SquadPresent())
    {
        for (Entity marker : SquadMarkers)
            HideByPosition(coordinator, marker);
        for (Entity marker : MoveMarkers)
            HideByPosition(coordinator, marker);
        MoveMarkersInUse.reset();
        for (auto& player : Players)
            player.second = false;
        for (int i = 0; i < TrajectorySegmentCount; ++i)
            TrajectorySegments.push_back(InstantiatePrefab(coordinator, "Throw_Trajectory"));
        AoeIndicators.insert(InstantiatePrefab(coordinator, "AOE_Indicator"));
    }
    SelectionArea = InstantiatePrefab(coordinator, "selectionArea");
    coordinator.PauseQueue.Deactivate(SelectionArea, coordinator);
    GameControllerInstance() = this;
    ChooseSceneMusic(coordinator);
}

void bGameController::Update(Coordinator& coordinator)
{
    world = &coordinator;
    HandleUnlockKey(coordinator);
    MouseConsumed = false;
    SkipCutsceneEffects(coordinator);
    if (!SquadPresent())
        return;
    if (HandlePauseKey(coordinator))
        return;
    FreeEndedMoveMarkers(coordinator);
    DragEnd = {0.0f, 0.0f};
    const int tutorialStep = TutorialStep();
    // The tutorial's camera tour holds the squad still.
    if (tutorialStep == 8 && CameraIsMoving(coordinator))
        return;
    if (ThrowMode == 0)
        HandleMouse(coordinator, tutorialStep);
    else if (ThrowMode == 1)
        HandleThrowAim(coordinator, tutorialStep);
    UpdateSquadMarkers(coordinator);
    const bool debugKeyActed = coordinator.AllowCheats && HandleDebugToggles(coordinator);
    if (tutorialStep != 1 && !debugKeyActed)
        HandleSelectionKeys(coordinator, tutorialStep);
    HandleOrderKeys(coordinator, tutorialStep);
}

void bGameController::OnSceneUnload(Coordinator&)
{
}

void bGameController::Deserialize(const rapidjson::Value&)
{
}

void bGameController::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bGameController::Inspect()
{
}

bool& bGameController::SquadPresent()
{
    static bool present = false;
    return present;
}

int bGameController::TutorialStep()
{
    const bTutorialLogic* tutorial = TutorialLogicInstance();
    return tutorial == nullptr || tutorial->TutorialStep == bTutorialLogic::FinishedStep ? 0 : tutorial->TutorialStep;
}

void bGameController::ChooseSceneMusic(Coordinator& coordinator)
{
    const std::string music = SceneMusic(coordinator.PendingScene, coordinator.CurrentScene);
    sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>();
    if (music.empty() || sound == nullptr || sound->IsBgmPlaying(music))
        return;
    sound->PlayBgm(music, coordinator);
}

// --- Selection ----------------------------------------------------------------------------------

void bGameController::SelectPlayer(Coordinator& coordinator, Entity soldier, bool toggle)
{
    const auto found = Players.find(soldier);
    if (found == Players.end())
        return;
    const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
    if (behaviour == nullptr || !behaviour->active)
        return;
    found->second = toggle ? !found->second : true;
    if (found->second)
        behaviour->Select(coordinator);
    else
        behaviour->Deselect(coordinator);
}

void bGameController::SelectOnlyPlayer(Coordinator& coordinator, Entity soldier, bool toggle)
{
    if (ThrowMode == 1)
        CancelThrow(coordinator);
    DeselectAll(coordinator);
    SelectPlayer(coordinator, soldier, toggle);
}

void bGameController::DeselectAll(Coordinator& coordinator)
{
    for (auto& [soldier, selected] : Players)
    {
        const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour == nullptr || !behaviour->active)
            continue;
        selected = false;
        behaviour->Deselect(coordinator);
    }
}

void bGameController::ForEachSelectedPlayer(Coordinator& coordinator, SoldierOrder order)
{
    if (LevelInDeploy())
        return;
    for (const auto& [soldier, selected] : Players)
        if (selected)
            if (const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier))
                ((*behaviour).*order)(coordinator);
}

bool bGameController::AnySelectedPlayer(SoldierCount member)
{
    bGameController* controller = GameControllerInstance();
    if (controller == nullptr || controller->world == nullptr)
        return false;
    for (const auto& [soldier, selected] : controller->Players)
    {
        if (!selected)
            continue;
        const auto behaviour = controller->world->GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour != nullptr && ((*behaviour).*member)() != 0)
            return true;
    }
    return false;
}

bool bGameController::AnySelected(const std::map<Entity, bool>& players)
{
    return std::any_of(players.begin(), players.end(), [](const auto& player) { return player.second; });
}

// --- Camera centring ----------------------------------------------------------------------------

void bGameController::CenterCameraOnSelection(Coordinator& coordinator)
{
    if (LevelInDeploy())
        return;
    std::vector<Vector2> positions;
    for (const auto& [soldier, selected] : Players)
        if (selected)
            if (const Transform* transform = coordinator.GetComponent<Transform>(soldier))
                positions.push_back(transform->position);
    if (positions.empty())
        return;
    const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    if (camera == nullptr)
        return;
    if (positions.size() == 1)
    {
        camera->StartEasedMove(coordinator, CentringSeconds, positions.front(), DefaultViewHeight);
        return;
    }

    // The farthest pair that differs in both coordinates; without one, the first and last soldier
    // (never the origin, which would pan away from the whole squad).
    Vector2 p = positions.front();
    Vector2 q = positions.back();
    float farthest = 0.0f;
    for (const Vector2& a : positions)
        for (const Vector2& b : positions)
        {
            if (a.x == b.x || a.y == b.y)
                continue;
            const float dx = a.x - b.x;
            const float dy = a.y - b.y;
            const float distance = dx * dx + dy * dy;
            if (distance > farthest)
            {
                farthest = distance;
                p = a;
                q = b;
            }
        }

    const float h = std::fabs(p.x - q.x) + CentringMargin;
    const float v = std::fabs(p.y - q.y) + CentringMargin;
    const float windowWidth = static_cast<float>(coordinator.WindowWidth);
    const float windowHeight = static_cast<float>(coordinator.WindowHeight);
    float height = DefaultViewHeight;
    if ((h >= 1920.0f || v >= 1080.0f) && windowWidth > 0.0f && windowHeight > 0.0f)
    {
        const float viewWidth = coordinator.ViewHeight * windowWidth / windowHeight;
        height = v / coordinator.ViewHeight > h / viewWidth ? v : h * windowHeight / windowWidth;
    }
    camera->StartEasedMove(coordinator, CentringSeconds, {(p.x + q.x) * 0.5f, (p.y + q.y) * 0.5f}, height);
}

// --- Steps of Update ----------------------------------------------------------------------------

void bGameController::SkipCutsceneEffects(Coordinator& coordinator)
{
    if (!Contains(coordinator.CurrentScene, "Cutscene") ||
        coordinator.GetKeyState(SquadKeys::LeftButton) != SquadKeys::Pressed)
        return;
    const std::vector<Entity> drawn(coordinator.GetSystem<sRendererSystem>()->entities.begin(),
                                    coordinator.GetSystem<sRendererSystem>()->entities.end());
    for (Entity entity : drawn)
    {
        const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(entity);
        if (image == nullptr || !image->active)
            continue;
        if (image->FXDuration <= 0.0f)
            image->active = false;
        if (image->ImageFX == ImageEffect::Flicker)
            image->FXDuration = 0.0f;
    }
    const std::vector<Entity> texts(coordinator.GetSystem<sFontSystem>()->entities.begin(),
                                    coordinator.GetSystem<sFontSystem>()->entities.end());
    for (Entity entity : texts)
    {
        const auto text = coordinator.GetBehaviourAs<bFontBehaviour>(entity);
        if (text == nullptr || !text->active || text->FontFX != TextEffect::Typewriter)
            continue;
        if (Font* font = coordinator.GetComponent<Font>(entity))
            font->message = text->FullText;
        text->TypedCount = text->FullText.size();
        text->TypewriterTimer = 0.0f;
    }
}

bool bGameController::HandlePauseKey(Coordinator& coordinator)
{
    bGameLogic* rules = GameLogicInstance();
    if (rules == nullptr)
        return false;
    const GameState state = rules->CurrentState;
    if (state == GameState::Win || state == GameState::Lose)
        return true;
    const bool escape = coordinator.GetKeyState(SquadKeys::Escape) == SquadKeys::Pressed;
    if (state == GameState::Paused)
    {
        if (escape)
        {
            PlaySound(coordinator, ClickSound);
            std::swap(rules->CurrentState, rules->PreviousState);
        }
        return true;
    }
    if (escape)
    {
        PlaySound(coordinator, ClickSound);
        rules->PreviousState = rules->CurrentState;
        rules->CurrentState = GameState::Paused;
    }
    return state == GameState::Deploy;
}

void bGameController::FreeEndedMoveMarkers(Coordinator& coordinator)
{
    for (std::size_t i = 0; i < MoveMarkers.size(); ++i)
    {
        std::shared_ptr<IBehaviour> behaviour;
        if (coordinator.GetBehaviour(MoveMarkers[i], behaviour) && !behaviour->active)
            MoveMarkersInUse.reset(i);
    }
}

void bGameController::UpdateSquadMarkers(Coordinator& coordinator)
{
    auto marker = SquadMarkers.begin();
    for (auto& [soldier, selected] : Players)
    {
        const auto behaviour = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour != nullptr && !behaviour->active)
            selected = false;
        if (marker == SquadMarkers.end())
            continue;
        const Transform* body = coordinator.GetComponent<Transform>(soldier);
        if (selected && body != nullptr)
            PlaceEntityAt(coordinator, *marker, body->position);
        else
            HideByPosition(coordinator, *marker);
        ++marker;
    }
}

void bGameController::HandleSelectionKeys(Coordinator& coordinator, int tutorialStep)
{
    static constexpr const char* SoldierTags[] = {"PLAYER1", "PLAYER2", "PLAYER3", "PLAYER4"};
    bool acted = false;
    for (int i = 0; i < 4 && !acted; ++i)
    {
        if (coordinator.GetKeyState(SquadKeys::Digit1 + i) != SquadKeys::Pressed)
            continue;
        const std::set<Entity> tagged =
            coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, SoldierTags[i]);
        if (ThrowMode == 1)
            CancelThrow(coordinator);
        DeselectAll(coordinator);
        if (!tagged.empty())
            SelectPlayer(coordinator, *tagged.begin(), true);
        acted = true;
    }
    if (!acted && coordinator.GetKeyState(SquadKeys::Digit5) == SquadKeys::Pressed)
    {
        // An aimed throw stays aimed: selecting everyone does not change who throws.
        DeselectAll(coordinator);
        for (const auto& player : Players)
            SelectPlayer(coordinator, player.first, true);
        acted = true;
    }
    if (acted && tutorialStep == 2)
        AdvanceTutorial(coordinator);
}

void bGameController::HandleOrderKeys(Coordinator& coordinator, int tutorialStep)
{
    struct OrderKey
    {
        int key;
        int firstStep; // the tutorial step from which it acts
        std::function<void()> action;
    };
    const OrderKey keys[] = {
        {'S', 0, [&] { ForEachSelectedPlayer(coordinator, &bPlayerBehaviour::StopPath); }},
        {'R', 10,
         [&] {
             ForEachSelectedPlayer(coordinator, &bPlayerBehaviour::Reload);
             if (tutorialStep == 10)
                 AdvanceTutorial(coordinator);
         }},
        {'W', 12, [&] { EnterThrowMode(coordinator, 1); }},
        {'Q', 12, [&] { EnterThrowMode(coordinator, 0); }},
        {'E', 9, [&] { ForEachSelectedPlayer(coordinator, &bPlayerBehaviour::Heal); }},
        {'F', 7, [&] { ForEachSelectedPlayer(coordinator, &bPlayerBehaviour::Breach); }},
        {'T', 0, [&] { CenterCameraOnSelection(coordinator); }},
    };
    for (const OrderKey& order : keys)
    {
        if (coordinator.GetKeyState(order.key) != SquadKeys::Pressed)
            continue;
        // A key the tutorial does not allow yet still ends the list for this frame.
        if (AllowedAt(tutorialStep, order.firstStep))
            order.action();
        return;
    }
}
