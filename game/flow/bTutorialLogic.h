#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <set>
#include <vector>

// A scripted tutorial inside a level: numbered steps (tutorial 1: steps 1 to 10, tutorial 2:
// 11 to 14), each with an instruction panel, optional hint markers and a camera pan. A step ends
// when gameplay code reports what it teaches (Advance, called only at the step that teaches it)
// or when its panel has been shown and switched itself off. Each tutorial is shown once; clearing
// it is saved. Published as TutorialLogicInstance while it runs.
class bTutorialLogic : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bTutorialLogic";

    // The step of a tutorial that was skipped or has ended.
    static constexpr int FinishedStep = 15;

    // Withdraws TutorialLogicInstance when it points here.
    ~bTutorialLogic() override;

    void Awake(Coordinator& coordinator) override;
    // A tutorial cleared before stays silent (and unpublished); otherwise it is published, goes to
    // its first step and spawns its panels and the skip button.
    void Start(Coordinator& coordinator) override;
    // Nothing in Deploy or Paused; ends a step whose panel has played out, shows exactly the
    // current step's panel once, and marks a finished tutorial cleared.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "TutorialLevel": optional integer.
    void Deserialize(const rapidjson::Value& object) override;
    // "TutorialLevel".
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // The next step with its hint markers; finishing the last step ends the tutorial.
    void Advance(Coordinator& coordinator);
    // Marks the tutorial cleared, removes its panels, markers and skip button, withdraws
    // TutorialLogicInstance and saves the progress.
    void End(Coordinator& coordinator);
    // Spawns the current step's hint markers (and queues its camera pan); other steps have none.
    void PlaceHintMarkers(Coordinator& coordinator);
    // Removes every hint marker.
    void ClearHintMarkers(Coordinator& coordinator);
    // Through TutorialLogicInstance (tested by the caller): hides / shows the markers, the panels
    // and the skip button.
    static void HideAll(Coordinator& coordinator);
    static void ShowAll(Coordinator& coordinator);

    int TutorialStep = 0;
    // Which tutorial this scene runs: 1 or 2.
    int TutorialLevel = 0;
    // The instruction panels, one per step from the first, in the prefab file's order.
    std::vector<Entity> Panels;
    // The hint markers of the current step.
    std::vector<Entity> HintMarkers;
    // Mean position of the soldiers when step 1 began.
    Vector2 SquadCentre;
    // The "SkipTutorial_Button" instance.
    Entity SkipButton = NO_ENTITY;
    // Every soldier at Start.
    std::set<Entity> TutorialPlayers;
};
