#include "game/squad/bChargerZombie.h"

void bChargerZombie::Awake(Coordinator&)
{
}

void bChargerZombie::Start(Coordinator&)
{
}

void bChargerZombie::OnSceneUnload(Coordinator&)
{
}

void bChargerZombie::OnCollision(Coordinator&, Entity)
{
}

void bChargerZombie::TakeDamage(Coordinator&, float, Entity)
{
}

void bChargerZombie::OnDeath(Coordinator&)
{
}

void bChargerZombie::SetState(Coordinator&, int)
{
}

void bChargerZombie::ChargeHit(Coordinator&, Entity)
{
}

void bChargerZombie::SetBlockActive(Coordinator&, bool)
{
}

void bChargerZombie::Deserialize(const rapidjson::Value&)
{
}

void bChargerZombie::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bChargerZombie::Inspect()
{
}
