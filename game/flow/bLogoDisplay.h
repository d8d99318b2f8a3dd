#pragma once
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>

// The splash logo: it grows slowly and, after MaxDisplayTime or at the player's first key or
// button (after the first tenth of a second), gives way to the next prefab or scene, removes
// itself and restarts the camera's slow zoom.
class bLogoDisplay : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bLogoDisplay";

    void Awake(Coordinator& coordinator) override;
    void Start(Coordinator& coordinator) override;
    // Grows the logo and changes on time or on a key held or released.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "ChangeType" (integer), "MaxDisplayTime" (number), "ChangeTarget" (string), all optional.
    void Deserialize(const rapidjson::Value& object) override;
    // "MaxDisplayTime" (left out when exactly 2.0), "ChangeType", "ChangeTarget" (left out when
    // empty).
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Spawns the prefab (ChangeType 1) or requests the scene (2), queues the logo's entity for
    // destruction and restarts the camera's zoom to view height 900 over 2.5 s.
    void Change(Coordinator& coordinator);

    // Seconds since the logo appeared.
    float LogoTimer = 0.0f;
    // The logo changes by itself at this time.
    float MaxDisplayTime = 999.0f;
    // The prefab name or scene path to change to.
    std::string ChangeTarget;
    // 1: spawn the prefab ChangeTarget; 2: request the scene ChangeTarget; else only remove the logo.
    int ChangeType = 0;
};
