#include "game/squad/bUniqueGrid.h"

void bUniqueGrid::Awake(Coordinator&)
{
}

void bUniqueGrid::Start(Coordinator&)
{
}

void bUniqueGrid::Update(Coordinator&)
{
}

void bUniqueGrid::OnSceneUnload(Coordinator&)
{
}

void bUniqueGrid::Deserialize(const rapidjson::Value&)
{
}

void bUniqueGrid::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bUniqueGrid::Inspect()
{
}
