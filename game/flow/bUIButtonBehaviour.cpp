#include "game/flow/bUIButtonBehaviour.h"

void bUIButtonBehaviour::Awake(Coordinator&)
{
}

void bUIButtonBehaviour::Start(Coordinator&)
{
}

void bUIButtonBehaviour::Update(Coordinator&)
{
}

void bUIButtonBehaviour::OnSceneUnload(Coordinator&)
{
}

void bUIButtonBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bUIButtonBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bUIButtonBehaviour::Inspect()
{
}

void bUIButtonBehaviour::OnHover(Coordinator&)
{
}

void bUIButtonBehaviour::RefreshAvailability(Coordinator&)
{
}

void bUIButtonBehaviour::SwitchScreens()
{
}
