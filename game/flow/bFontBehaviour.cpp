#include "game/flow/bFontBehaviour.h"

void bFontBehaviour::Awake(Coordinator&)
{
}

void bFontBehaviour::Start(Coordinator&)
{
}

void bFontBehaviour::Update(Coordinator&)
{
}

void bFontBehaviour::OnSceneUnload(Coordinator&)
{
}

void bFontBehaviour::Deserialize(const rapidjson::Value&)
{
}

void bFontBehaviour::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bFontBehaviour::Inspect()
{
}

void bFontBehaviour::RefreshBoundData(Coordinator&)
{
}

void bFontBehaviour::ShowClipRounds(Font&, const bPlayerBehaviour&)
{
}

void bFontBehaviour::ShowAmmoTotal(Font&, const bPlayerBehaviour&)
{
}

void bFontBehaviour::ShowGrenades(Font&, const bPlayerBehaviour&)
{
}

void bFontBehaviour::ShowMolotovs(Font&, const bPlayerBehaviour&)
{
}
