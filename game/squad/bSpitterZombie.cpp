#include "game/squad/bSpitterZombie.h"

void bSpitterZombie::Awake(Coordinator&)
{
}

void bSpitterZombie::Start(Coordinator&)
{
}

void bSpitterZombie::Update(Coordinator&)
{
}

void bSpitterZombie::OnSceneUnload(Coordinator&)
{
}

void bSpitterZombie::OnCollision(Coordinator&, Entity)
{
}

void bSpitterZombie::TakeDamage(Coordinator&, float, Entity)
{
}

void bSpitterZombie::OnDeath(Coordinator&)
{
}

void bSpitterZombie::Spit(Coordinator&)
{
}

void bSpitterZombie::Deserialize(const rapidjson::Value&)
{
}

void bSpitterZombie::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bSpitterZombie::Inspect()
{
}
