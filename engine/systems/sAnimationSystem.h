#pragma once
#include "engine/core/sSystemBase.h"
#include "engine/platform/AssetRecords.h"

// Advances every member's spritesheet frame by its own clock, once per frame, and keeps its
// frame delay in step with the sheet that its tags and animation state select. The renderer
// draws the frame.
class sAnimationSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sAnimationSystem";

    void Update(Coordinator& coordinator) override;

private:
    // Reused for every lookup, so the pass builds no strings.
    SpritesheetKey key;
};
