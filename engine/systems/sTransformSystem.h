#pragma once
#include "engine/core/sSystemBase.h"

// Writes every member's model matrix from its position and rotation once per frame and makes
// the current position the previous one. Scale stays out of the matrix: the renderer applies
// its own half sizes.
class sTransformSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sTransformSystem";

    void Update(Coordinator& coordinator) override;
};
