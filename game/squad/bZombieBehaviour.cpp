#include "game/squad/bZombieBehaviour.h"

void bZombieBehaviour::Awake(Coordinator&)
{
}

void bZombieBehaviour::Start(Coordinator&)
{
}

void bZombieBehaviour::Update(Coordinator&)
{
}

void bZombieBehaviour::OnSceneUnload(Coordinator&)
{
}

void bZombieBehaviour::TakeDamage(Coordinator&, float, Entity)
{
}

void bZombieBehaviour::OnDeath(Coordinator&)
{
}

void bZombieBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bZombieBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bZombieBehaviour::Inspect()
{
}
