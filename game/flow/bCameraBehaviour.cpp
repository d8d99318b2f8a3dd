#include "game/flow/bCameraBehaviour.h"

void bCameraBehaviour::Awake(Coordinator&)
{
}

void bCameraBehaviour::Start(Coordinator&)
{
}

void bCameraBehaviour::Update(Coordinator&)
{
}

void bCameraBehaviour::OnSceneUnload(Coordinator&)
{
}

void bCameraBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bCameraBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bCameraBehaviour::Inspect()
{
}
