#include "game/squad/bPlayerBehaviour.h"

void bPlayerBehaviour::OnCollision(Coordinator&, Entity)
{
}

void bPlayerBehaviour::TakeDamage(Coordinator&, float, Entity)
{
}

void bPlayerBehaviour::OnDeath(Coordinator&)
{
}

void bPlayerBehaviour::Breach(Coordinator&)
{
}

void bPlayerBehaviour::Select(Coordinator&)
{
}

void bPlayerBehaviour::Deselect(Coordinator&)
{
}

void bPlayerBehaviour::TrackOffscreenMarker(Coordinator&)
{
}

void bPlayerBehaviour::MarkSeenPickups(Coordinator&, const std::vector<Entity>&)
{
}

void bPlayerBehaviour::UpdateDoorsInReach(Coordinator&, const std::vector<Entity>&)
{
}

void bPlayerBehaviour::FinishContactFrame(Coordinator&)
{
}
