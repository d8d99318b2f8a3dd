#include "game/squad/bAOEdamage.h"

void bAOEdamage::Awake(Coordinator&)
{
}

void bAOEdamage::Start(Coordinator&)
{
}

void bAOEdamage::Update(Coordinator&)
{
}

void bAOEdamage::OnSceneUnload(Coordinator&)
{
}

void bAOEdamage::Inspect()
{
}

void bAOEdamage::Deserialize(const rapidjson::Value&)
{
}

void bAOEdamage::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bAOEdamage::ApplyHit(Coordinator&, Entity)
{
}
