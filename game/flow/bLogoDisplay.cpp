#include "game/flow/bLogoDisplay.h"

void bLogoDisplay::Awake(Coordinator&)
{
}

void bLogoDisplay::Start(Coordinator&)
{
}

void bLogoDisplay::Update(Coordinator&)
{
}

void bLogoDisplay::OnSceneUnload(Coordinator&)
{
}

void bLogoDisplay::Deserialize(const rapidjson::Value&)
{
}

void bLogoDisplay::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bLogoDisplay::Inspect()
{
}

void bLogoDisplay::Change(Coordinator&)
{
}
