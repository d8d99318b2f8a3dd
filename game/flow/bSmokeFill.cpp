#include "game/flow/bSmokeFill.h"

void bSmokeFill::Awake(Coordinator&)
{
}

void bSmokeFill::Start(Coordinator&)
{
}

void bSmokeFill::Update(Coordinator&)
{
}

void bSmokeFill::OnSceneUnload(Coordinator&)
{
}

void bSmokeFill::Deserialize(const rapidjson::Value&)
{
}

void bSmokeFill::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bSmokeFill::Inspect()
{
}
