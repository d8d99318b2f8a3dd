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

void bCameraBehaviour::QueueMove(Coordinator&, float, const Vector2&)
{
}

void bCameraBehaviour::QueueMoveAtSpeed(Coordinator&, const Vector2&, float)
{
}

void bCameraBehaviour::StartEasedMove(Coordinator&, float, const Vector2&, float)
{
}

void bCameraBehaviour::ZoomTo(Coordinator&, const Vector2&, float, float)
{
}

void bCameraBehaviour::NextMove()
{
}
