#include "game/squad/bGameController.h"

void bGameController::EnterThrowMode(Coordinator&, int)
{
}

void bGameController::CancelThrow(Coordinator&)
{
}

void bGameController::HandleThrowAim(Coordinator&, int)
{
}

void bGameController::TraceThrowPath(Coordinator&, std::vector<Vector2>&, std::vector<Vector2>&, Vector2, Vector2,
                                     float, Entity)
{
}

void bGameController::DrawTrajectory(Coordinator&, Vector2, const std::vector<Vector2>&)
{
}

void bGameController::PlaceAoeIndicators(Coordinator&, Vector2)
{
}

void bGameController::SetAoeIndicatorsActive(Coordinator&, bool)
{
}

void bGameController::HideTrajectory(Coordinator&)
{
}
