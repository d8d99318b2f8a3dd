#include "game/flow/bUIButtonBehaviour.h"

#include "engine/components/Renderer.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/Window.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScenePaths.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

#include <array>
#include <utility>

// What an accepted click does, in its order: the scene target, the screens, the action, the game
// state. Scene targets and actions are tables, so each reads as one line of a list.

namespace
{
// A camera move to one soldier: one second, to the plain view height.
constexpr float FocusSeconds = 1.0f;
constexpr float FocusViewHeight = 1080.0f;
constexpr int GrenadeKind = 0;
constexpr int MolotovKind = 1;

// --- Scene targets --------------------------------------------------------------------------------

// Goes to a scene unless this click has already asked for one: a click never asks twice.
class SceneRequest
{
public:
    explicit SceneRequest(Coordinator& coordinator) : coordinator(coordinator) {}

    void GoTo(const std::string& path)
    {
        if (requested)
            return;
        requested = true;
        GoToScene(coordinator, path);
    }

private:
    Coordinator& coordinator;
    bool requested = false;
};

void MarkCutsceneShown(Coordinator& coordinator, const char* cutscene)
{
    coordinator.CutsceneCleared[cutscene] = true;
    SaveConfig(coordinator);
}

bool LevelIsUnlocked(const Coordinator& coordinator, int level)
{
    const auto found = coordinator.LevelUnlocked.find(level);
    return found != coordinator.LevelUnlocked.end() && found->second;
}

// The story so far decides: the first cutscene until it has been shown, then the cutscene of the
// newest level once, else the level select. A cutscene marked after the first one's request is
// marked without being shown.
void GoToNextCutscene(Coordinator& coordinator)
{
    struct LevelCutscene
    {
        int level;
        const char* cutscene;
        const char* scene;
    };
    static constexpr LevelCutscene LaterCutscenes[] = {
        {3, "Fourth Cutscene", FourthCutsceneScene},
        {2, "Third Cutscene", ThirdCutsceneScene},
        {1, "Second Cutscene", SecondCutsceneScene},
    };

    SceneRequest request(coordinator);
    if (!coordinator.CutsceneCleared["First Cutscene"])
    {
        MarkCutsceneShown(coordinator, "First Cutscene");
        request.GoTo(FirstCutsceneScene);
    }
    for (const LevelCutscene& later : LaterCutscenes)
    {
        if (LevelIsUnlocked(coordinator, later.level) && coordinator.HighestUnlockedLevel == later.level &&
            !coordinator.CutsceneCleared[later.cutscene])
        {
            MarkCutsceneShown(coordinator, later.cutscene);
            request.GoTo(later.scene);
            return;
        }
    }
    request.GoTo(LevelSelectScene);
}

// Progress back to a first start (the first level stays open), the first cutscene marked as it
// begins, saved at once.
void StartNewGame(Coordinator& coordinator)
{
    for (auto& [cutscene, shown] : coordinator.CutsceneCleared)
        shown = false;
    for (const int level : {3, 1, 2})
        coordinator.LevelUnlocked[level] = false;
    coordinator.HighestUnlockedLevel = 0;
    coordinator.TutorialCleared[1] = false;
    coordinator.TutorialCleared[2] = false;
    coordinator.CutsceneCleared["First Cutscene"] = true;
    SaveConfig(coordinator);
    GoToScene(coordinator, FirstCutsceneScene);
}

void RestartThisScene(Coordinator& coordinator)
{
    // A copy: the transition keeps its own, and the current scene changes with the swap.
    const std::string current = coordinator.CurrentScene;
    GoToScene(coordinator, current);
}

struct SceneKeyword
{
    const char* keyword;
    void (*go)(Coordinator& coordinator);
};

// Tested in this order, exactly and case-sensitively; any other non-empty target is a path.
constexpr SceneKeyword SceneKeywords[] = {
    {"CUTSCENE", GoToNextCutscene},
    {"NEWGAME", StartNewGame},
    {"CREDITS", [](Coordinator& coordinator) { GoToScene(coordinator, CreditsButtonScene); }},
    {"", [](Coordinator&) {}},
    {"EXIT", [](Coordinator&) { RequestWindowClose(); }},
    {"THIS_LEVEL", RestartThisScene},
};

// --- Actions ----------------------------------------------------------------------------------------

// Orders for the selected soldiers go through the squad controller; without one they do nothing.
template <class Work>
void WithController(Work&& work)
{
    if (bGameController* controller = GameControllerInstance())
        work(*controller);
}
}

void bUIButtonBehaviour::RunClick(Coordinator& coordinator)
{
    GoToSceneTarget(coordinator);
    SwitchScreens(coordinator);
    RunAction(coordinator);
    RequestGameState(coordinator);
}

void bUIButtonBehaviour::GoToSceneTarget(Coordinator& coordinator)
{
    for (const SceneKeyword& keyword : SceneKeywords)
    {
        if (LevelToTarget == keyword.keyword)
        {
            keyword.go(coordinator);
            return;
        }
    }
    GoToScene(coordinator, LevelToTarget);
}

void bUIButtonBehaviour::RunAction(Coordinator& coordinator)
{
    using Handler = void (*)(bUIButtonBehaviour& button, Coordinator& coordinator);
    static constexpr std::array<std::pair<ButtonAction, Handler>, 25> Actions = {{
        {ButtonAction::None, [](bUIButtonBehaviour&, Coordinator&) {}},
        {ButtonAction::Reload,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.ForEachSelectedPlayer(c, &bPlayerBehaviour::Reload); });
         }},
        {ButtonAction::Heal,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.ForEachSelectedPlayer(c, &bPlayerBehaviour::Heal); });
         }},
        {ButtonAction::DeactivateBindToEntity,
         [](bUIButtonBehaviour& button, Coordinator& c) { DeactivateBehaviour(c, button.boundEntity); }},
        {ButtonAction::Grenade,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.EnterThrowMode(c, GrenadeKind); });
         }},
        {ButtonAction::Molotov,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.EnterThrowMode(c, MolotovKind); });
         }},
        {ButtonAction::Player,
         [](bUIButtonBehaviour& button, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.SelectPlayer(c, button.AffectedEntity, true); });
         }},
        // Slider values are applied and saved when a knob is let go.
        {ButtonAction::ApplySoundSettings, [](bUIButtonBehaviour&, Coordinator&) {}},
        {ButtonAction::ResetSoundSettings, [](bUIButtonBehaviour& button, Coordinator& c) { button.ResetSoundSettings(c); }},
        {ButtonAction::ToggleFullScreen, [](bUIButtonBehaviour& button, Coordinator& c) { button.ToggleFullScreen(c); }},
        {ButtonAction::ToggleMute, [](bUIButtonBehaviour& button, Coordinator& c) { button.ToggleMute(c); }},
        {ButtonAction::PlusButtonMaster, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::MinusButtonMaster, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::PlusButtonMusic, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::MinusButtonMusic, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::PlusButtonSFX, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::MinusButtonSFX, [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::PlusButtonCameraSensitivity,
         [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::MinusButtonCameraSensitivity,
         [](bUIButtonBehaviour& button, Coordinator& c) { button.StepSlider(c); }},
        {ButtonAction::Breach,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.ForEachSelectedPlayer(c, &bPlayerBehaviour::Breach); });
         }},
        {ButtonAction::StopPath,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.ForEachSelectedPlayer(c, &bPlayerBehaviour::StopPath); });
         }},
        {ButtonAction::CenterCam,
         [](bUIButtonBehaviour&, Coordinator& c) {
             WithController([&](bGameController& squad) { squad.CenterCameraOnSelection(c); });
         }},
        {ButtonAction::SkipTutorial,
         [](bUIButtonBehaviour&, Coordinator& c) {
             if (bTutorialLogic* tutorial = TutorialLogicInstance())
             {
                 tutorial->TutorialStep = bTutorialLogic::FinishedStep;
                 tutorial->End(c);
             }
         }},
        {ButtonAction::SpecificCenterCam,
         [](bUIButtonBehaviour& button, Coordinator& c) {
             // A soldier that is not there is not looked for; the camera stays.
             Vector2 soldier;
             const auto camera = c.GetBehaviourAs<bCameraBehaviour>(c.CameraEntity);
             if (camera != nullptr && PositionOf(c, button.AffectedEntity, soldier))
                 camera->StartEasedMove(c, FocusSeconds, soldier, FocusViewHeight);
             WithController([&](bGameController& squad) { squad.SelectOnlyPlayer(c, button.AffectedEntity, false); });
         }},
        {ButtonAction::ButtonDisappear,
         [](bUIButtonBehaviour& button, Coordinator& c) {
             // Invisible, still clickable.
             if (Renderer* renderer = c.GetComponent<Renderer>(button.entity))
                 renderer->opacity = 0.0f;
         }},
    }};

    for (const auto& [action, handler] : Actions)
    {
        if (action == UniqueBehaviour)
        {
            handler(*this, coordinator);
            return;
        }
    }
}

void bUIButtonBehaviour::RequestGameState(Coordinator&)
{
    bGameLogic* rules = GameLogicInstance();
    if (ChangeGameState == GameState::None || rules == nullptr)
        return;
    if (ChangeGameState == GameState::Previous)
        std::swap(rules->CurrentState, rules->PreviousState);
    else
        rules->SetState(ChangeGameState);
}
