#pragma once
#include "engine/core/Coordinator.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>
#include <vector>

// Writes the scene paths it sees in Awake and Start into a shared journal
// ("Awake pending=<PendingScene> current=<CurrentScene>"). When RequestInStart names a scene,
// Start asks for it, as a screen that moves straight on would.
class ScenePathBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "ScenePathBehaviour";

    static std::vector<std::string>& Journal()
    {
        static std::vector<std::string> journal;
        return journal;
    }
    static std::string& RequestInStart()
    {
        static std::string request;
        return request;
    }

    void Awake(Coordinator& coordinator) override { Record("Awake", coordinator); }
    void Start(Coordinator& coordinator) override
    {
        Record("Start", coordinator);
        if (!RequestInStart().empty())
            coordinator.PendingScene = RequestInStart();
    }
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void Deserialize(const rapidjson::Value&) override {}
    void Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const override {}
    void Inspect() override {}

private:
    static void Record(const std::string& hook, const Coordinator& coordinator)
    {
        Journal().push_back(hook + " pending=" + coordinator.PendingScene + " current=" + coordinator.CurrentScene);
    }
};
