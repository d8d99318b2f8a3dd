#include "game/flow/bTransitionScreen.h"
#include "game/flow/PublishedInstances.h"

bTransitionScreen::~bTransitionScreen()
{
    // Only this behaviour's own publication is withdrawn.
    if (TransitionScreenInstance() == this)
        TransitionScreenInstance() = nullptr;
}

void bTransitionScreen::Awake(Coordinator&)
{
}

void bTransitionScreen::Start(Coordinator&)
{
}

void bTransitionScreen::Update(Coordinator&)
{
}

void bTransitionScreen::OnSceneUnload(Coordinator&)
{
}

void bTransitionScreen::Deserialize(const rapidjson::Value&)
{
}

void bTransitionScreen::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bTransitionScreen::Inspect()
{
}

void bTransitionScreen::Begin(Coordinator&, int, const std::string&)
{
}
