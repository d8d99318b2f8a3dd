#include "engine/core/FrameClock.h"

#include "engine/core/Coordinator.h"

void FrameClock::Tick(double now, Coordinator& coordinator)
{
    if (!started)
    {
        previousFrameTime = now;
        started = true;
    }
    const float delta = static_cast<float>(now - previousFrameTime);
    previousFrameTime = now;

    coordinator.DeltaTime = delta > MaxDelta ? MaxDelta : delta;
    coordinator.StepCount = 0;
    coordinator.StepAccumulator += static_cast<double>(coordinator.DeltaTime);
    const double step = static_cast<double>(FixedStep);
    while (coordinator.StepAccumulator >= step)
    {
        coordinator.StepAccumulator -= step;
        ++coordinator.StepCount;
    }
}
