#include "game/squad/bExplosives.h"

void bExplosives::Awake(Coordinator&)
{
}

void bExplosives::Start(Coordinator&)
{
}

void bExplosives::Update(Coordinator&)
{
}

void bExplosives::OnSceneUnload(Coordinator&)
{
}

void bExplosives::Inspect()
{
}

void bExplosives::Deserialize(const rapidjson::Value&)
{
}

void bExplosives::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bExplosives::FollowBouncePath(Coordinator&)
{
}

void bExplosives::Explode(Coordinator&)
{
}
