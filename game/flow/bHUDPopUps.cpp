#include "game/flow/bHUD.h"

void bHUD::Update(Coordinator&)
{
}

void bHUD::PushPopUpText(const std::string&)
{
}

void bHUD::ShowPlayerDeathIcon(Coordinator&, Entity)
{
}

void bHUD::UpdateOffscreenMarker(Coordinator&, Vector2, int, float, float, float, float, float)
{
}

void bHUD::HideOffscreenMarker(Coordinator&, int)
{
}

void bHUD::ShowPauseMenu(Coordinator&)
{
}

void bHUD::HidePauseMenu(Coordinator&)
{
}

void bHUD::StartTitleEffects(Coordinator&)
{
}

void bHUD::ShowEndPopup(Coordinator&, Entity)
{
}

void bHUD::ResumeSoldierList(Coordinator&)
{
}
