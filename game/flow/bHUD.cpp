#include "game/flow/bHUD.h"
#include "game/flow/PublishedInstances.h"

bHUD::~bHUD()
{
    // Only this behaviour's own publication is withdrawn.
    if (HUDInstance() == this)
        HUDInstance() = nullptr;
}

void bHUD::Awake(Coordinator&)
{
}

void bHUD::Start(Coordinator&)
{
}

void bHUD::OnSceneUnload(Coordinator&)
{
}

void bHUD::Deserialize(const rapidjson::Value&)
{
}

void bHUD::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bHUD::Inspect()
{
}

void bHUD::AddSoldierStatText(Coordinator&, int, Entity, const std::string&)
{
}
