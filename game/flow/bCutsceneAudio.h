#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "engine/platform/audio/VoiceHandle.h"

#include <cstdint>
#include <memory>
#include <vector>

class bFontBehaviour;

// The sound of a cutscene: typing while its trigger texts (entities tagged "ATRIG", typewriter
// bFontBehaviours) type themselves out and, in the full form, a scream between two passages.
class bCutsceneAudio : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bCutsceneAudio";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    // Collects the triggers once, then plays, swaps or stops the typing and screaming sounds by
    // the triggers' state.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "TypingOnly": optional, true only for the literal true.
    void Deserialize(const rapidjson::Value& object) override;
    // "TypingOnly".
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The channel of the sound last asked for.
    VoiceHandle SoundChannel;
    // 0 typing at the start, 1 screaming, 2 typing after the scream.
    std::uint8_t AudioPhase = 0;
    // The behaviours of the "ATRIG" entities, in ascending entity order (null for an entity whose
    // behaviour is no bFontBehaviour).
    std::vector<std::shared_ptr<bFontBehaviour>> Triggers;
    // The cutscene has typing only (one trigger).
    bool TypingOnly = false;
};
