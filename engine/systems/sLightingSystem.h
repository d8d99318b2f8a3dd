#pragma once
#include "engine/core/sSystemBase.h"
#include "engine/systems/WallSegment.h"

#include <vector>

// Keeps the scene's lights and the walls that block them: spot lights follow the entity their
// Transform names as parent, ambient lights get their intensity back every frame and retire when
// their life span runs out, and the boxes of every "WALL" or "DOOR" member become four wall
// segments each. It draws nothing; the renderer packs lights and segments for the shader.
class sLightingSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sLightingSystem";
    // Seconds between two rebuilds of the wall segments by the frame clock.
    static constexpr float RebuildInterval = 5.0f;

    void Update(Coordinator& coordinator) override;

    // Builds the wall segments of every member tagged "WALL" or "DOOR" (a member without a
    // Renderer has no box and gives none), appended to the old ones unless clearFirst, and sorts
    // them by the distance of their first x from the camera's x, nearest first.
    void RebuildOccluders(const bool& clearFirst, Coordinator& coordinator);
    // Both light lists anew from the tags "SPOTLIGHT" and "AMBIENTLIGHT" (ascending ids).
    void RefreshLightLists(Coordinator& coordinator);

    std::vector<WallSegment> occluders;
    float rebuildTimer = 0.0f;
    std::vector<Entity> spotLights;
    std::vector<Entity> ambientLights;
};
