#include "game/flow/bOneShot.h"

void bOneShot::Awake(Coordinator&)
{
}

void bOneShot::Start(Coordinator&)
{
}

void bOneShot::Update(Coordinator&)
{
}

void bOneShot::OnSceneUnload(Coordinator&)
{
}

void bOneShot::Deserialize(const rapidjson::Value&)
{
}

void bOneShot::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bOneShot::Inspect()
{
}
