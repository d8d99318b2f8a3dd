#include "game/flow/bTutorialLogic.h"
#include "game/flow/PublishedInstances.h"

bTutorialLogic::~bTutorialLogic()
{
    // Only this behaviour's own publication is withdrawn.
    if (TutorialLogicInstance() == this)
        TutorialLogicInstance() = nullptr;
}

void bTutorialLogic::Awake(Coordinator&)
{
}

void bTutorialLogic::Start(Coordinator&)
{
}

void bTutorialLogic::Update(Coordinator&)
{
}

void bTutorialLogic::OnSceneUnload(Coordinator&)
{
}

void bTutorialLogic::Deserialize(const rapidjson::Value&)
{
}

void bTutorialLogic::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bTutorialLogic::Inspect()
{
}

void bTutorialLogic::Advance(Coordinator&)
{
}

void bTutorialLogic::End(Coordinator&)
{
}

void bTutorialLogic::PlaceHintMarkers(Coordinator&)
{
}

void bTutorialLogic::ClearHintMarkers(Coordinator&)
{
}

void bTutorialLogic::HideAll(Coordinator&)
{
}

void bTutorialLogic::ShowAll(Coordinator&)
{
}
