#include "game/squad/bTargetableObjects.h"

void bTargetableObjects::Awake(Coordinator&)
{
}

void bTargetableObjects::Start(Coordinator&)
{
}

void bTargetableObjects::Update(Coordinator&)
{
}

void bTargetableObjects::OnSceneUnload(Coordinator&)
{
}

void bTargetableObjects::OnHover(Coordinator&)
{
}

void bTargetableObjects::TakeDamage(Coordinator&, float, Entity)
{
}

void bTargetableObjects::OnDeath(Coordinator&)
{
}

void bTargetableObjects::Deserialize(const rapidjson::Value&)
{
}

void bTargetableObjects::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bTargetableObjects::Inspect()
{
}
