#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/sSystemBase.h"

// Computes, once per frame, the two orthographic projections that text is drawn with: one over
// the fixed reference view height (camera-bound text) and one over the current view height
// (text in the world), both centred on the camera. Text itself is drawn by the renderer.
class sFontSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sFontSystem";

    void Update(Coordinator& coordinator) override;

    // Column-major 4 by 4 matrices; elements that no projection writes stay 0.
    float screenProjection[16] = {};
    float worldProjection[16] = {};
    // Bounds of the last projection computed (the world one).
    float right = 0.0f;
    float left = 0.0f;
    float top = 0.0f;
    float bottom = 0.0f;
    // Written by the renderer's camera shake: 10 times the shake's displacement, (0, 0) at rest.
    Vector2 textOffset;

private:
    void Project(float (&matrix)[16], float viewHeight, Vector2 camera, float aspect);
};
