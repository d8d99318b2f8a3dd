#include "game/flow/bDoorBehaviour.h"

bDoorBehaviour::~bDoorBehaviour()
{
}

void bDoorBehaviour::Awake(Coordinator&)
{
}

void bDoorBehaviour::Start(Coordinator&)
{
}

void bDoorBehaviour::Update(Coordinator&)
{
}

void bDoorBehaviour::OnSceneUnload(Coordinator&)
{
}

void bDoorBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bDoorBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bDoorBehaviour::Inspect()
{
}

void bDoorBehaviour::ReleaseButton(Coordinator&)
{
}
