#include "game/squad/bPlayerBehaviour.h"

bPlayerBehaviour::~bPlayerBehaviour()
{
}

void bPlayerBehaviour::Awake(Coordinator&)
{
}

void bPlayerBehaviour::Start(Coordinator&)
{
}

void bPlayerBehaviour::Update(Coordinator&)
{
}

void bPlayerBehaviour::OnSceneUnload(Coordinator&)
{
}

void bPlayerBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bPlayerBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bPlayerBehaviour::Inspect()
{
}
