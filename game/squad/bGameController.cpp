#include "game/squad/bGameController.h"
#include "game/flow/PublishedInstances.h"

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
