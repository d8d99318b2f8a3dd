#pragma once
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "engine/core/sSystemBase.h"

#include <string>
#include <vector>

// Small stand-ins for components and systems, for tests of the storage core.
struct Health : ISerializable, IInspector
{
    static constexpr const char* ClassName = "Health";
    int value = 100;
    std::string label = "default";
    void Deserialize(const rapidjson::Value&) override {}
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
    void Inspect() override {}
};

struct Speed : ISerializable, IInspector
{
    static constexpr const char* ClassName = "Speed";
    float value = 0.0f;
    void Deserialize(const rapidjson::Value&) override {}
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
    void Inspect() override {}
};

// Records the order in which systems were updated (their name) and shut down (name + " exit")
// into a shared log.
struct RecordingSystem : sSystemBase
{
    std::vector<std::string>* journal = nullptr;
    std::string name;
    void Update(Coordinator&) override
    {
        if (journal)
            journal->push_back(name);
    }
    void Exit() override
    {
        if (journal)
            journal->push_back(name + " exit");
    }
};

struct sAlpha : RecordingSystem { static constexpr const char* ClassName = "sAlpha"; };
struct sBeta : RecordingSystem { static constexpr const char* ClassName = "sBeta"; };
struct sGamma : RecordingSystem { static constexpr const char* ClassName = "sGamma"; };
struct sNeverRegistered : RecordingSystem { static constexpr const char* ClassName = "sNeverRegistered"; };
