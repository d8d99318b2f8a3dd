#include "game/squad/bGameController.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bTutorialLogic.h"

#include <algorithm>

bGameController::~bGameController()
{
    // Only this behaviour's own publication is withdrawn.
    if (GameControllerInstance() == this)
        GameControllerInstance() = nullptr;
}

void bGameController::Awake(Coordinator&)
{
}

void bGameController::Start(Coordinator&)
{
}

void bGameController::Update(Coordinator&)
{
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

void bGameController::SelectPlayer(Coordinator&, Entity, bool)
{
}

void bGameController::SelectOnlyPlayer(Coordinator&, Entity, bool)
{
}

void bGameController::DeselectAll(Coordinator&)
{
}

void bGameController::ForEachSelectedPlayer(Coordinator&, SoldierOrder)
{
}

bool bGameController::AnySelectedPlayer(SoldierCount)
{
    return false;
}

bool bGameController::AnySelected(const std::map<Entity, bool>& players)
{
    return std::any_of(players.begin(), players.end(), [](const auto& player) { return player.second; });
}

void bGameController::CenterCameraOnSelection(Coordinator&)
{
}

void bGameController::SkipCutsceneEffects(Coordinator&)
{
}

bool bGameController::HandlePauseKey(Coordinator&)
{
    return false;
}

void bGameController::UpdateSquadMarkers(Coordinator&)
{
}

void bGameController::HandleSelectionKeys(Coordinator&, int)
{
}

void bGameController::HandleOrderKeys(Coordinator&, int)
{
}

void bGameController::ChooseSceneMusic(Coordinator&)
{
}
