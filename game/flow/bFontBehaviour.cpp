#include "game/flow/bFontBehaviour.h"

void bFontBehaviour::Awake(Coordinator&)
{
}

void bFontBehaviour::Start(Coordinator&)
{
}

void bFontBehaviour::Update(Coordinator&)
{
}

void bFontBehaviour::OnSceneUnload(Coordinator&)
{
}

void bFontBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bFontBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bFontBehaviour::Inspect()
{
}
