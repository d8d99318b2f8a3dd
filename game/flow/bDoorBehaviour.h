#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>
#include <vector>

// A closed door that soldiers breach (tagged "DOOR" and with the path grid's register tag). The
// doors of a scene share four door buttons (DoorButtonPool.h) that soldiers in reach lend them.
// Once its active flag is cleared (a breach, or a spitter running into it) the door kicks open in
// its next Update: it hands its button back, leaves the path grid and has the map rebuilt, plays
// "DoorKick_false_SFX_", switches on its attached lights and removes itself.
class bDoorBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bDoorBehaviour";

    // One door fewer; the last door alive empties the button pool.
    ~bDoorBehaviour() override;

    // Counts the door; the first door alive spawns the four "Door_Button"s into the pool.
    void Awake(Coordinator& coordinator) override;
    // Hands every lent button back to the pool, hidden and unbound.
    void Start(Coordinator& coordinator) override;
    // Opens the door once its active flag has been cleared (advancing a tutorial at step 7).
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "TriggerRange" (number) and "attachedLights" (comma-separated names), each optional.
    void Deserialize(const rapidjson::Value& object) override;
    // "TriggerRange", then "attachedLights" (names joined by ",") when there are any.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Hands the door's button back to the pool, hidden; nothing when it holds none.
    void ReleaseButton(Coordinator& coordinator);

    // A soldier at most this far from the door is in reach.
    float TriggerRange = 0.0f;
    // The pool button lent to this door.
    Entity Button = NO_ENTITY;
    // Identifier names of the lights switched on when the door opens.
    std::vector<std::string> attachedLights;

private:
    // Set by the Update that opened the door, which is already queued for destruction.
    bool opened = false;
};
