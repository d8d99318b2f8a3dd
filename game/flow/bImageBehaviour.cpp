#include "game/flow/bImageBehaviour.h"

void bImageBehaviour::Awake(Coordinator&)
{
}

void bImageBehaviour::Start(Coordinator&)
{
}

void bImageBehaviour::Update(Coordinator&)
{
}

void bImageBehaviour::OnSceneUnload(Coordinator&)
{
}

void bImageBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bImageBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bImageBehaviour::Inspect()
{
}

void bImageBehaviour::UpdateHealthBar(Coordinator&)
{
}

Entity bImageBehaviour::ClearBoundDangerIcon(Coordinator&)
{
    return NO_ENTITY;
}
