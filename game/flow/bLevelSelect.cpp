#include "game/flow/bLevelSelect.h"

void bLevelSelect::Awake(Coordinator&)
{
}

void bLevelSelect::Start(Coordinator&)
{
}

void bLevelSelect::Update(Coordinator&)
{
}

void bLevelSelect::OnSceneUnload(Coordinator&)
{
}

void bLevelSelect::Deserialize(const rapidjson::Value&)
{
}

void bLevelSelect::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bLevelSelect::Inspect()
{
}

void bLevelSelect::SetGroupVisible(Coordinator&, bool, const std::string&, const std::string&)
{
}

void bLevelSelect::PlacePointer(Coordinator&, Entity, const std::string&)
{
}
