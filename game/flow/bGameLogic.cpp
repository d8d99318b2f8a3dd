#include "game/flow/bGameLogic.h"
#include "game/flow/PublishedInstances.h"

bGameLogic::~bGameLogic()
{
    // Only this behaviour's own publication is withdrawn.
    if (GameLogicInstance() == this)
        GameLogicInstance() = nullptr;
}

void bGameLogic::Awake(Coordinator&)
{
}

void bGameLogic::Start(Coordinator&)
{
}

void bGameLogic::Update(Coordinator&)
{
}

void bGameLogic::OnSceneUnload(Coordinator&)
{
}

void bGameLogic::Deserialize(const rapidjson::Value&)
{
}

void bGameLogic::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bGameLogic::Inspect()
{
}

void bGameLogic::SetState(const GameState&)
{
}

void bGameLogic::OnZombieKilled()
{
}

void bGameLogic::Win(Coordinator&)
{
}

void bGameLogic::Lose(Coordinator&, bool)
{
}

void bGameLogic::MarkRemainingZombies(Coordinator&)
{
}
