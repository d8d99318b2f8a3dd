#include "game/flow/bGameLogic.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/SettingsFile.h"
#include "engine/platform/audio/AudioGroup.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/definitions/NameTableJson.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bHUD.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/bCharacterBehaviour.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <numbers>

namespace
{
// The last zombies are marked this long after they became due.
constexpr float MarkDelay = 90.0f;
// Progress from which the level counts as won (ten additions of 10 may fall short of 100).
constexpr float WinningProgress = 99.9f;
// Progress, or zombies left, from which the last zombies are due for marking.
constexpr float MarkingProgress = 85.0f;
constexpr float MarkingZombiesLeft = 2.0f;
// The level title's own fade, started with the opening pan, and every title effect's length.
constexpr float TitleFadeLimit = 0.0f;
constexpr float TitleEffectSeconds = 1.0f;
const char* const MarkMessage = "The remaining zombies left are marked";
const char* const DeathSound = "PlayerDie_false_SFX_";
const char* const WinMusic = "winbgm_true_gameBGM_";

// Adds one fixed step per step of the frame, up to the limit.
void CountSteps(const Coordinator& coordinator, float& timer, float limit)
{
    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        if (!(timer < limit))
            return;
        timer += FixedStepSeconds;
        if (timer > limit)
            timer = limit;
    }
}

std::string NameOf(Coordinator& coordinator, Entity entity)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr ? identifier->name : std::string();
}

// Letterbox bars come after the title; a level without a title starts its list with one.
bool IsLetterbox(Coordinator& coordinator, Entity entity)
{
    return NameOf(coordinator, entity).rfind("Letterbox", 0) == 0;
}

// What the level-title effects do to one entry: a one-second effect aimed back at its home
// height, hiding the entry when it is over.
void StartTitleEffect(Coordinator& coordinator, Entity entry)
{
    const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(entry);
    if (image == nullptr)
        return;
    image->FXDuration = TitleEffectSeconds;
    image->FXRemaining = TitleEffectSeconds;
    image->RetargetFX(coordinator, image->initialCameraOffset.y);
    image->HideWhenFXEnds = true;
}

void SetBehaviourActive(Coordinator& coordinator, Entity entity, bool active)
{
    std::shared_ptr<IBehaviour> behaviour;
    if (coordinator.GetBehaviour(entity, behaviour))
        behaviour->active = active;
}
}

bGameLogic::~bGameLogic()
{
    // Only this behaviour's own publication is withdrawn.
    if (GameLogicInstance() == this)
        GameLogicInstance() = nullptr;
}

void bGameLogic::Awake(Coordinator& coordinator)
{
    GameLogicInstance() = this;
    const sIdentifierSystem* names = coordinator.GetSystem<sIdentifierSystem>();
    const std::set<Entity> soldiers = names->FindEntitiesWithTag(coordinator, "PLAYER");
    PlayerCensus.clear();
    for (const Entity soldier : soldiers)
        PlayerCensus.emplace(NameOf(coordinator, soldier), soldier);
    PlayersAlive = static_cast<int>(soldiers.size());
    RemainingEnemies = static_cast<int>(names->FindEntitiesWithTag(coordinator, "ENEMY").size());
    InitialEnemies = RemainingEnemies;
    Level = LevelFiles().Find(coordinator.PendingScene).value_or(LevelId::None);
}

void bGameLogic::Start(Coordinator&)
{
    const GameState opening = PlayersAlive != 0 && RemainingEnemies != 0 ? GameState::Deploy : GameState::Menus;
    CurrentState = opening;
    PreviousState = opening;
}

void bGameLogic::Update(Coordinator& coordinator)
{
    PlayOpeningPan(coordinator);
    MarkLastZombies(coordinator);
    if (CurrentState != LastSeenState)
        EnterState(coordinator);
    LastSeenState = CurrentState;
    EndOpening(coordinator);

    if (CurrentState == GameState::Playing)
    {
        if (PlayersAlive <= 0)
            Lose(coordinator, false);
        else if (Progress >= WinningProgress)
            Win(coordinator);
    }

    if (coordinator.Unfocused && CurrentState != GameState::Paused && CurrentState != GameState::Win &&
        CurrentState != GameState::Lose)
    {
        PreviousState = CurrentState;
        CurrentState = GameState::Paused;
    }
}

void bGameLogic::OnSceneUnload(Coordinator&)
{
}

// --- The opening ----------------------------------------------------------------------------------

void bGameLogic::PlayOpeningPan(Coordinator& coordinator)
{
    if (IntroStarted || CurrentState != GameState::Deploy)
        return;
    CountSteps(coordinator, IntroTimer, IntroDelay);
    if (IntroTimer < IntroDelay)
        return;

    // A pan of no time would have no speed: the camera stays.
    const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
    if (camera != nullptr && PanDuration > 0.0f)
    {
        Vector2 start = camera->LastQueuedTarget;
        if (camera->Moves.empty())
            PositionOf(coordinator, coordinator.CameraEntity, start);
        // The sine profile covers the peak velocity times 2 x duration / pi.
        const float spread = 2.0f * PanDuration / std::numbers::pi_v<float>;
        camera->Moves.push_back({PanDuration, {(PanToX - start.x) / spread, (PanToY - start.y) / spread}, 0.0f, true});
        camera->LastQueuedTarget = {PanToX, PanToY};
    }

    // The title fades with the pan; a level without a title keeps its letterbox until the title
    // effects start it with the other bar.
    if (bHUD* hud = HUDInstance(); hud != nullptr && !hud->LevelTitleEntities.empty())
    {
        const Entity title = hud->LevelTitleEntities.front();
        if (!IsLetterbox(coordinator, title))
            if (const auto image = coordinator.GetBehaviourAs<bImageBehaviour>(title))
            {
                image->FXDuration = TitleEffectSeconds;
                image->FXRemaining = TitleEffectSeconds;
                image->RetargetFX(coordinator, TitleFadeLimit);
            }
    }
    IntroStarted = true;
}

void bGameLogic::EndOpening(Coordinator& coordinator)
{
    if (!IntroStarted || CurrentState != GameState::Deploy)
        return;
    bHUD* hud = HUDInstance();
    if (!TitlesStarted)
    {
        const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity);
        if (camera != nullptr && camera->CurrentMove.Duration <= 0.0f && camera->Moves.empty())
        {
            if (hud != nullptr)
            {
                // Without a title the first entry is a letterbox bar, which must leave the screen
                // like the other one rather than stay across it.
                if (!hud->LevelTitleEntities.empty() && IsLetterbox(coordinator, hud->LevelTitleEntities.front()))
                    StartTitleEffect(coordinator, hud->LevelTitleEntities.front());
                bHUD::StartTitleEffects(coordinator);
            }
            TitlesStarted = true;
        }
    }
    if (hud != nullptr && !hud->LevelTitleEntities.empty() &&
        HasInactiveBehaviour(coordinator, hud->LevelTitleEntities.back()))
    {
        PreviousState = CurrentState;
        CurrentState = GameState::Playing;
    }
}

// --- Marking the last zombies ---------------------------------------------------------------------

void bGameLogic::MarkLastZombies(Coordinator& coordinator)
{
    if (!MarkPending)
        return;
    CountSteps(coordinator, MarkTimer, MarkDelay);
    if (MarkTimer < MarkDelay || MarkDone)
        return;
    if (HUDInstance() != nullptr)
        bHUD::PushPopUpText(MarkMessage);
    MarkRemainingZombies(coordinator);
    MarkDone = true;
}

void bGameLogic::OnZombieKilled()
{
    bGameLogic& rules = *GameLogicInstance();
    --rules.RemainingEnemies;
    if (rules.GameObjective == ObjectiveType::KillAllZombies && rules.InitialEnemies > 0)
        rules.Progress += (1.0f / static_cast<float>(rules.InitialEnemies)) * 100.0f;
    rules.MarkPending = rules.MarkPending || rules.Progress >= MarkingProgress ||
                        static_cast<float>(rules.RemainingEnemies) == MarkingZombiesLeft;
}

void bGameLogic::MarkRemainingZombies(Coordinator& coordinator)
{
    for (const Entity enemy : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "ENEMY"))
    {
        const auto zombie = coordinator.GetBehaviourAs<bCharacterBehaviour>(enemy);
        if (zombie != nullptr && zombie->active)
            zombie->ShowDangerIcon(coordinator);
    }
}

// --- State requests and the verdict -----------------------------------------------------------

void bGameLogic::SetState(const GameState& requested)
{
    // A copy: the request may be one of this behaviour's own fields (PreviousState).
    const GameState state = requested;
    if (state == GameState::Paused && (CurrentState == GameState::Win || CurrentState == GameState::Lose))
        return;
    if (state == CurrentState)
        return;
    PreviousState = CurrentState;
    CurrentState = state;
}

void bGameLogic::Win(Coordinator& coordinator)
{
    CurrentState = GameState::Win;
    if (const std::optional<LevelId> level = LevelFiles().Find(coordinator.CurrentScene))
    {
        const int number = static_cast<int>(*level);
        const auto next = coordinator.LevelUnlocked.upper_bound(number);
        if (coordinator.LevelUnlocked.count(number) != 0 && next != coordinator.LevelUnlocked.end())
        {
            next->second = true;
            if (coordinator.HighestUnlockedLevel < next->first)
                coordinator.HighestUnlockedLevel = next->first;
            // Saved at once: a crash before the player leaves the level must not take the unlock.
            SaveConfig(coordinator);
        }
    }
    if (bTutorialLogic* tutorial = TutorialLogicInstance())
        tutorial->End(coordinator);
}

void bGameLogic::Lose(Coordinator& coordinator, bool killPlayers)
{
    if (killPlayers)
    {
        for (const auto& [name, soldier] : PlayerCensus)
        {
            const auto player = coordinator.GetBehaviourAs<bPlayerBehaviour>(soldier);
            // The dead stay dead: no second drop of their supplies, no second count.
            if (player != nullptr && player->active)
                player->OnDeath(coordinator);
        }
    }
    coordinator.GetSystem<sSoundSystem>()->PlaySfx(DeathSound, coordinator);
    CurrentState = GameState::Lose;
}

// --- Entry actions ------------------------------------------------------------------------------

void bGameLogic::EnterState(Coordinator& coordinator)
{
    switch (CurrentState)
    {
    case GameState::Deploy:
        if (LastSeenState == GameState::None)
            EnterOpening(coordinator);
        else if (LastSeenState == GameState::Paused)
            ResumeOpening(coordinator);
        break;
    case GameState::Playing:
        EnterPlaying(coordinator);
        break;
    case GameState::Paused:
        EnterPaused(coordinator);
        break;
    case GameState::Win:
        EnterVerdict(coordinator, true);
        break;
    case GameState::Lose:
        EnterVerdict(coordinator, false);
        break;
    default:
        break;
    }
}

void bGameLogic::EnterOpening(Coordinator& coordinator)
{
    FreezeOthers(coordinator);
    UnfreezeTransition(coordinator);
    if (bHUD* hud = HUDInstance())
    {
        PauseQueue& queue = coordinator.PauseQueue;
        if (hud->PauseButton != NO_ENTITY)
            queue.Unfreeze(hud->PauseButton);
        for (const Entity element : hud->HudBarEntities)
            queue.Unfreeze(element);
        for (const Entity element : hud->SoldierPortraits)
            queue.Unfreeze(element);
        ForEachHudGroupMember([&](Entity element) { queue.Deactivate(element, coordinator); });
    }
    if (bGameController* squad = GameControllerInstance())
        coordinator.PauseQueue.Unfreeze(squad->entity);
    if (TutorialLogicInstance() != nullptr)
        bTutorialLogic::HideAll(coordinator);
}

void bGameLogic::ResumeOpening(Coordinator& coordinator)
{
    const bTutorialLogic* tutorial = TutorialLogicInstance();
    for (const Entity other : Others(coordinator))
    {
        if (tutorial != nullptr &&
            std::find(tutorial->Panels.begin(), tutorial->Panels.end(), other) != tutorial->Panels.end())
            continue;
        coordinator.PauseQueue.Unfreeze(other);
    }
    if (bHUD* hud = HUDInstance())
    {
        for (const Entity entry : hud->LevelTitleEntities)
            SetBehaviourActive(coordinator, entry, hud->active);
        bHUD::HidePauseMenu(coordinator);
    }
}

void bGameLogic::EnterPlaying(Coordinator& coordinator)
{
    if (LastSeenState == GameState::Deploy || LastSeenState == GameState::Paused)
        for (const Entity other : Others(coordinator))
            coordinator.PauseQueue.Unfreeze(other);
    if (TutorialLogicInstance() != nullptr)
        bTutorialLogic::ShowAll(coordinator);
    if (HUDInstance() != nullptr)
    {
        bHUD::HidePauseMenu(coordinator);
        ForEachHudGroupMember([&](Entity element) { coordinator.PauseQueue.Reactivate(element); });
    }
}

void bGameLogic::EnterPaused(Coordinator& coordinator)
{
    FreezeOthers(coordinator);
    if (HUDInstance() != nullptr)
    {
        bHUD::ShowPauseMenu(coordinator);
        ForEachHudGroupMember([&](Entity element) { coordinator.PauseQueue.Deactivate(element, coordinator); });
    }
    if (TutorialLogicInstance() != nullptr)
        bTutorialLogic::HideAll(coordinator);
    UnfreezeTransition(coordinator);
    if (bGameController* squad = GameControllerInstance())
        squad->DragStart = {};
}

void bGameLogic::EnterVerdict(Coordinator& coordinator, bool won)
{
    FreezeOthers(coordinator);
    UnfreezeTransition(coordinator);
    if (bHUD* hud = HUDInstance())
    {
        const std::vector<Entity>& popup = won ? hud->WinPopupEntities : hud->LosePopupEntities;
        if (!popup.empty())
            hud->ShowEndPopup(coordinator, popup.front());
        bHUD::ResumeSoldierList(coordinator);
    }
    if (!won)
        return;
    sSoundSystem* sound = coordinator.GetSystem<sSoundSystem>();
    if (AudioGroup* effects = sound->GetSoundGroup("sfxGroup"))
        effects->Stop();
    sound->PlayBgm(WinMusic, coordinator);
}

// --- Helpers ------------------------------------------------------------------------------------

std::vector<Entity> bGameLogic::Others(Coordinator& coordinator) const
{
    std::vector<Entity> others;
    for (const Entity other : coordinator.GetSystem<sIdentifierSystem>()->entities)
        if (other != entity)
            others.push_back(other);
    return others;
}

void bGameLogic::FreezeOthers(Coordinator& coordinator)
{
    for (const Entity other : Others(coordinator))
        coordinator.PauseQueue.Freeze(other, coordinator);
}

void bGameLogic::UnfreezeTransition(Coordinator& coordinator)
{
    const std::set<Entity> transitions =
        coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "TRANSITION");
    if (!transitions.empty())
        coordinator.PauseQueue.Unfreeze(*transitions.begin());
}

void bGameLogic::ForEachHudGroupMember(const std::function<void(Entity)>& action) const
{
    const bHUD* hud = HUDInstance();
    if (hud == nullptr)
        return;
    if (hud->PauseButton != NO_ENTITY)
        action(hud->PauseButton);
    for (const std::vector<Entity>* group :
         {&hud->HudBarEntities, &hud->SoldierPortraits, &hud->SoldierPanelEntities, &hud->SelectionEntities})
        for (const Entity element : *group)
            action(element);
}

// --- JSON and inspector -------------------------------------------------------------------------

void bGameLogic::Deserialize(const rapidjson::Value& object)
{
    ReadTableKey(object, "GameObjective", ObjectiveTypes(), GameObjective);
    NoExplosives = Json::Bool(object, "NoExplosives", NoExplosives);
    PanToX = Json::Float(object, "PanToX", PanToX);
    PanToY = Json::Float(object, "PanToY", PanToY);
    PanDuration = Json::Float(object, "PanDuration", PanDuration);
}

void bGameLogic::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    WriteTableKey(object, "GameObjective", ObjectiveTypes(), GameObjective, allocator);
    object.AddMember("NoExplosives", NoExplosives, allocator);
    object.AddMember("PanToX", static_cast<double>(PanToX), allocator);
    object.AddMember("PanToY", static_cast<double>(PanToY), allocator);
    object.AddMember("PanDuration", static_cast<double>(PanDuration), allocator);
}

void bGameLogic::Inspect()
{
    if (!ImGui::CollapsingHeader("Game Logic Behaviour"))
        return;
    std::string objective = ObjectiveTypes().KeyOf(GameObjective).value_or(std::string());
    ImGui::SetNextItemWidth(180.0f);
    if (ImGui::InputText("GameObjective", &objective))
        if (const std::optional<ObjectiveType> chosen = ObjectiveTypes().Find(objective))
            GameObjective = *chosen;
}
