#include "game/squad/bChargerZombie.h"

void bChargerZombie::Awake(Coordinator&)
{
}

void bChargerZombie::Start(Coordinator&)
{
}

void bChargerZombie::Update(Coordinator&)
{
}

void bChargerZombie::OnSceneUnload(Coordinator&)
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
