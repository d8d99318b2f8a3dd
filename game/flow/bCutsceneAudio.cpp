#include "game/flow/bCutsceneAudio.h"

#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/sSoundSystem.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/bFontBehaviour.h"

#include <cstddef>

// The cutscene's sound follows its trigger texts: typing while the first passage types, a scream
// from the moment the second trigger shows, typing again from the third, silence once the fourth
// has typed out. The typing-only form types until its one trigger is complete.

namespace
{
const std::string TypingSound = "typing_false_SFX_";
const std::string ScreamSound = "screaming_false_SFX_";

constexpr std::size_t TypingOnlyTriggers = 1;
constexpr std::size_t FullFormTriggers = 4;

bool TypedOut(const bFontBehaviour& text)
{
    return text.TypedCount >= text.FullText.size();
}
}

void bCutsceneAudio::Awake(Coordinator&)
{
}

void bCutsceneAudio::Start(Coordinator&)
{
}

void bCutsceneAudio::Update(Coordinator& coordinator)
{
    if (Triggers.empty())
        for (Entity trigger : coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, "ATRIG"))
            Triggers.push_back(coordinator.GetBehaviourAs<bFontBehaviour>(trigger));

    // A cutscene without the texts its form follows stays silent rather than read past them.
    const std::size_t needed = TypingOnly ? TypingOnlyTriggers : FullFormTriggers;
    if (Triggers.size() < needed)
        return;
    for (std::size_t i = 0; i < needed; ++i)
        if (Triggers[i] == nullptr)
            return;

    sSoundSystem& sound = *coordinator.GetSystem<sSoundSystem>();
    auto play = [&](const std::string& id) { SoundChannel = sound.PlaySfxIfNotPlaying(id, coordinator); };
    auto stop = [&](const std::string& id) { sound.StopSfx(id, SoundChannel); };

    if (TypingOnly)
    {
        if (TypedOut(*Triggers[0]))
            stop(ScreamSound);
        else
            play(TypingSound);
        return;
    }

    const bFontBehaviour& scream = *Triggers[1];
    const bFontBehaviour& resume = *Triggers[2];
    const bFontBehaviour& last = *Triggers[3];
    if (!scream.active)
    {
        play(TypingSound);
    }
    else if (!resume.active)
    {
        if (AudioPhase == 0)
        {
            stop(TypingSound);
            AudioPhase = 1;
        }
        play(ScreamSound);
    }
    else if (TypedOut(last))
    {
        stop(ScreamSound);
    }
    else
    {
        if (AudioPhase == 1)
        {
            stop(ScreamSound);
            AudioPhase = 2;
        }
        play(TypingSound);
    }
}

void bCutsceneAudio::OnSceneUnload(Coordinator&)
{
}

void bCutsceneAudio::Deserialize(const rapidjson::Value& object)
{
    TypingOnly = Json::Bool(object, "TypingOnly", TypingOnly);
}

void bCutsceneAudio::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("TypingOnly", TypingOnly, allocator);
}

void bCutsceneAudio::Inspect()
{
}
