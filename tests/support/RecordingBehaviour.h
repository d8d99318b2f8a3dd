#pragma once
#include "engine/core/Coordinator.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <functional>
#include <string>
#include <vector>

// Writes every hook it receives, with its entity id, into a shared journal ("Awake 3").
// Optional actions run inside Awake and Update, and on destruction.
class RecordingBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "RecordingBehaviour";

    static std::vector<std::string>*& Journal()
    {
        static std::vector<std::string>* journal = nullptr;
        return journal;
    }

    ~RecordingBehaviour() override
    {
        Record("Destroyed");
        if (onDestroy)
            onDestroy();
    }
    void Awake(Coordinator& coordinator) override
    {
        Record("Awake");
        if (onAwake)
            onAwake(coordinator);
    }
    void Start(Coordinator&) override { Record("Start"); }
    void Update(Coordinator& coordinator) override
    {
        Record("Update");
        if (onUpdate)
        {
            auto action = std::move(onUpdate); // once
            onUpdate = nullptr;
            action(coordinator);
        }
    }
    void OnSceneUnload(Coordinator&) override { Record("Unload"); }
    void Deserialize(const rapidjson::Value&) override { Record("Deserialize"); }
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
    void Inspect() override {}

    std::function<void(Coordinator&)> onAwake;
    std::function<void(Coordinator&)> onUpdate;
    std::function<void()> onDestroy;

private:
    void Record(const std::string& hook)
    {
        if (Journal())
            Journal()->push_back(hook + " " + std::to_string(entity));
    }
};
