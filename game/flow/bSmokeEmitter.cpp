#include "game/flow/bSmokeEmitter.h"

void bSmokeEmitter::Awake(Coordinator&)
{
}

void bSmokeEmitter::Start(Coordinator&)
{
}

void bSmokeEmitter::Update(Coordinator&)
{
}

void bSmokeEmitter::OnSceneUnload(Coordinator&)
{
}

void bSmokeEmitter::Deserialize(const rapidjson::Value&)
{
}

void bSmokeEmitter::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bSmokeEmitter::Inspect()
{
}
