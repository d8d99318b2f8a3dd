#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>

// Dresses the level select from the saved progress: for each level its buttons or its locked
// overlay, and the pointer arrow over the highest unlocked level. It finds the screen's entities
// by name (missing ones are skipped); no fields and no JSON of its own.
class bLevelSelect : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bLevelSelect";

    void Awake(Coordinator& coordinator) override;
    // Places or hides the pointer arrow and shows each unlocked level's entities (hiding its
    // overlay) and hides each locked level's.
    void Start(Coordinator& coordinator) override;
    // Dresses the screen again when the progress changed (LevelsChanged), and clears the flag.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Reactivates (show) or deactivates every entity whose name begins with the prefix, except
    // the one named exactly excluded.
    void SetGroupVisible(Coordinator& coordinator, bool show, const std::string& prefix, const std::string& excluded);
    // Puts the arrow image above the named button and makes that its effect origin; nothing when
    // the button is missing or the arrow is no bImageBehaviour.
    void PlacePointer(Coordinator& coordinator, Entity arrow, const std::string& buttonName);
};
