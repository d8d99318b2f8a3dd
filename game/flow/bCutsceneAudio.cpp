#include "game/flow/bCutsceneAudio.h"

void bCutsceneAudio::Awake(Coordinator&)
{
}

void bCutsceneAudio::Start(Coordinator&)
{
}

void bCutsceneAudio::Update(Coordinator&)
{
}

void bCutsceneAudio::OnSceneUnload(Coordinator&)
{
}

void bCutsceneAudio::Deserialize(const rapidjson::Value&)
{
}

void bCutsceneAudio::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bCutsceneAudio::Inspect()
{
}
