#pragma once
#include "engine/core/Coordinator.h"
#include "engine/core/IBehaviour.h"

#include <functional>
#include <string>
#include <vector>

// Writes every contact it is told of into a shared journal: "3 collides 5", "5 triggers 3".
// An optional action runs on each contact (for example to destroy the partner).
class ContactRecorder : public IBehaviour
{
public:
    static constexpr const char* ClassName = "ContactRecorder";

    static std::vector<std::string>*& Journal()
    {
        static std::vector<std::string>* journal = nullptr;
        return journal;
    }

    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void OnCollision(Coordinator& coordinator, Entity other) override { Record(coordinator, " collides ", other); }
    void OnTrigger(Coordinator& coordinator, Entity other) override { Record(coordinator, " triggers ", other); }
    void OnHover(Coordinator&) override
    {
        if (Journal())
            Journal()->push_back(std::to_string(entity) + " hovered");
    }

    std::function<void(Coordinator&, Entity)> onContact;

private:
    void Record(Coordinator& coordinator, const char* how, Entity other)
    {
        if (Journal())
            Journal()->push_back(std::to_string(entity) + how + std::to_string(other));
        if (onContact)
            onContact(coordinator, other);
    }
};
